#pragma once

#include <QFrame>
#include <QWidget>

#include "demod/DecoderMode.h"
#include "demod/DemodulatorTraces.h"
#include "ui/DisplayImage.h"
#include "ui/EyePatternDrawing.h"

namespace tolvik {

// The eye pattern window: a small tool window that stays above the others,
// shown (not modally) by the main window's "Eye Pattern" button and hidden
// by its close button. While it shows, every block redraws its picture;
// while hidden, the history stands still, so the first two pictures after
// showing it again still hold rows from the last time.
class TForm3 final : public QWidget {
 public:
  static constexpr int kClientWidth = 194;
  static constexpr int kClientHeight = 152;

  // Placed on `main_window` whenever it is shown.
  explicit TForm3(const QWidget& main_window);

  void DrawEyePattern(const ModeDisplayConstants& mode, const DemodulatorTraces& traces);

  const EyePatternDrawing& Drawing() const { return drawing_; }

  QFrame* Panel1;  // lowered bevel around the picture
  DisplayImage* Image1;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();

  const QWidget& main_window_;
  EyePatternDrawing drawing_;
};

}  // namespace tolvik
