#pragma once

#include <span>

#include "demod/FirTables.h"
#include "demod/QuadratureFilter.h"

namespace tolvik {

// What the phase reads when both quadrature components are exactly zero
// (digital silence), where the arc tangent is undefined.
enum class SilentPhase {
  Zero,          // HF: the phase reads 0
  HoldPrevious,  // VHF: the phase keeps its last value
};

// Brings a phase difference from (-2*pi, 2*pi) into [-pi, pi] with one
// correction by 2*pi.
double WrapPhaseDifference(double a);

// Measures the instantaneous frequency of a band-limited signal: a Hilbert
// filter gives the quadrature component Q of the sample at its centre tap
// (the in-phase component I), and the phase change of atan2(I, Q) from one
// sample to the next, less the reference step, is the frequency offset from
// the reference in radians per sample, positive above. One channel's worth.
class QuadratureDiscriminator {
 public:
  QuadratureDiscriminator(std::span<const double, kQuadratureTaps> table,
                          double reference_phase_step, SilentPhase silent_phase);

  double Process(double x);

 private:
  QuadratureFilter quadrature_;  // Hilbert filter and its delay line
  double reference_phase_step_;  // phase a reference-frequency tone turns per sample
  SilentPhase silent_phase_;     // rule for I = Q = 0
  double previous_theta_ = 0.0;  // phase of the previous sample, radians
};

}  // namespace tolvik
