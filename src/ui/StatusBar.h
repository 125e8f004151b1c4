#pragma once

#include <QFrame>
#include <QLabel>

#include <array>

#include "base/StatusTextSink.h"

namespace tolvik {

// The main window's status bar (StatusBar1), 19 pixels high, with three
// sunken panels: 0 the decoder and device messages, as wide as the bar less
// 180 pixels; 1 the decoder mode, 80 wide; 2 the clock, 50 wide. Those
// widths are made for Tahoma 8; where another font stands in and "VHF DSC"
// or "00:00:00" would be cut, panel 1 or 2 is widened to fit its text and
// panel 0 gives up the difference.
class StatusBar final : public QFrame {
 public:
  static constexpr int kHeight = 19;
  static constexpr int kRightOfPanel0 = 180;
  static constexpr int kModePanelWidth = 80;
  static constexpr int kClockPanelWidth = 50;

  explicit StatusBar(QWidget* parent);

  void SetPanelText(StatusPanel panel, const QString& text);
  QString PanelText(StatusPanel panel) const;
  const QLabel& Panel(StatusPanel panel) const;
  int ModePanelWidth() const { return mode_width_; }
  int ClockPanelWidth() const { return clock_width_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel& PanelLabel(StatusPanel panel) { return *panels_[static_cast<int>(panel)]; }
  void StatusBar1Resize();

  int WidthToShow(const char* text, int design_width) const;

  std::array<QLabel*, 3> panels_{};  // owned by this widget
  int mode_width_;                   // panel 1
  int clock_width_;                  // panel 2
};

}  // namespace tolvik
