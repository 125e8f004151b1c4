#include "demod/ButterworthLowPass.h"

#include <cmath>
#include <numbers>

namespace tolvik {

std::array<BiquadCoefficients, kButterworthSections> DesignButterworthLowPass(double cutoff_hz,
                                                                              double rate_hz) {
  constexpr int kOrder = 2 * kButterworthSections;
  // Pre-warped analogue cut-off, so that -3 dB falls exactly at cutoff_hz.
  const double k = std::tan(std::numbers::pi * cutoff_hz / rate_hz);
  const double k2 = k * k;
  std::array<BiquadCoefficients, kButterworthSections> sections{};
  for (int i = 0; i < kButterworthSections; ++i) {
    // The analogue pole pair s^2 + d*s + 1, from the widest to the sharpest.
    const double angle = std::numbers::pi * (2 * i + 1) / (2 * kOrder);
    const double d = 2.0 * std::cos(angle);
    const double norm = 1.0 / (1.0 + d * k + k2);
    const double b0 = k2 * norm;
    sections[i] = BiquadCoefficients{
        .a1 = -2.0 * (k2 - 1.0) * norm,
        .a2 = -(1.0 - d * k + k2) * norm,
        .b0 = b0,
        .b1 = 2.0 * b0,
        .b2 = b0,
    };
  }
  return sections;
}

}  // namespace tolvik
