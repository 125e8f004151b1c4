#pragma once

#include <array>

#include "demod/DecoderMode.h"
#include "demod/DemodulatorTraces.h"

namespace tolvik {

// The level spectrum behind the spectrum strip: a Hann-windowed 1024-point
// transform of the mixer output, one per block, as natural-log levels by
// frequency bin. In HF the window slides on by each block's 480 samples, so
// every spectrum spans the newest 1024 (213 ms); in VHF each block's first
// 1024 of its 1200 samples are taken on their own. The window is never
// cleared: after a mode change its first HF spectra still hold samples of
// the other mode.
//
// The transform is an in-place radix-2 decimation in frequency over table
// look-ups only, so a block costs no trigonometry and no allocation.
class SpectrumTransform {
 public:
  static constexpr int kSize = 1024;
  using Values = std::array<double, kSize>;

  SpectrumTransform();

  // Takes this block's mixer output into the window and computes its levels.
  void TakeBlock(DecoderMode mode, const DemodulatorTraces::Trace& mixer_output);

  // 20 ln |X[k]| for bin k, that is at k * BinWidthHz; 0 for a bin whose real
  // or imaginary part is exactly zero (silence, the DC bin of a real input).
  const Values& Levels() const { return levels_; }

  static double BinWidthHz(DecoderMode mode);

 private:
  void FillWindow(DecoderMode mode, const DemodulatorTraces::Trace& mixer_output);
  void ApplyWindow();
  void Transform();
  void MeasureLevels();
  void ReorderLevels();

  static constexpr int kHalf = kSize / 2;
  std::array<double, kHalf> cosines_;  // cos(2 pi i / 1024)
  std::array<double, kHalf> sines_;    // -sin(2 pi i / 1024)
  std::array<int, kSize> reversed_;    // i with its ten bits reversed
  Values hann_;                        // 0.5 - 0.5 cos(2 pi i / 1024)
  Values window_{};                    // the samples being transformed, oldest first
  Values re_{};                        // real part, in place, bit-reversed when done
  Values im_{};                        // imaginary part, likewise
  Values levels_{};                    // levels, by bin once reordered
};

}  // namespace tolvik
