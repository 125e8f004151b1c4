#pragma once

#include <cstddef>
#include <span>

#include "demod/DelayLine.h"
#include "demod/FirTables.h"

namespace tolvik {

// The Hilbert (quadrature) filter: a FIR filter whose taps at an even
// distance from the centre are all zero. It sums only the other half, in
// the same order as a full filter would, and gives the same result: adding
// the product of a zero tap changes a sum by nothing (at most the sign of
// an exactly zero sum, which the phase discriminator treats as silence
// either way). One channel's worth.
class QuadratureFilter {
 public:
  static constexpr std::size_t kTaps = kQuadratureTaps;
  static constexpr std::size_t kCentreTap = (kTaps - 1) / 2;
  static_assert(kCentreTap % 2 == 1, "the non-zero taps must sit at even indexes");

  explicit QuadratureFilter(std::span<const double, kTaps> table) : table_(table) {}

  double Process(double x) {
    line_.Push(x);
    const std::span<const double, kTaps> line = line_.Values();
    double sum = 0.0;
    for (std::size_t k = 0; k < kTaps; k += 2) {
      sum += table_[k] * line[k];
    }
    return sum;
  }

  // The sample whose quadrature component Process returns.
  double CentreTap() const { return line_[kCentreTap]; }

 private:
  std::span<const double, kTaps> table_;  // h[0..50], zero at every odd index
  DelayLine<kTaps> line_;                 // the last 51 inputs, newest at index 0
};

}  // namespace tolvik
