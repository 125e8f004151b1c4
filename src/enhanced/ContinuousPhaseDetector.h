#pragma once

#include <array>
#include <complex>

#include "enhanced/EnhancedVhfParameters.h"
#include "enhanced/ToneFilterPair.h"

namespace tolvik {

// The soft value and envelope of one VHF bit from a window of three bits of
// continuous-phase FSK (1300 Hz for bit 1, 2100 Hz for bit 0, 1200 bit/s at
// 12 kHz).
//
// Per working sample each tone's complex sum over the last bit is taken
// against a phasor of absolute time, so that a tone held across bits keeps
// one phase in it. Where the bits change tone the phase of the signal runs
// on, which in these sums turns the phase by +-2 pi 800 Hz k / 12 kHz, k the
// change's sample. For every pattern of the window's bits the sums of its
// tones, turned at its changes, add up to the pattern's correlation with the
// received signal; its magnitude is the non-coherent statistic of the
// pattern. The soft value is the best pattern's magnitude with the middle
// bit 1 less the best with it 0, the envelope their sum: on one bit alone
// this is the HF decoder's |S1| - |S0| and |S1| + |S0|.
//
// The soft value at sample n is that of the bit that ended
// kVhfDetectionDelaySamples before n. The phasors come from tables of one
// period, so the phase stays exact however long the decoder runs.
class ContinuousPhaseDetector {
 public:
  ContinuousPhaseDetector();

  // Takes one working sample.
  ToneOutput Process(double x);

 private:
  using Complex = std::complex<double>;
  static constexpr int kHistory = 64;  // bit sums kept, a power of two
  static_assert(kHistory > (kVhfDetectionBits - 1) * kVhfEnhancedSamplesPerBit);
  static_assert(kVhfDetectionBits == 3, "the patterns are the middle bit and one either side");

  void UpdateBitSums(double x);
  ToneOutput Decide() const;

  std::array<Complex, kVhfPhasorPeriodSamples> mark_phasor_{};   // exp(-j 2 pi 1300 k / 12000)
  std::array<Complex, kVhfPhasorPeriodSamples> space_phasor_{};  // exp(-j 2 pi 2100 k / 12000)
  std::array<Complex, kVhfPhasorPeriodSamples> change_turn_{};   // exp(-j 2 pi 800 k / 12000)
  std::array<double, kVhfEnhancedSamplesPerBit> samples_{};      // the last bit, by phase index
  std::array<Complex, kHistory> mark_sums_{};                    // bit sums ending at each sample
  std::array<Complex, kHistory> space_sums_{};
  int phase_index_ = 0;  // of the next sample, modulo the phasor period
  int newest_ = 0;       // slot of the newest bit sums
};

}  // namespace tolvik
