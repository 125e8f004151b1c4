#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/SixteenBitSample.h"

namespace tolvik {

// Continuous-phase FSK at a fixed sample rate: each bit holds the mark (bit
// 1) or space (bit 0) frequency for one bit period, and the phase runs on
// without a jump at every change. The bit period need not be a whole number
// of samples (a bit-rate error can be given); the modulator keeps its phase
// and its position within the bit grid from one call to the next, so a long
// signal may be produced piece by piece.
//
// HF DSC: mark = centre - 85 Hz, space = centre + 85 Hz, 100 bit/s.
// VHF DSC: mark = 1300 Hz, space = 2100 Hz, 1200 bit/s.
class FskModulator {
 public:
  static constexpr double kDefaultSampleRateHz = 48000.0;

  FskModulator(double mark_hz, double space_hz, double bit_rate, double amplitude,
               double sample_rate_hz = kDefaultSampleRateHz);

  // Appends the samples that carry `bits` (each 0 or 1; any non-zero is a 1).
  void Modulate(std::span<const std::uint8_t> bits, std::vector<double>& out);

  // As Modulate, rounded to the nearest integer and clipped to 16 bits.
  void ModulateInt16(std::span<const std::uint8_t> bits, std::vector<std::int16_t>& out);

 private:
  double mark_step_;               // phase advance per sample for a 1, radians
  double space_step_;              // phase advance per sample for a 0, radians
  double samples_per_bit_;         // bit period in samples, not necessarily whole
  double amplitude_;               // peak value of the output
  double phase_ = 0.0;             // carrier phase of the next sample, in [0, 2*pi)
  std::int64_t bits_sent_ = 0;     // bits modulated so far: where the bit grid stands
  std::int64_t samples_sent_ = 0;  // samples written so far
};

}  // namespace tolvik
