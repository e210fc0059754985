// A spin control beside a two-character field: its arrows, the Up and Down
// keys in the field and the mouse wheel over it step the value within a
// range, without wrapping, from the number in the field (a typed one
// included, clamped to the range) or, when the field holds none, from the
// last position; the new value is written into the field. The field stays
// free text, so a hand-typed value outside the range is kept until stepped.
#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

namespace orvik {

class SpinControl : public QWidget {
    Q_OBJECT
public:
    explicit SpinControl(QWidget* parent = nullptr);

    // The field it steps; it watches the field's Up, Down and wheel events.
    void Associate(QLineEdit* field);
    void SetRange(int minimum, int maximum);
    // Moves to `position` (clamped); writes it into the field only when it changed.
    void SetPosition(int position);
    int Position() const { return position_; }
    // Writes the position into the field, changed or not.
    void WritePosition();
    // One step up (+1) or down (-1) from the field's number.
    void Step(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* field_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0, maximum_ = 100, position_ = 0;
};

}  // namespace orvik
