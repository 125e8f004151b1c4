#pragma once

#include <cmath>
#include <numbers>
#include <vector>

#include "base/BlockFormat.h"
#include "base/CaptureBlock.h"
#include "demod/DemodulatorTraces.h"

namespace tolvik::testing {

// Samples first..first+count of a tone at `rate_hz`, as one trace.
inline DemodulatorTraces::Trace ToneTrace(double frequency_hz, double amplitude, double rate_hz,
                                          int first, int count) {
  DemodulatorTraces::Trace trace{};
  for (int i = 0; i < count; ++i) {
    trace[i] = amplitude * std::sin(2.0 * std::numbers::pi * frequency_hz * (first + i) / rate_hz);
  }
  return trace;
}

// Block `index` of a continuous tone at the capture rate, ready to feed.
inline CaptureBlock CapturedToneBlock(double frequency_hz, double amplitude, int index) {
  std::vector<double> left(kFramesPerBlock);
  for (int i = 0; i < kFramesPerBlock; ++i) {
    const double n = static_cast<double>(index) * kFramesPerBlock + i;
    left[i] = amplitude * std::sin(2.0 * std::numbers::pi * frequency_hz * n / kCaptureRateHz);
  }
  CaptureBlock block{};
  FillCaptureBlock(left, block);
  return block;
}

}  // namespace tolvik::testing
