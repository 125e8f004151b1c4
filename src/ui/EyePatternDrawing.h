#pragma once

#include <QImage>

#include <array>
#include <cstdint>

#include "demod/DecoderMode.h"
#include "demod/DemodulatorTraces.h"

namespace tolvik {

// The eye pattern: the discriminator output of the last three blocks, cut
// into traces that start at every second bit decision and so span two bit
// periods, drawn over one another in white on black with dotted grey
// guides at the middle line (y = 75), the nominal deviation either side
// (y = 25 and 125) and the middle decision instant (x = 96). A clean signal
// settles on the outer guides at x = 96.
//
// HF: 96 samples of 2 pixels fill the 192 pixels exactly. VHF: 20 samples
// of 10 pixels, so each trace's last 8 pixels fall off the right edge and
// its middle decision is at x = 100. A trace whose next restart is late
// simply runs on past the edge.
//
// The history and the picture are made once; nothing is allocated per
// block. Until the first block the picture is black.
class EyePatternDrawing {
 public:
  static constexpr int kWidth = 192;
  static constexpr int kHeight = 150;

  EyePatternDrawing();

  // Adds this block's discriminator output and bit marks of channel 0 to
  // the history and redraws the picture with the mode's constants. The
  // older rows are read with them too, so after a mode change they show
  // samples of the other mode for two more blocks.
  void DrawEyePattern(const ModeDisplayConstants& mode, const DemodulatorTraces& traces);

  const QImage& Picture() const { return picture_; }

 private:
  static constexpr int kRows = 3;

  struct HistoryRow {
    DemodulatorTraces::Trace Signal{};                                        // units of 10 Hz
    std::array<std::uint8_t, DemodulatorTraces::kMaxWorkingSamples> Marks{};  // 1: bit decided
  };

  void ShiftHistory(int samples, const DemodulatorTraces& traces);
  void DrawGuides();
  void DrawTraces(const ModeDisplayConstants& mode, int samples);

  std::array<HistoryRow, kRows> history_{};  // oldest block first
  QImage picture_;
};

}  // namespace tolvik
