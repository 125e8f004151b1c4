#include "demod/FrequencyShifter.h"

#include <cmath>
#include <numbers>

namespace tolvik {

namespace {

std::complex<double> RotationPerSample(double frequency_hz, double rate_hz) {
  return std::polar(1.0, 2.0 * std::numbers::pi * frequency_hz / rate_hz);
}

std::array<BiquadSection, kButterworthSections> MakeSections(double rate_hz) {
  const auto c = DesignButterworthLowPass(FrequencyShifter::kHalfBandwidthHz, rate_hz);
  return {BiquadSection(c[0]), BiquadSection(c[1]), BiquadSection(c[2]), BiquadSection(c[3])};
}

}  // namespace

FrequencyShifter::FrequencyShifter(double from_hz, double to_hz, double rate_hz)
    : down_step_(RotationPerSample(-from_hz, rate_hz)),
      up_step_(RotationPerSample(to_hz, rate_hz)),
      down_(1.0, 0.0),
      up_(1.0, 0.0),
      in_phase_(MakeSections(rate_hz)),
      quadrature_(MakeSections(rate_hz)) {}

std::complex<double> FrequencyShifter::Filter(std::complex<double> x) {
  // Both parts section by section, side by side: the two chains are
  // independent, and interleaving them lets their recursions overlap.
  double re = x.real();
  double im = x.imag();
  for (int k = 0; k < kButterworthSections; ++k) {
    re = in_phase_[k].Process(re);
    im = quadrature_[k].Process(im);
  }
  return {re, im};
}

// Products of unit phasors, written out: the library's complex product
// guards against infinities and NaNs, which cannot occur here, at the cost of
// a function call per product.
std::complex<double> FrequencyShifter::Rotate(std::complex<double> a, std::complex<double> b) {
  return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

void FrequencyShifter::Process(std::span<double> samples) {
  for (double& sample : samples) {
    const std::complex<double> baseband = Filter(sample * down_);
    // The kept band carries half the real signal's amplitude; the real part
    // of the moved analytic signal restores it.
    sample = 2.0 * Rotate(baseband, up_).real();
    down_ = Rotate(down_, down_step_);
    up_ = Rotate(up_, up_step_);
  }
  // Rounding makes the phasors drift off unit length; pull them back once a
  // call, which is often enough for any block size.
  down_ /= std::abs(down_);
  up_ /= std::abs(up_);
}

}  // namespace tolvik
