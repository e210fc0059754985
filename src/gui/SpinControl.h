// A spin control beside a two-character field: its arrows step a position
// within a range, without wrapping, and it writes the position into the
// field whenever the position changes. The field stays free text, so a
// hand-typed value outside the range is kept until the arrows are used.
#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

namespace orvik {

class SpinControl : public QWidget {
    Q_OBJECT
public:
    explicit SpinControl(QWidget* parent = nullptr);

    void Associate(QLineEdit* field) { field_ = field; }
    void SetRange(int minimum, int maximum);
    // Moves to `position` (clamped); writes it into the field only when it changed.
    void SetPosition(int position);
    int Position() const { return position_; }
    // Writes the position into the field, changed or not.
    void WritePosition();

private:
    QLineEdit* field_ = nullptr;
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0, maximum_ = 100, position_ = 0;
};

}  // namespace orvik
