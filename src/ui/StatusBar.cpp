#include "ui/StatusBar.h"

namespace tolvik {

namespace {
constexpr int kPanel0DesignWidth = 620;
}

StatusBar::StatusBar(QWidget* parent) : QFrame(parent) {
  setFixedHeight(kHeight);
  for (QLabel*& panel : panels_) {
    panel = new QLabel(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(2);
    panel->setFixedHeight(kHeight);
  }
  panels_[0]->setGeometry(0, 0, kPanel0DesignWidth, kHeight);
  panels_[1]->setGeometry(kPanel0DesignWidth, 0, kModePanelWidth, kHeight);
  panels_[2]->setGeometry(kPanel0DesignWidth + kModePanelWidth, 0, kClockPanelWidth, kHeight);
}

void StatusBar::SetPanelText(StatusPanel panel, const QString& text) {
  PanelLabel(panel).setText(text);
}

QString StatusBar::PanelText(StatusPanel panel) const {
  return Panel(panel).text();
}

const QLabel& StatusBar::Panel(StatusPanel panel) const {
  return *panels_[static_cast<int>(panel)];
}

void StatusBar::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  StatusBar1Resize();
}

void StatusBar::StatusBar1Resize() {
  const int panel0 = std::max(0, width() - kRightOfPanel0);
  panels_[0]->setGeometry(0, 0, panel0, kHeight);
  panels_[1]->setGeometry(panel0, 0, kModePanelWidth, kHeight);
  panels_[2]->setGeometry(panel0 + kModePanelWidth, 0, kClockPanelWidth, kHeight);
}

}  // namespace tolvik
