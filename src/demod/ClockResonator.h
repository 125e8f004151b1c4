#pragma once

namespace tolvik {

// A two-pole resonator that rings at the bit rate when driven by the dips of
// the detected frequency at bit transitions; its zero crossings give the bit
// clock. One channel's worth.
class ClockResonator {
 public:
  ClockResonator(double centre_hz, double bandwidth_hz, double gain, double sampling_period_s);

  double Process(double v) {
    const double r = b0_ * v + a1_ * r1_ + a2_ * r2_;
    r2_ = r1_;
    r1_ = r;
    return r;
  }

  double A1() const { return a1_; }
  double A2() const { return a2_; }
  double B0() const { return b0_; }

 private:
  double a1_;        // 2*exp(-pi*B*T)*cos(2*pi*f0*T): sets the ringing frequency
  double a2_;        // -exp(-2*pi*B*T): sets the decay, hence the bandwidth
  double b0_;        // g*sin(2*pi*f0*T): input gain
  double r1_ = 0.0;  // previous output
  double r2_ = 0.0;  // output two samples back
};

}  // namespace tolvik
