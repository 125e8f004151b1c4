#pragma once

namespace tolvik {

// The coefficients of one second-order section. The feedback terms carry the
// sign they are added with: w0 = x + a1*w1 + a2*w2.
struct BiquadCoefficients {
  double a1;  // feedback from one sample back
  double a2;  // feedback from two samples back
  double b0;  // feed-forward of the current state
  double b1;  // feed-forward from one sample back
  double b2;  // feed-forward from two samples back
};

// One second-order IIR section in direct form II, one channel's worth.
class BiquadSection {
 public:
  explicit BiquadSection(const BiquadCoefficients& coefficients) : c_(coefficients) {}

  double Process(double x) {
    w0_ = x + c_.a1 * w1_ + c_.a2 * w2_;
    const double y = c_.b0 * w0_ + c_.b1 * w1_ + c_.b2 * w2_;
    w2_ = w1_;
    w1_ = w0_;
    return y;
  }

  const BiquadCoefficients& Coefficients() const { return c_; }

 private:
  BiquadCoefficients c_;  // fixed for the life of the section
  double w0_ = 0.0;       // internal state of the current sample
  double w1_ = 0.0;       // internal state one sample back
  double w2_ = 0.0;       // internal state two samples back
};

}  // namespace tolvik
