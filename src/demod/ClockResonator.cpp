#include "demod/ClockResonator.h"

#include <cmath>
#include <numbers>

namespace tolvik {

ClockResonator::ClockResonator(double centre_hz, double bandwidth_hz, double gain,
                               double sampling_period_s)
    : a1_(2.0 * std::exp(-std::numbers::pi * bandwidth_hz * sampling_period_s) *
          std::cos(2.0 * std::numbers::pi * centre_hz * sampling_period_s)),
      a2_(-std::exp(-2.0 * std::numbers::pi * bandwidth_hz * sampling_period_s)),
      b0_(gain * std::sin(2.0 * std::numbers::pi * centre_hz * sampling_period_s)) {}

}  // namespace tolvik
