#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "enhanced/EnhancedParameters.h"

namespace tolvik {

// A weight per value 0..127 at one position of a sequence; 0 rules a value out.
using ValueWeights = std::array<double, kCodewords>;

// Sums and maximises, over all value sequences whose exclusive-or is 0, the
// product of the positions' weights: a forward pass over 128 states (the
// exclusive-or so far). The sum is the normaliser of the posterior over
// sequences that pass the check; the maximum, with its traceback, is the most
// likely sequence that passes.
//
// Both passes are rescaled at every position and keep their scale as a
// logarithm, so long sequences neither overflow nor underflow. The traceback
// table is sized at construction.
class XorTrellis {
 public:
  explicit XorTrellis(int max_positions);

  // Starts a new sequence: the empty sequence has exclusive-or 0, weight 1.
  void Start();

  // Appends one position. Throws std::length_error beyond max_positions.
  void Add(const ValueWeights& weights);

  int Positions() const { return positions_; }

  // Logarithm of the summed weight of all sequences with exclusive-or 0;
  // -infinity when there is none.
  double LogTotal() const;

  // Logarithm of the largest weight of such a sequence.
  double LogBest() const;

  // The values of that sequence, one per position (values.size() must be
  // Positions()). Only meaningful when LogBest() is finite.
  void TraceBest(std::span<int> values) const;

 private:
  using StateWeights = std::array<double, kCodewords>;

  static double Rescale(StateWeights& states);

  int max_positions_;
  int positions_ = 0;
  StateWeights total_{};  // summed weight per state, rescaled
  StateWeights best_{};   // largest weight per state, rescaled
  StateWeights scratch_{};
  double log_total_scale_ = 0.0;  // what the rescaling of total_ took out
  double log_best_scale_ = 0.0;
  std::vector<std::uint8_t> chosen_;  // per position and state: the value of the best path
};

}  // namespace tolvik
