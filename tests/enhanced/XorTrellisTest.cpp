// The 128-state trellis against a brute force over every sequence.

#include "enhanced/XorTrellis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace tolvik {
namespace {

// Random weights over 0..1, about a third of the values ruled out.
ValueWeights RandomWeights(std::mt19937& engine) {
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  ValueWeights weights{};
  for (double& weight : weights) {
    weight = uniform(engine) < 0.33 ? 0.0 : std::exp(-8.0 * uniform(engine));
  }
  return weights;
}

struct BruteForce {
  double Total = 0.0;
  double Best = 0.0;
  std::vector<int> BestValues;
};

// Every sequence of values over the positions, the passing ones summed and
// the largest kept.
BruteForce Enumerate(const std::vector<ValueWeights>& positions) {
  BruteForce result;
  std::vector<int> values(positions.size(), 0);
  while (true) {
    double weight = 1.0;
    int parity = 0;
    for (std::size_t p = 0; p < positions.size(); ++p) {
      weight *= positions[p][values[p]];
      parity ^= values[p];
    }
    if (parity == 0) {
      result.Total += weight;
      if (weight > result.Best) {
        result.Best = weight;
        result.BestValues = values;
      }
    }
    std::size_t p = 0;
    while (p < values.size() && ++values[p] == kCodewords) {
      values[p++] = 0;
    }
    if (p == values.size()) {
      return result;
    }
  }
}

TEST(XorTrellisTest, SumAndMaximumMatchEveryPassingSequence) {
  std::mt19937 engine(7);
  for (int length = 1; length <= 3; ++length) {
    for (int trial = 0; trial < 3; ++trial) {
      std::vector<ValueWeights> positions;
      XorTrellis trellis(length);
      for (int p = 0; p < length; ++p) {
        positions.push_back(RandomWeights(engine));
        trellis.Add(positions.back());
      }
      const BruteForce expected = Enumerate(positions);
      if (expected.Total == 0.0) {
        EXPECT_TRUE(std::isinf(trellis.LogTotal()));
        continue;
      }
      EXPECT_NEAR(trellis.LogTotal(), std::log(expected.Total), 1e-9) << length;
      EXPECT_NEAR(trellis.LogBest(), std::log(expected.Best), 1e-9) << length;
      std::vector<int> traced(length);
      trellis.TraceBest(traced);
      EXPECT_EQ(traced, expected.BestValues);
    }
  }
}

TEST(XorTrellisTest, LongSequencesOfHeavyWeightsNeitherOverflowNorUnderflow) {
  // 129 positions of 128 values of weight 1e10 and 1e-10: 10^1290 summed
  // sequences, far beyond a double. Every value passes with the same weight,
  // so the total is 128^128 * w^129 and the best is w^129.
  for (double weight : {1e10, 1e-10}) {
    ValueWeights flat{};
    flat.fill(weight);
    XorTrellis trellis(129);
    for (int p = 0; p < 129; ++p) {
      trellis.Add(flat);
    }
    EXPECT_NEAR(trellis.LogTotal(), 128 * std::log(128.0) + 129 * std::log(weight), 1e-6);
    EXPECT_NEAR(trellis.LogBest(), 129 * std::log(weight), 1e-6);
  }
}

TEST(XorTrellisTest, StartForgetsTheLastSequenceAndTooManyPositionsThrow) {
  ValueWeights only_five{};
  only_five[5] = 1.0;
  XorTrellis trellis(2);
  trellis.Add(only_five);
  EXPECT_TRUE(std::isinf(trellis.LogTotal()));  // 5 alone does not pass
  trellis.Add(only_five);
  EXPECT_NEAR(trellis.LogTotal(), 0.0, 1e-12);  // 5 ^ 5 does
  EXPECT_THROW(trellis.Add(only_five), std::length_error);
  trellis.Start();
  EXPECT_EQ(trellis.Positions(), 0);
  EXPECT_NEAR(trellis.LogTotal(), 0.0, 1e-12);  // the empty sequence
}

}  // namespace
}  // namespace tolvik
