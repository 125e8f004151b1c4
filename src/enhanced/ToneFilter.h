#pragma once

#include <array>

#include "enhanced/EnhancedParameters.h"

namespace tolvik {

// A matched filter for one tone over one bit: the complex sum, over the last
// 48 working samples, of x[k] * exp(-j*2*pi*f*k/4800), kept as a running sum.
//
// The mixing phase is a unit phasor turned by a fixed step every sample and
// brought back to unit length once per bit, so it stays bounded however long
// the decoder runs. The running sum is rebuilt from its 48 stored terms once
// per second, so rounding cannot pile up over days either.
class ToneFilter {
 public:
  explicit ToneFilter(double frequency_hz = 0.0) { Retune(frequency_hz); }

  // Moves the filter to another tone and forgets all samples.
  void Retune(double frequency_hz);

  // Takes one working sample; returns |sum| over the last bit.
  double Process(double x) {
    const double term_re = x * phasor_re_;
    const double term_im = x * phasor_im_;
    sum_re_ += term_re - terms_re_[next_];
    sum_im_ += term_im - terms_im_[next_];
    terms_re_[next_] = term_re;
    terms_im_[next_] = term_im;
    Rotate();
    if (++next_ == kEnhancedSamplesPerBit) {
      next_ = 0;
      AtEndOfBit();
    }
    return Magnitude();
  }

 private:
  void Rotate() {
    const double re = phasor_re_ * step_re_ - phasor_im_ * step_im_;
    phasor_im_ = phasor_re_ * step_im_ + phasor_im_ * step_re_;
    phasor_re_ = re;
  }
  double Magnitude() const;
  void AtEndOfBit();

  double step_re_ = 1.0;  // exp(-j*2*pi*f/4800): the phasor's turn per sample
  double step_im_ = 0.0;
  double phasor_re_ = 1.0;  // exp(-j*2*pi*f*k/4800) for the next sample, unit length
  double phasor_im_ = 0.0;
  double sum_re_ = 0.0;  // sum of the stored terms
  double sum_im_ = 0.0;
  std::array<double, kEnhancedSamplesPerBit> terms_re_{};  // the last bit's terms
  std::array<double, kEnhancedSamplesPerBit> terms_im_{};
  int next_ = 0;  // slot of the oldest term, overwritten next
  int bits_since_rebuild_ = 0;
};

}  // namespace tolvik
