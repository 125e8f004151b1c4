#include "enhanced/SoftBitClock.h"

#include <algorithm>

#include "enhanced/EnhancedParameters.h"

namespace tolvik {

namespace {

constexpr double kHalfBit = 0.5 * kEnhancedSamplesPerBit;
// The farthest the loop moves one instant, in working samples.
constexpr double kLargestStep = kGardnerGain * kGardnerClip;

}  // namespace

void SoftBitClock::Start(double first_time, double amplitude, int polarity) {
  last_time_ = first_time - kEnhancedSamplesPerBit;
  amplitude_ = amplitude;
  polarity_ = polarity;
  started_ = false;
}

std::optional<double> SoftBitClock::NextBit(const SampleRing& soft) {
  double time = last_time_ + kEnhancedSamplesPerBit;
  if (!soft.HoldsInterpolated(time + kLargestStep) ||
      !soft.HoldsInterpolated(time - kLargestStep)) {
    return std::nullopt;
  }
  if (started_) {
    const double middle = soft.Interpolated(time - kHalfBit);
    const double error =
        middle * (last_value_ - soft.Interpolated(time)) / (amplitude_ * amplitude_);
    time += kGardnerGain * std::clamp(error, -kGardnerClip, kGardnerClip);
  }
  started_ = true;
  last_time_ = time;
  last_value_ = soft.Interpolated(time);
  return polarity_ * last_value_ / amplitude_;
}

}  // namespace tolvik
