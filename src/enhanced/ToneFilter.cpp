#include "enhanced/ToneFilter.h"

#include <cmath>

namespace tolvik {

namespace {

// Once per second the running sum is summed afresh from its terms.
constexpr int kBitsPerRebuild = kHfBitRate;

}  // namespace

void ToneFilter::Retune(double frequency_hz) {
  const double step = -kTwoPi * frequency_hz / kEnhancedWorkingRateHz;
  step_re_ = std::cos(step);
  step_im_ = std::sin(step);
  phasor_re_ = 1.0;
  phasor_im_ = 0.0;
  sum_re_ = 0.0;
  sum_im_ = 0.0;
  terms_re_.fill(0.0);
  terms_im_.fill(0.0);
  next_ = 0;
  bits_since_rebuild_ = 0;
}

double ToneFilter::Magnitude() const {
  return std::sqrt(sum_re_ * sum_re_ + sum_im_ * sum_im_);
}

void ToneFilter::AtEndOfBit() {
  // One Newton step towards unit length: the drift per bit is of the order
  // of the rounding error, far inside the step's reach.
  const double length_squared = phasor_re_ * phasor_re_ + phasor_im_ * phasor_im_;
  const double correction = 1.5 - 0.5 * length_squared;
  phasor_re_ *= correction;
  phasor_im_ *= correction;
  if (++bits_since_rebuild_ < kBitsPerRebuild) {
    return;
  }
  bits_since_rebuild_ = 0;
  sum_re_ = 0.0;
  sum_im_ = 0.0;
  for (int i = 0; i < kEnhancedSamplesPerBit; ++i) {
    sum_re_ += terms_re_[i];
    sum_im_ += terms_im_[i];
  }
}

}  // namespace tolvik
