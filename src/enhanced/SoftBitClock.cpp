#include "enhanced/SoftBitClock.h"

#include <algorithm>

#include "enhanced/EnhancedParameters.h"

namespace tolvik {

void SoftBitClock::Start(double first_time, double amplitude, int polarity) {
  last_time_ = first_time - samples_per_bit_;
  amplitude_ = amplitude;
  polarity_ = polarity;
  started_ = false;
}

std::optional<double> SoftBitClock::NextBit(const SampleRing& soft) {
  double time = last_time_ + samples_per_bit_;
  // The farthest the loop moves one instant, in working samples.
  const double largest_step = gain_ * kGardnerClip;
  if (!soft.HoldsInterpolated(time + largest_step) ||
      !soft.HoldsInterpolated(time - largest_step)) {
    return std::nullopt;
  }
  if (started_) {
    const double middle = soft.Interpolated(time - 0.5 * samples_per_bit_);
    const double error =
        middle * (last_value_ - soft.Interpolated(time)) / (amplitude_ * amplitude_);
    time += gain_ * std::clamp(error, -kGardnerClip, kGardnerClip);
  }
  started_ = true;
  last_time_ = time;
  last_value_ = soft.Interpolated(time);
  return polarity_ * last_value_ / amplitude_;
}

}  // namespace tolvik
