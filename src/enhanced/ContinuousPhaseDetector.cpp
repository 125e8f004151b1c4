#include "enhanced/ContinuousPhaseDetector.h"

#include <algorithm>
#include <cmath>

namespace tolvik {

namespace {

constexpr double kChangeHz = kVhfSpaceHz - kVhfMarkHz;  // 800

std::complex<double> Phasor(double frequency_hz, int k) {
  return std::polar(1.0, -kTwoPi * frequency_hz * k / kVhfWorkingRateHz);
}

}  // namespace

ContinuousPhaseDetector::ContinuousPhaseDetector() {
  for (int k = 0; k < kVhfPhasorPeriodSamples; ++k) {
    mark_phasor_[k] = Phasor(kVhfMarkHz, k);
    space_phasor_[k] = Phasor(kVhfSpaceHz, k);
    change_turn_[k] = Phasor(kChangeHz, k);
  }
}

ToneOutput ContinuousPhaseDetector::Process(double x) {
  UpdateBitSums(x);
  return Decide();
}

void ContinuousPhaseDetector::UpdateBitSums(double x) {
  samples_[phase_index_ % kVhfEnhancedSamplesPerBit] = x;
  // Summed afresh from the last bit's samples: ten terms, and no rounding
  // carried from one sample to the next.
  Complex mark;
  Complex space;
  int k = phase_index_;                                 // phasor index of sample n - i
  int slot = phase_index_ % kVhfEnhancedSamplesPerBit;  // and its slot in samples_
  for (int i = 0; i < kVhfEnhancedSamplesPerBit; ++i) {
    const double sample = samples_[slot];
    mark += sample * mark_phasor_[k];
    space += sample * space_phasor_[k];
    k = k == 0 ? kVhfPhasorPeriodSamples - 1 : k - 1;
    slot = slot == 0 ? kVhfEnhancedSamplesPerBit - 1 : slot - 1;
  }
  newest_ = (newest_ + 1) % kHistory;
  mark_sums_[newest_] = mark;
  space_sums_[newest_] = space;
  phase_index_ = (phase_index_ + 1) % kVhfPhasorPeriodSamples;
}

ToneOutput ContinuousPhaseDetector::Decide() const {
  // Bit j of the window (oldest first) ends (bits - 1 - j) bits before the
  // newest sample; the change into bit j lies at its first sample.
  std::array<Complex, kVhfDetectionBits> mark{};
  std::array<Complex, kVhfDetectionBits> space{};
  std::array<Complex, kVhfDetectionBits> turn{};  // into bit j from a 1 to a 0
  const int newest_phase = (phase_index_ - 1 + kVhfPhasorPeriodSamples) % kVhfPhasorPeriodSamples;
  for (int j = 0; j < kVhfDetectionBits; ++j) {
    const int back = (kVhfDetectionBits - 1 - j) * kVhfEnhancedSamplesPerBit;
    const int slot = (newest_ - back + kHistory) % kHistory;
    mark[j] = mark_sums_[slot];
    space[j] = space_sums_[slot];
    const int first = back + kVhfEnhancedSamplesPerBit - 1;
    turn[j] = std::conj(
        change_turn_[(newest_phase - first % kVhfPhasorPeriodSamples + kVhfPhasorPeriodSamples) %
                     kVhfPhasorPeriodSamples]);
  }
  // With the middle bit's phase as the reference, a neighbour on the same
  // tone adds as it is, one on the other tone turned by the change between
  // them; of the four patterns around each middle value the best counts.
  // Compared squared; only the two best need a square root.
  double best_one = 0.0;
  double best_zero = 0.0;
  for (const int middle : {0, 1}) {
    const Complex centre = middle == 1 ? mark[1] : space[1];
    // From the 1 tone to the 0 tone the sums turn back by the change's
    // phase, from 0 to 1 forward; a left neighbour turns the other way.
    const std::array<Complex, 2> left{
        middle == 1 ? mark[0] : space[0],
        middle == 1 ? space[0] * turn[1] : mark[0] * std::conj(turn[1])};
    const std::array<Complex, 2> right{
        middle == 1 ? mark[2] : space[2],
        middle == 1 ? space[2] * turn[2] : mark[2] * std::conj(turn[2])};
    double best = 0.0;
    for (const Complex& before : left) {
      for (const Complex& after : right) {
        best = std::max(best, std::norm(centre + before + after));
      }
    }
    (middle == 1 ? best_one : best_zero) = best;
  }
  const double one = std::sqrt(best_one);
  const double zero = std::sqrt(best_zero);
  return {one - zero, one + zero};
}

}  // namespace tolvik
