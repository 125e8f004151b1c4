#pragma once

#include <array>
#include <span>

#include "enhanced/EnhancedParameters.h"
#include "enhanced/NoncoherentBitLikelihood.h"
#include "enhanced/SampleRing.h"

namespace tolvik {

// Amplitude and noise of a reception, measured on the template's known bits:
// A is the mean soft value there, Variance the mean squared deviation of the
// normalised soft values from 1.
struct SignalLevel {
  double Amplitude = 0.0;
  double Variance = 0.0;
};

// The 180 bits that open every call, as the sync looks for them: the last 20
// dot-pattern bits (1, 0, 1, 0, ..., ending with 0), then the phasing as
// transmitted with DX and RX interleaved: DX 125, RX 111, DX 125, RX 110, ...,
// DX 125, RX 106, [DX format specifier], RX 105, [DX format specifier], RX 104.
// Each weight is +1 for a 1 bit (the lower tone, a positive soft value), -1
// for a 0 bit and 0 for the two unknown format specifiers. Weight k belongs to
// the bit that ends 48 * (179 - k) working samples before the template's end.
class SyncTemplate {
 public:
  SyncTemplate();

  std::span<const double, kTemplateBits> Weights() const { return weights_; }
  int KnownBits() const { return known_bits_; }

  // Sum of weight times value, the values oldest bit first.
  double Correlate(std::span<const double, kTemplateBits> values) const;

  // The same with the 1 bits and the 0 bits weighted equally in total
  // (each +1 / ones or -1 / zeros). The phasing holds more 1 bits than 0
  // bits, and a tone pair moved towards the 1 tone favours the 1 bits as
  // much as it loses on the 0 bits: only the balanced sum peaks on tune.
  double CorrelateBalanced(std::span<const double, kTemplateBits> values) const;

  // The level of a reception whose template ends at `end_time` (a fractional
  // working-sample index into `soft`), with its polarity (+1 or -1).
  // The bits are `samples_per_bit` working samples long (HF by default).
  SignalLevel MeasureLevel(const SampleRing& soft, double end_time, int polarity,
                           int samples_per_bit = kEnhancedSamplesPerBit) const;

  // The tone levels of the same reception from its soft values and
  // envelopes: on each known bit the envelope of the tone sent is
  // (e + d) / 2 and that of the other (e - d) / 2, signed by the bit and the
  // polarity. The noise power is the mean square of the other; the tone sent
  // holds the signal's power on top of it.
  ToneLevels MeasureToneLevels(const SampleRing& soft, const SampleRing& envelope, double end_time,
                               int polarity) const;

  // The time of template bit k, counted back from the template's end.
  static double BitTime(double end_time, int k, int samples_per_bit = kEnhancedSamplesPerBit) {
    return end_time - static_cast<double>(samples_per_bit * (kTemplateBits - 1 - k));
  }

 private:
  std::array<double, kTemplateBits> weights_{};
  std::array<double, kTemplateBits> balanced_weights_{};
  int known_bits_ = 0;  // weights that are not 0
};

}  // namespace tolvik
