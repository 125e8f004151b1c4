#pragma once

#include <optional>

namespace tolvik {

// How a recording's HF centre is brought to the decoder: the decoder tunes
// directly to centres from 500 to 1000 Hz in steps of 10 Hz (DecFc); any
// other centre is moved to 800 Hz by a frequency shifter on the input.
struct CentrePlan {
  int dec_fc = 80;                      // decoder centre, units of 10 Hz
  std::optional<double> shift_from_hz;  // the recording's centre, when shifted to dec_fc
};

CentrePlan PlanCentre(double centre_hz);

}  // namespace tolvik
