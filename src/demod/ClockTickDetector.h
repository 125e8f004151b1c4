#pragma once

#include <cstddef>

#include "demod/ClockResonator.h"
#include "demod/DelayLine.h"

namespace tolvik {

// Regenerates the bit clock: the resonator's output goes through a short
// delay line, and a tick is a rise of the delayed output's sign from negative
// to non-negative. The tap sets where within a bit the ticks fall. One
// channel's worth.
template <std::size_t DelayLength>
class ClockTickDetector {
 public:
  ClockTickDetector(const ClockResonator& resonator, std::size_t tap)
      : resonator_(resonator), tap_(tap) {}

  // Takes one resonator input; true when a bit is to be decided at this sample.
  bool Process(double v) {
    delayed_.Push(resonator_.Process(v));
    const int sign = delayed_[tap_] >= 0.0 ? 1 : -1;
    // The previous sign starts at 0, so the very first non-negative reading
    // after start-up counts as a rise too.
    const bool tick = previous_sign_ < sign;
    previous_sign_ = sign;
    return tick;
  }

 private:
  ClockResonator resonator_;        // rings at the bit rate
  DelayLine<DelayLength> delayed_;  // recent resonator outputs, newest first
  std::size_t tap_;                 // which delayed output decides the sign
  int previous_sign_ = 0;  // sign at the previous sample: 0 before the first, then -1 or +1
};

}  // namespace tolvik
