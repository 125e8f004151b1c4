#pragma once

#include <span>

#include "demod/FirTables.h"
#include "demod/PhaseDiscriminator.h"
#include "demod/QuadratureFilter.h"

namespace tolvik {

// Measures the instantaneous frequency of a band-limited signal sample by
// sample: the Hilbert filter gives the quadrature component Q of the sample
// at its centre tap (the in-phase component I), and the phase discriminator
// turns the pair into the offset from the reference frequency in radians
// per sample, positive above. One channel's worth.
class QuadratureDiscriminator {
 public:
  QuadratureDiscriminator(std::span<const double, kQuadratureTaps> table,
                          double reference_phase_step, SilentPhase silent_phase)
      : quadrature_(table), phase_(reference_phase_step, silent_phase) {}

  double Process(double x) {
    const double q = quadrature_.Process(x);
    return phase_.Process(quadrature_.CentreTap(), q);
  }

 private:
  QuadratureFilter quadrature_;  // Hilbert filter and its delay line
  PhaseDiscriminator phase_;     // phase differences of successive samples
};

}  // namespace tolvik
