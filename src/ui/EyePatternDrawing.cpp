#include "ui/EyePatternDrawing.h"

#include <algorithm>

#include "base/BlockFormat.h"
#include "ui/PixelLines.h"

namespace tolvik {

namespace {

const QRgb kBackground = qRgb(0, 0, 0);
const QRgb kGuideGrey = qRgb(128, 128, 128);
const QRgb kTraceWhite = qRgb(255, 255, 255);

constexpr int kDecodedChannel = 0;
constexpr int kMiddleY = 75;      // a deviation of 0
constexpr int kUpperGuideY = 25;  // the nominal deviation: HF 8.5 x 5.88, VHF 40 x 1.25
constexpr int kLowerGuideY = 125;
constexpr int kDecisionGuideX = 96;  // the middle decision of an HF trace
constexpr int kMarksPerTrace = 2;

}  // namespace

EyePatternDrawing::EyePatternDrawing() : picture_(kWidth, kHeight, QImage::Format_RGB32) {
  picture_.fill(kBackground);
}

void EyePatternDrawing::DrawEyePattern(const ModeDisplayConstants& mode,
                                       const DemodulatorTraces& traces) {
  const int samples =
      std::min(kFramesPerBlock / mode.DecimationFactor, DemodulatorTraces::kMaxWorkingSamples);
  ShiftHistory(samples, traces);
  picture_.fill(kBackground);
  DrawGuides();
  DrawTraces(mode, samples);
}

void EyePatternDrawing::ShiftHistory(int samples, const DemodulatorTraces& traces) {
  for (int row = 0; row + 1 < kRows; ++row) {
    std::copy_n(history_[row + 1].Signal.begin(), samples, history_[row].Signal.begin());
    std::copy_n(history_[row + 1].Marks.begin(), samples, history_[row].Marks.begin());
  }
  HistoryRow& newest = history_[kRows - 1];
  std::copy_n(traces.DiscriminatorOutput[kDecodedChannel].begin(), samples, newest.Signal.begin());
  std::copy_n(traces.BitMarks[kDecodedChannel].begin(), samples, newest.Marks.begin());
}

void EyePatternDrawing::DrawGuides() {
  for (const int y : {kMiddleY, kUpperGuideY, kLowerGuideY}) {
    DrawDottedLine(picture_, QPoint(0, y), QPoint(kWidth, y), kGuideGrey);
  }
  DrawDottedLine(picture_, QPoint(kDecisionGuideX, 0), QPoint(kDecisionGuideX, kHeight),
                 kGuideGrey);
}

void EyePatternDrawing::DrawTraces(const ModeDisplayConstants& mode, int samples) {
  // The three rows form one stream: the slot and the mark count run on from
  // one row into the next. Nothing is drawn before the stream's second mark.
  int slot = 0;
  int marks = 0;
  const auto y_of = [&mode](double value) {
    return TruncatedPixel(kMiddleY - value * mode.EyeGain);
  };
  for (const HistoryRow& row : history_) {
    // A row's last sample only ends its last segment.
    for (int i = 0; i + 1 < samples; ++i) {
      if (row.Marks[i] != 0 && ++marks == kMarksPerTrace) {
        slot = 1;
        marks = 0;
      }
      if (slot > 0) {
        const QPoint from((slot - 1) * mode.EyeStep, y_of(row.Signal[i]));
        const QPoint to(slot * mode.EyeStep, y_of(row.Signal[i + 1]));
        DrawSolidLine(picture_, from, to, kTraceWhite);
        ++slot;
      }
    }
  }
}

}  // namespace tolvik
