#pragma once

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

// Turns the in-phase and quadrature components of successive samples into
// the instantaneous frequency: the phase change of atan2(I, Q) from one
// sample to the next, less the reference step, is the offset from the
// reference frequency in radians per sample, positive above. One channel's
// worth.
class PhaseDiscriminator {
 public:
  PhaseDiscriminator(double reference_phase_step, SilentPhase silent_phase)
      : reference_phase_step_(reference_phase_step), silent_phase_(silent_phase) {}

  double Process(double i, double q);

 private:
  double reference_phase_step_;  // phase a reference-frequency tone turns per sample
  SilentPhase silent_phase_;     // rule for I = Q = 0
  double previous_theta_ = 0.0;  // phase of the previous sample, radians
};

}  // namespace tolvik
