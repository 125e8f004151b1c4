#include "ui/UpDownSpinner.h"

#include <QEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace tolvik {

namespace {
constexpr int kWidth = 17;
constexpr int kHeight = 22;
}  // namespace

UpDownSpinner::UpDownSpinner(QWidget* parent, int minimum, int maximum)
    : QWidget(parent),
      up_(new QToolButton(this)),
      down_(new QToolButton(this)),
      minimum_(minimum),
      maximum_(maximum),
      position_(minimum) {
  setFixedSize(kWidth, kHeight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (QToolButton* button : {up_, down_}) {
    button->setFixedSize(kWidth, kHeight / 2);
    button->setAutoRepeat(true);
    layout->addWidget(button);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  connect(up_, &QToolButton::clicked, this, [this] { ClickUp(); });
  connect(down_, &QToolButton::clicked, this, [this] { ClickDown(); });
}

void UpDownSpinner::SetPosition(int position) {
  position_ = std::clamp(position, minimum_, maximum_);
}

void UpDownSpinner::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) {
    up_->setEnabled(isEnabled());
    down_->setEnabled(isEnabled());
  }
}

void UpDownSpinner::Step(int delta) {
  if (!isEnabled()) {
    return;
  }
  position_ = std::clamp(position_ + delta, minimum_, maximum_);
  if (on_click_) {
    on_click_();
  }
}

}  // namespace tolvik
