#include "gui/SpinControl.h"

#include <QVBoxLayout>
#include <algorithm>

namespace orvik {

SpinControl::SpinControl(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFixedSize(15, 10);
        b->setFocusPolicy(Qt::NoFocus);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    connect(up_, &QToolButton::clicked, this, [this] { SetPosition(position_ + 1); });
    connect(down_, &QToolButton::clicked, this, [this] { SetPosition(position_ - 1); });
}

void SpinControl::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

void SpinControl::SetPosition(int position) {
    position = std::clamp(position, minimum_, maximum_);
    if (position == position_) return;
    position_ = position;
    WritePosition();
}

void SpinControl::WritePosition() {
    if (field_) field_->setText(QString::number(position_));
}

}  // namespace orvik
