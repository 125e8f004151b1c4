#pragma once

#include <array>
#include <cstddef>
#include <span>

namespace tolvik {

// A fixed-length history of values, newest at index 0, starting filled with
// zeros; each Push drops the oldest value.
//
// Each value is stored twice, N places apart, in a buffer of 2N, and the
// start of the line moves back one place per push. The N newest values thus
// always lie side by side, newest first, without shifting the whole line on
// every sample.
template <std::size_t N>
class DelayLine {
 public:
  static_assert(N > 0);

  void Push(double x) {
    start_ = start_ == 0 ? N - 1 : start_ - 1;
    values_[start_] = x;
    values_[start_ + N] = x;
  }

  double operator[](std::size_t age) const { return values_[start_ + age]; }

  static constexpr std::size_t Size() { return N; }

  // The whole line, newest first.
  std::span<const double, N> Values() const {
    return std::span<const double, N>(values_.data() + start_, N);
  }

 private:
  std::array<double, 2 * N> values_{};  // the line twice over
  std::size_t start_ = 0;               // index of the newest value
};

}  // namespace tolvik
