#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "DemodTestSupport.h"
#include "demod/FskModulator.h"

namespace tolvik {
namespace {

int ZeroCrossings(std::span<const double> x) {
  int count = 0;
  for (std::size_t n = 1; n < x.size(); ++n) {
    count += (x[n - 1] < 0.0) != (x[n] < 0.0) ? 1 : 0;
  }
  return count;
}

TEST(FskModulatorTest, BitsLastOneBitPeriodEvenWhenItIsNotWholeSamples) {
  FskModulator hf(715.0, 885.0, 100.0, 1000.0);
  std::vector<double> out;
  hf.Modulate(testing::DotPattern(10), out);
  EXPECT_EQ(out.size(), 4800u);

  // 30 ppm fast: 10000 bits take 4.8 million / 1.00003 samples, rounded up to
  // the first sample at or past the end of the last bit.
  FskModulator fast(715.0, 885.0, 100.003, 1000.0);
  std::vector<double> long_out;
  fast.Modulate(testing::RandomBits(10000, 3), long_out);
  EXPECT_EQ(long_out.size(), static_cast<std::size_t>(std::ceil(4800000.0 / 1.00003)));

  FskModulator vhf(1300.0, 2100.0, 1200.0, 1000.0);
  std::vector<double> vhf_out;
  vhf.Modulate(testing::DotPattern(120), vhf_out);
  EXPECT_EQ(vhf_out.size(), 4800u);
}

TEST(FskModulatorTest, PiecewiseEqualsAtOnceAndPhaseRunsOn) {
  const auto bits = testing::RandomBits(333, 8);
  FskModulator at_once(1300.0, 2100.0, 1199.964, 5000.0);
  std::vector<double> whole;
  at_once.Modulate(bits, whole);

  FskModulator piecewise(1300.0, 2100.0, 1199.964, 5000.0);
  std::vector<double> pieces;
  for (std::size_t start = 0; start < bits.size(); start += 7) {
    const std::size_t count = std::min<std::size_t>(7, bits.size() - start);
    piecewise.Modulate(std::span(bits).subspan(start, count), pieces);
  }
  EXPECT_EQ(whole, pieces);

  // Continuous phase: no step between neighbouring samples is larger than the
  // higher tone's largest slope allows.
  const double largest_step = 5000.0 * 2.0 * std::numbers::pi * 2100.0 / 48000.0;
  for (std::size_t n = 1; n < whole.size(); ++n) {
    ASSERT_LE(std::abs(whole[n] - whole[n - 1]), largest_step * 1.0001) << n;
  }
}

TEST(FskModulatorTest, MarkIsBitOneAndSpaceBitZero) {
  FskModulator modulator(715.0, 885.0, 1.0, 1000.0);  // one bit per second
  std::vector<double> mark;
  std::vector<double> space;
  modulator.Modulate(std::vector<std::uint8_t>{1}, mark);
  modulator.Modulate(std::vector<std::uint8_t>{0}, space);
  // Two zero crossings per cycle, give or take one at the ends.
  EXPECT_NEAR(ZeroCrossings(mark), 2 * 715, 1);
  EXPECT_NEAR(ZeroCrossings(space), 2 * 885, 1);
}

TEST(FskModulatorTest, Int16OutputIsRoundedAndClipped) {
  EXPECT_EQ(RoundToInt16(1.5), 2);
  EXPECT_EQ(RoundToInt16(-1.5), -2);
  EXPECT_EQ(RoundToInt16(-0.4), 0);
  EXPECT_EQ(RoundToInt16(32767.4), 32767);
  EXPECT_EQ(RoundToInt16(40000.0), 32767);
  EXPECT_EQ(RoundToInt16(-40000.0), -32768);

  FskModulator loud(1300.0, 2100.0, 1200.0, 40000.0);
  std::vector<std::int16_t> clipped;
  loud.ModulateInt16(testing::DotPattern(12), clipped);
  ASSERT_EQ(clipped.size(), 480u);
  EXPECT_EQ(clipped[0], 32767);  // cos(0) at 40000 clips
  EXPECT_EQ(*std::min_element(clipped.begin(), clipped.end()), -32768);
}

}  // namespace
}  // namespace tolvik
