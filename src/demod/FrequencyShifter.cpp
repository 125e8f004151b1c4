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

double FrequencyShifter::Filter(Sections& sections, double x) {
  for (BiquadSection& section : sections) {
    x = section.Process(x);
  }
  return x;
}

void FrequencyShifter::Process(std::span<double> samples) {
  for (double& sample : samples) {
    const std::complex<double> mixed = sample * down_;
    const std::complex<double> baseband(Filter(in_phase_, mixed.real()),
                                        Filter(quadrature_, mixed.imag()));
    // The kept band carries half the real signal's amplitude; the real part
    // of the moved analytic signal restores it.
    sample = 2.0 * (baseband * up_).real();
    down_ *= down_step_;
    up_ *= up_step_;
  }
  // Rounding makes the phasors drift off unit length; pull them back once a
  // call, which is often enough for any block size.
  down_ /= std::abs(down_);
  up_ /= std::abs(up_);
}

}  // namespace tolvik
