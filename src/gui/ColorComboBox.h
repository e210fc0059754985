// A drop-down list of colour swatches: each entry is painted in its display
// colour and carries a colour number (the AutoCAD colour a JW_CAD pen
// becomes). The entries have no text.
#pragma once

#include <QComboBox>
#include <QRect>
#include <QStringList>

#include "app/WindowRules.h"

namespace orvik {

// The swatch of an entry: inset 2 pixels, its right edge following the width
// of the whole box (not of the entry) so the drop-down button stays clear.
// Right and bottom edges exclusive: (left + 2, top + 2) to
// (left + boxWidth - scrollWidth - 8, bottom - 2).
QRect SwatchRect(const QRect& entry, int boxWidth, int scrollWidth);

class ColorComboBox : public QComboBox {
    Q_OBJECT
public:
    static constexpr int kEntryHeight = 16;

    explicit ColorComboBox(QWidget* parent = nullptr);

    void AddColor(int color, int number);
    int GetItemColor(int index) const;
    // The colour number of the selected entry; 0 when none is selected.
    int ColorNumber() const;
    // Selects the entry with that colour number, or none when there is no such entry.
    void SetColorNumber(int number);

    int ScrollWidth() const { return scrollWidth_; }
    // Paints entry `index` in `entry` as the list shows it.
    void DrawItem(QPainter& painter, int index, const QRect& entry, bool selected) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList colorList_;  // decimal text of each entry's colour
    QStringList noList_;  // decimal text of each entry's number
    int scrollWidth_;
};

}  // namespace orvik
