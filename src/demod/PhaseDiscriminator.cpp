#include "demod/PhaseDiscriminator.h"

#include <cmath>
#include <numbers>

namespace tolvik {

double WrapPhaseDifference(double a) {
  if (a > std::numbers::pi) {
    return a - 2.0 * std::numbers::pi;
  }
  if (a < -std::numbers::pi) {
    return a + 2.0 * std::numbers::pi;
  }
  return a;
}

double PhaseDiscriminator::Process(double i, double q) {
  double theta = 0.0;
  if (i == 0.0 && q == 0.0) {
    theta = silent_phase_ == SilentPhase::HoldPrevious ? previous_theta_ : 0.0;
  } else {
    // For a tone cos(w*n) this phase decreases by w per sample.
    theta = std::atan2(i, q);
  }
  const double dev = WrapPhaseDifference(previous_theta_ - theta) - reference_phase_step_;
  previous_theta_ = theta;
  return dev;
}

}  // namespace tolvik
