#include "ui/StatusBar.h"

#include <algorithm>

namespace tolvik {

namespace {
constexpr int kPanel0DesignWidth = 620;
constexpr const char* kWidestModeText = "VHF DSC";
constexpr const char* kWidestClockText = "00:00:00";
}  // namespace

StatusBar::StatusBar(QWidget* parent) : QFrame(parent) {
  setFixedHeight(kHeight);
  for (QLabel*& panel : panels_) {
    panel = new QLabel(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setIndent(2);
    panel->setFixedHeight(kHeight);
  }
  mode_width_ = WidthToShow(kWidestModeText, kModePanelWidth);
  clock_width_ = WidthToShow(kWidestClockText, kClockPanelWidth);
  panels_[0]->setGeometry(0, 0, kPanel0DesignWidth, kHeight);
  panels_[1]->setGeometry(kPanel0DesignWidth, 0, mode_width_, kHeight);
  panels_[2]->setGeometry(kPanel0DesignWidth + mode_width_, 0, clock_width_, kHeight);
}

int StatusBar::WidthToShow(const char* text, int design_width) const {
  const QLabel& panel = *panels_[0];
  const int margins = 2 * panel.frameWidth() + 2 * panel.indent() + 2;
  return std::max(design_width, panel.fontMetrics().horizontalAdvance(text) + margins);
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
  const int widened = (mode_width_ - kModePanelWidth) + (clock_width_ - kClockPanelWidth);
  const int panel0 = std::max(0, width() - kRightOfPanel0 - widened);
  panels_[0]->setGeometry(0, 0, panel0, kHeight);
  panels_[1]->setGeometry(panel0, 0, mode_width_, kHeight);
  panels_[2]->setGeometry(panel0 + mode_width_, 0, clock_width_, kHeight);
}

}  // namespace tolvik
