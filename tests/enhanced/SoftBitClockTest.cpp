// The bit clock on the soft values of a bit stream whose rate is off.

#include "enhanced/SoftBitClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace tolvik {
namespace {

constexpr int kBits = 1200;
constexpr double kAmplitude = 5.0;

// The running one-bit sum of an NRZ stream of +-1 bits with `period`
// working samples per bit: the tone filters' soft value on a clean signal,
// which peaks where a bit ends (bit k's last sample, k * period + 47 for an
// exact rate).
std::vector<double> SoftValues(const std::vector<int>& bits, double period) {
  const auto samples = static_cast<int>(bits.size() * period);
  std::vector<double> level(samples);
  for (int n = 0; n < samples; ++n) {
    level[n] = bits[std::min<std::size_t>(static_cast<std::size_t>(n / period), bits.size() - 1)];
  }
  std::vector<double> soft(samples, 0.0);
  double sum = 0.0;
  for (int n = 0; n < samples; ++n) {
    sum += level[n] - (n >= kEnhancedSamplesPerBit ? level[n - kEnhancedSamplesPerBit] : 0.0);
    soft[n] = kAmplitude * sum / kEnhancedSamplesPerBit;
  }
  return soft;
}

// Largest distance of the clock's instants from the true bit ends, in
// working samples, with every soft bit's sign checked on the way.
double LargestTimingError(double ppm, int polarity) {
  std::mt19937 engine(3);
  std::vector<int> bits(kBits);
  for (int& bit : bits) {
    bit = engine() % 2 == 0 ? 1 : -1;
  }
  const double period = kEnhancedSamplesPerBit / (1.0 + ppm * 1e-6);
  const std::vector<double> soft = SoftValues(bits, period);
  SampleRing ring;
  SoftBitClock clock;
  clock.Start(kEnhancedSamplesPerBit - 1.0, kAmplitude, polarity);
  double largest = 0.0;
  int bit = 0;
  for (double value : soft) {
    ring.Push(polarity * value);
    while (const std::optional<double> soft_bit = clock.NextBit(ring)) {
      const double truth = (bit + 1) * period - 1.0;
      largest = std::max(largest, std::fabs(clock.LastTime() - truth));
      EXPECT_GT(*soft_bit * bits[bit], 0.0) << "bit " << bit;
      ++bit;
    }
  }
  EXPECT_GT(bit, kBits - 3);
  return largest;
}

TEST(SoftBitClockTest, FollowsABitRateErrorOf200PpmEitherWay) {
  // Unfollowed, 1200 bits at 200 ppm drift 11.5 samples (a quarter of a
  // bit). The loop corrects about 1 % of the timing error per transition,
  // against a drift of 0.0096 samples per bit: it settles about 2 samples
  // behind, 3.4 at most after runs without transitions, so 4 samples bound
  // a clock that follows.
  for (double ppm : {200.0, -200.0}) {
    EXPECT_LT(LargestTimingError(ppm, 1), 4.0) << ppm;
  }
}

TEST(SoftBitClockTest, InvertedPolarityGivesTheSameBitsAndTiming) {
  EXPECT_LT(LargestTimingError(200.0, -1), 4.0);
}

TEST(SoftBitClockTest, StaysOnAnExactRate) {
  EXPECT_LT(LargestTimingError(0.0, 1), 0.5);
}

}  // namespace
}  // namespace tolvik
