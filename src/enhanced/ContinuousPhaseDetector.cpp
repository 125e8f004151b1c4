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
  for (int i = 0; i < kVhfEnhancedSamplesPerBit; ++i) {
    const int k = (phase_index_ - i + kVhfPhasorPeriodSamples) % kVhfPhasorPeriodSamples;
    const double sample = samples_[k % kVhfEnhancedSamplesPerBit];
    mark += sample * mark_phasor_[k];
    space += sample * space_phasor_[k];
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
  constexpr int kMiddle = kVhfDetectionBits / 2;
  double best_one = 0.0;
  double best_zero = 0.0;
  for (int pattern = 0; pattern < kVhfDetectionPatterns; ++pattern) {
    Complex sum;
    Complex rotation(1.0, 0.0);
    int previous = -1;
    for (int j = 0; j < kVhfDetectionBits; ++j) {
      const int bit = (pattern >> (kVhfDetectionBits - 1 - j)) & 1;
      if (previous >= 0 && bit != previous) {
        // From the 1 tone to the 0 tone the sums turn back by the change's
        // phase, from 0 to 1 forward.
        rotation *= previous == 1 ? turn[j] : std::conj(turn[j]);
      }
      sum += rotation * (bit == 1 ? mark[j] : space[j]);
      previous = bit;
    }
    // Compared squared; only the two best need a square root.
    const double power = std::norm(sum);
    if (((pattern >> (kVhfDetectionBits - 1 - kMiddle)) & 1) == 1) {
      best_one = std::max(best_one, power);
    } else {
      best_zero = std::max(best_zero, power);
    }
  }
  const double one = std::sqrt(best_one);
  const double zero = std::sqrt(best_zero);
  return {one - zero, one + zero};
}

}  // namespace tolvik
