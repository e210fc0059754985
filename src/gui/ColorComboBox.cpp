#include "gui/ColorComboBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace orvik {
namespace {

QColor ToQColor(int value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

// Paints the entries of the drop-down list through the box's DrawItem.
class SwatchDelegate : public QStyledItemDelegate {
public:
    explicit SwatchDelegate(ColorComboBox* box) : QStyledItemDelegate(box), box_(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        box_->DrawItem(*painter, index.row(), option.rect, option.state & QStyle::State_Selected);
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {box_->width(), ColorComboBox::kEntryHeight};
    }

private:
    ColorComboBox* box_;
};

}  // namespace

QRect SwatchRect(const QRect& entry, int boxWidth, int scrollWidth) {
    const int left = entry.left() + 2, top = entry.top() + 2;
    const int right = entry.left() + boxWidth - scrollWidth - 8;  // exclusive
    const int bottom = entry.top() + entry.height() - 2;  // exclusive
    return QRect(left, top, right - left, bottom - top);
}

ColorComboBox::ColorComboBox(QWidget* parent)
    : QComboBox(parent), scrollWidth_(style()->pixelMetric(QStyle::PM_ScrollBarExtent)) {
    setEditable(false);
    setItemDelegate(new SwatchDelegate(this));
}

void ColorComboBox::AddColor(int color, int number) {
    addItem(QString());
    noList_.append(QString::number(number));
    colorList_.append(QString::number(color));
}

int ColorComboBox::GetItemColor(int index) const { return colorList_.value(index).toInt(); }

int ColorComboBox::ColorNumber() const { return currentIndex() < 0 ? 0 : noList_.value(currentIndex()).toInt(); }

void ColorComboBox::SetColorNumber(int number) { setCurrentIndex(noList_.indexOf(QString::number(number))); }

void ColorComboBox::DrawItem(QPainter& painter, int index, const QRect& entry, bool selected) const {
    painter.fillRect(entry, selected ? palette().highlight() : palette().base());
    painter.setBrush(ToQColor(GetItemColor(index)));
    painter.setPen(Qt::black);
    // QPainter's outline covers the rectangle's right and bottom edges; shrink by one to keep them exclusive.
    painter.drawRect(SwatchRect(entry, width(), scrollWidth_).adjusted(0, 0, -1, -1));
}

void ColorComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0) return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    DrawItem(painter, currentIndex(), QRect(field.left(), field.top(), field.width(), field.height()), false);
}

}  // namespace orvik
