#pragma once

#include <array>
#include <complex>
#include <span>

#include "demod/BiquadSection.h"
#include "demod/ButterworthLowPass.h"

namespace tolvik {

// Moves a band of audio from one centre frequency to another, as a receiver
// tuned differently would have delivered it: the band around `from_hz` is
// mixed down to 0 Hz as a complex (analytic) signal, low-passed to keep only
// that band, mixed up to `to_hz`, and its real part taken. Used to bring HF
// DSC heard around 1700 Hz (an SSB receiver on the assigned frequency) to the
// centres the HF demodulator works at.
class FrequencyShifter {
 public:
  // Half the width of the band kept around the centre: the DSC tones sit
  // 85 Hz either side, plus room for a mistuned receiver.
  static constexpr double kHalfBandwidthHz = 400.0;

  FrequencyShifter(double from_hz, double to_hz, double rate_hz);

  // Shifts `samples` in place.
  void Process(std::span<double> samples);

 private:
  using Sections = std::array<BiquadSection, kButterworthSections>;
  std::complex<double> Filter(std::complex<double> x);
  static std::complex<double> Rotate(std::complex<double> a, std::complex<double> b);

  std::complex<double> down_step_;  // rotation per sample towards 0 Hz
  std::complex<double> up_step_;    // rotation per sample up to the new centre
  std::complex<double> down_;       // current down-mixing phasor, unit length
  std::complex<double> up_;         // current up-mixing phasor, unit length
  Sections in_phase_;               // low-pass of the real part
  Sections quadrature_;             // low-pass of the imaginary part
};

}  // namespace tolvik
