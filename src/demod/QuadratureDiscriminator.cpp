#include "demod/QuadratureDiscriminator.h"

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

QuadratureDiscriminator::QuadratureDiscriminator(std::span<const double, kQuadratureTaps> table,
                                                 double reference_phase_step,
                                                 SilentPhase silent_phase)
    : quadrature_(table),
      reference_phase_step_(reference_phase_step),
      silent_phase_(silent_phase) {}

double QuadratureDiscriminator::Process(double x) {
  const double q = quadrature_.Process(x);
  const double i = quadrature_.CentreTap();
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
