#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

namespace tolvik {

// A FIR filter run over a whole block at once, for stages whose input is
// known for the block before any output is needed. Each output is summed in
// exactly the order the sample-by-sample filter uses (newest input first),
// so the results are the same to the last bit; working on four outputs side
// by side only lets their independent sums overlap in the processor.
//
// N taps, blocks of up to MaxBlock samples; TapStride 2 skips the taps at
// odd indexes, for the Hilbert filter whose taps there are all zero. The
// last N - 1 inputs carry over to the next block, zero at start. One
// channel's worth.
template <std::size_t N, std::size_t MaxBlock, std::size_t TapStride = 1>
class BlockFirFilter {
 public:
  static constexpr std::size_t kHistory = N - 1;

  explicit BlockFirFilter(std::span<const double, N> table) : table_(table) {}

  // Filters `input` into `output` (same length, at most MaxBlock).
  void Process(std::span<const double> input, std::span<double> output) {
    const std::size_t count = std::min({input.size(), output.size(), MaxBlock});
    // The previous block's last N - 1 inputs become this block's history.
    std::copy_n(inputs_.begin() + static_cast<std::ptrdiff_t>(last_count_), kHistory,
                inputs_.begin());
    std::copy_n(input.begin(), count, inputs_.begin() + kHistory);
    const double* x = inputs_.data() + kHistory;  // x[i - k] is the input k samples before i
    double* y = output.data();
    const std::size_t in_fours = count - count % kLanes;
    for (std::size_t i = 0; i < in_fours; i += kLanes) {
      SumFour(x + i, y + i);
    }
    for (std::size_t i = in_fours; i < count; ++i) {
      y[i] = SumOne(x + i);
    }
    last_count_ = count;
  }

  // The input `delay` samples before output i of the block just processed
  // (delay at most N - 1): for the Hilbert filter, the in-phase sample whose
  // quadrature output i is.
  double Delayed(std::size_t i, std::size_t delay) const { return inputs_[kHistory + i - delay]; }

 private:
  static constexpr std::size_t kLanes = 4;

  double SumOne(const double* newest) const {
    double sum = 0.0;
    for (std::size_t k = 0; k < N; k += TapStride) {
      sum += table_[k] * newest[-static_cast<std::ptrdiff_t>(k)];
    }
    return sum;
  }

  void SumFour(const double* newest, double* out) const {
    double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
    for (std::size_t k = 0; k < N; k += TapStride) {
      const double h = table_[k];
      const double* x = newest - static_cast<std::ptrdiff_t>(k);
      s0 += h * x[0];
      s1 += h * x[1];
      s2 += h * x[2];
      s3 += h * x[3];
    }
    out[0] = s0;
    out[1] = s1;
    out[2] = s2;
    out[3] = s3;
  }

  std::span<const double, N> table_;                  // h[0] weights the newest input
  std::array<double, kHistory + MaxBlock> inputs_{};  // N - 1 earlier inputs, then the block
  std::size_t last_count_ = 0;                        // length of the block last processed
};

}  // namespace tolvik
