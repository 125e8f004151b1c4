#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

namespace tolvik {

// A fixed-length history of values, newest at index 0. Every Push shifts the
// whole line by one and drops the oldest value. Starts filled with zeros.
template <std::size_t N>
class DelayLine {
 public:
  static_assert(N > 0);

  void Push(double x) {
    std::copy_backward(values_.begin(), values_.end() - 1, values_.end());
    values_[0] = x;
  }

  double operator[](std::size_t age) const { return values_[age]; }
  static constexpr std::size_t Size() { return N; }
  const std::array<double, N>& Values() const { return values_; }

 private:
  std::array<double, N> values_{};  // values_[k]: the value pushed k pushes ago
};

}  // namespace tolvik
