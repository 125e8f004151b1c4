#include "enhanced/XorTrellis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace tolvik {

XorTrellis::XorTrellis(int max_positions)
    : max_positions_(max_positions),
      chosen_(static_cast<std::size_t>(max_positions) * kCodewords, 0) {
  Start();
}

void XorTrellis::Start() {
  positions_ = 0;
  total_.fill(0.0);
  best_.fill(0.0);
  total_[0] = 1.0;
  best_[0] = 1.0;
  log_total_scale_ = 0.0;
  log_best_scale_ = 0.0;
}

double XorTrellis::Rescale(StateWeights& states) {
  const double largest = *std::max_element(states.begin(), states.end());
  if (largest <= 0.0) {
    return 0.0;
  }
  for (double& weight : states) {
    weight /= largest;
  }
  return std::log(largest);
}

void XorTrellis::Add(const ValueWeights& weights) {
  if (positions_ >= max_positions_) {
    throw std::length_error("XorTrellis: more positions than it was built for");
  }
  scratch_.fill(0.0);
  for (int value = 0; value < kCodewords; ++value) {
    const double weight = weights[value];
    if (weight <= 0.0) {
      continue;
    }
    for (int state = 0; state < kCodewords; ++state) {
      scratch_[state ^ value] += total_[state] * weight;
    }
  }
  total_ = scratch_;
  log_total_scale_ += Rescale(total_);

  std::uint8_t* chosen = chosen_.data() + static_cast<std::size_t>(positions_) * kCodewords;
  scratch_.fill(0.0);
  for (int value = 0; value < kCodewords; ++value) {
    const double weight = weights[value];
    if (weight <= 0.0) {
      continue;
    }
    for (int state = 0; state < kCodewords; ++state) {
      const double candidate = best_[state ^ value] * weight;
      if (candidate > scratch_[state]) {
        scratch_[state] = candidate;
        chosen[state] = static_cast<std::uint8_t>(value);
      }
    }
  }
  best_ = scratch_;
  log_best_scale_ += Rescale(best_);
  ++positions_;
}

double XorTrellis::LogTotal() const {
  if (total_[0] <= 0.0) {
    return -std::numeric_limits<double>::infinity();
  }
  return std::log(total_[0]) + log_total_scale_;
}

double XorTrellis::LogBest() const {
  if (best_[0] <= 0.0) {
    return -std::numeric_limits<double>::infinity();
  }
  return std::log(best_[0]) + log_best_scale_;
}

void XorTrellis::TraceBest(std::span<int> values) const {
  int state = 0;
  for (int position = positions_ - 1; position >= 0; --position) {
    const int value = chosen_[static_cast<std::size_t>(position) * kCodewords + state];
    values[position] = value;
    state ^= value;
  }
}

}  // namespace tolvik
