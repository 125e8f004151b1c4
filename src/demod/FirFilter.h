#pragma once

#include <cstddef>
#include <span>

#include "demod/DelayLine.h"

namespace tolvik {

// A finite-impulse-response filter of N taps, one channel's worth. The table
// is shared constant data and must outlive the filter; the delay line is the
// filter's own.
template <std::size_t N>
class FirFilter {
 public:
  static_assert(N % 2 == 1, "the centre tap needs an odd length");
  static constexpr std::size_t kCentreTap = (N - 1) / 2;

  explicit FirFilter(std::span<const double, N> table) : table_(table) {}

  // Accumulated from the newest sample upwards, always in the same order, so
  // that results are reproducible to the last bit.
  double Process(double x) {
    line_.Push(x);
    const std::span<const double, N> line = line_.Values();
    double sum = 0.0;
    for (std::size_t k = 0; k < N; ++k) {
      sum += table_[k] * line[k];
    }
    return sum;
  }

  // The input (N-1)/2 samples ago: the sample a symmetric or antisymmetric
  // table's output lines up with.
  double CentreTap() const { return line_[kCentreTap]; }

 private:
  std::span<const double, N> table_;  // h[0..N-1], h[0] weighting the newest sample
  DelayLine<N> line_;                 // the last N inputs, newest at index 0
};

}  // namespace tolvik
