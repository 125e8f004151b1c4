#include "enhanced/NoncoherentBitLikelihood.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace tolvik {
namespace {

TEST(NoncoherentBitLikelihoodTest, LogBesselI0FollowsItsSeriesAndAsymptote) {
  // I0(x) = 1 + x^2/4 + x^4/64 + ... near 0.
  EXPECT_DOUBLE_EQ(LogBesselI0(0.0), 0.0);
  EXPECT_NEAR(LogBesselI0(0.1), std::log(1.0 + 0.0025 + 0.0001 / 64.0), 1e-9);
  // I0(1) = 1.2660658777520082, I0(10) = 2815.716628466254.
  EXPECT_NEAR(LogBesselI0(1.0), std::log(1.2660658777520082), 1e-12);
  EXPECT_NEAR(LogBesselI0(10.0), std::log(2815.716628466254), 1e-9);
  // Both sides of the switch to the asymptotic form agree, and huge
  // arguments stay finite.
  EXPECT_NEAR(LogBesselI0(49.999999), LogBesselI0(50.0), 1e-5);
  EXPECT_TRUE(std::isfinite(LogBesselI0(1e6)));
  EXPECT_NEAR(LogBesselI0(1e6), 1e6 - 0.5 * std::log(2.0 * std::numbers::pi * 1e6), 1e-6);
}

TEST(NoncoherentBitLikelihoodTest, RatioIsLinearForStrongEnvelopesAndDampedNearTheNoise) {
  NoncoherentBitLikelihood likelihood;
  // a = 4, sigma^2 = 1: a / sigma^2 = 4.
  likelihood.SetLevels({4.0, 2.0});
  // Swapping the envelopes swaps the bit.
  EXPECT_NEAR(likelihood.HalfRatio(3.0, 1.0), -likelihood.HalfRatio(1.0, 3.0), 1e-12);
  EXPECT_DOUBLE_EQ(likelihood.HalfRatio(2.0, 2.0), 0.0);
  // Strong envelopes: half of (a / sigma^2)(r1 - r0) less the slowly
  // growing log term of the asymptote.
  const double strong = likelihood.HalfRatio(20.0, 16.0);
  EXPECT_NEAR(strong, 0.5 * (4.0 * 4.0 - 0.5 * std::log(20.0 / 16.0)), 1e-3);
  // The same difference of envelopes near the noise weighs far less than
  // the linear value would make it: a noise peak is not a confident bit.
  // (Half of ln I0(2.4) - ln I0(0.4) = 0.54 against a linear 1.0.)
  const double weak = likelihood.HalfRatio(0.6, 0.1);
  const double linear = 0.5 * 4.0 * (0.6 - 0.1);
  EXPECT_LT(weak, 0.6 * linear);
  EXPECT_GT(weak, 0.5 * linear);
  // Without a measured level the ratio is 0, never a division by zero.
  NoncoherentBitLikelihood unset;
  unset.SetLevels({1.0, 0.0});
  EXPECT_DOUBLE_EQ(unset.HalfRatio(5.0, 0.0), 0.0);
}

}  // namespace
}  // namespace tolvik
