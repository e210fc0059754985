#include "gui/SpinControl.h"

#include <QKeyEvent>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

#include "app/WindowRules.h"

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
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void SpinControl::Associate(QLineEdit* field) {
    field_ = field;
    field_->installEventFilter(this);
}

void SpinControl::Step(int delta) {
    const std::string text = field_ ? field_->text().toStdString() : std::string();
    position_ = SpinStep(text, position_, delta, minimum_, maximum_);
    WritePosition();
}

bool SpinControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && field_->isEnabled()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                Step(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        } else if (event->type() == QEvent::Wheel) {
            const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y();
            if (delta != 0) Step(delta > 0 ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
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
