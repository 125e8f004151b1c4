#pragma once

#include <QFrame>
#include <QLabel>

#include <array>

#include "base/StatusTextSink.h"

namespace tolvik {

// The main window's status bar (StatusBar1), 19 pixels high, with three
// sunken panels: 0 the decoder and device messages, as wide as the bar less
// 180 pixels; 1 the decoder mode, 80 wide; 2 the clock, 50 wide.
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

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLabel& PanelLabel(StatusPanel panel) { return *panels_[static_cast<int>(panel)]; }
  void StatusBar1Resize();

  std::array<QLabel*, 3> panels_{};  // owned by this widget
};

}  // namespace tolvik
