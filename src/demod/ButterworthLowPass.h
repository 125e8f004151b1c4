#pragma once

#include <array>

#include "demod/BiquadSection.h"

namespace tolvik {

inline constexpr int kButterworthSections = 4;  // eighth order

// An eighth-order Butterworth low-pass as four biquad sections, made with the
// bilinear transform with the cut-off pre-warped; unity gain at 0 Hz. The
// sections come in order of rising Q, the sharpest last.
std::array<BiquadCoefficients, kButterworthSections> DesignButterworthLowPass(double cutoff_hz,
                                                                              double rate_hz);

}  // namespace tolvik
