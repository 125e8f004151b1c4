#pragma once

#include <array>

#include "demod/BiquadSection.h"

namespace tolvik {

inline constexpr int kAntiAliasSections = 4;

using AntiAliasCoefficients = std::array<BiquadCoefficients, kAntiAliasSections>;

// Eighth-order Butterworth low-passes at 48 kHz (bilinear transform, cut-off
// pre-warped), unity gain at 0 Hz, section 1 first. They keep what lies above
// the working rate's Nyquist frequency out of the decimated signal.

// -3 dB at 1200 Hz, ahead of decimation to 4800 Hz.
inline constexpr AntiAliasCoefficients kHfAntiAliasCoefficients{{
    {1.71261285, -0.73396079, 0.00533698, 0.01067397, 0.00533698},
    {1.74801189, -0.76980108, 0.0054473, 0.01089459, 0.0054473},
    {1.81742378, -0.84007819, 0.0056636, 0.01132721, 0.0056636},
    {1.91687583, -0.94076993, 0.00597352, 0.01194705, 0.00597352},
}};

// -3 dB at 5000 Hz, ahead of decimation to 12000 Hz.
inline constexpr AntiAliasCoefficients kVhfAntiAliasCoefficients{{
    {0.99351462, -0.25229777, 0.06469579, 0.12939158, 0.06469579},
    {1.05347353, -0.32787433, 0.0686002, 0.1372004, 0.0686002},
    {1.18569358, -0.49453405, 0.07721012, 0.15442023, 0.07721012},
    {1.41826823, -0.78768798, 0.09235494, 0.18470988, 0.09235494},
}};

// Four biquad sections in cascade, one channel's worth.
class AntiAliasFilter {
 public:
  explicit AntiAliasFilter(const AntiAliasCoefficients& coefficients);

  double Process(double x) {
    for (BiquadSection& section : sections_) {
      x = section.Process(x);
    }
    return x;
  }

 private:
  std::array<BiquadSection, kAntiAliasSections> sections_;  // section 1 first
};

}  // namespace tolvik
