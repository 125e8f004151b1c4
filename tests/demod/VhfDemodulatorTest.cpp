#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "DemodTestSupport.h"
#include "demod/DecoderParameters.h"

namespace tolvik {
namespace {

using testing::BlockOf;
using testing::DemodBench;
using testing::FindAlignment;
using testing::VhfFsk;
using testing::WholeBlocks;

int MarkCount(const DemodulatorTraces& traces) {
  int count = 0;
  for (int i = 0; i < traces.WorkingSamples; ++i) {
    count += traces.BitMarks[0][i];
  }
  return count;
}

TEST(VhfDemodulatorTest, SteadyTonesSettleAtFortyUnitsEitherSide) {
  // 400 Hz is 40 display units, times the low-pass gain 1.006 at 0 Hz; 0.05
  // units (0.5 Hz) covers the Hilbert filter's ripple.
  for (const auto& [tone_hz, expected] : {std::pair{2100.0, 40.24}, {1300.0, -40.24}}) {
    DemodBench bench;
    const std::vector<double> signal = testing::Tone(tone_hz, 10);
    for (int k = 0; k < 10; ++k) {
      bench.RunVhf(BlockOf(signal, k));
      EXPECT_EQ(bench.traces.WorkingSamples, kVhfWorkingSamplesPerBlock);
      for (int i = 200; i < kVhfWorkingSamplesPerBlock; ++i) {  // filters full from here on
        ASSERT_NEAR(bench.traces.DiscriminatorOutput[0][i], expected, 0.05) << k << " " << i;
      }
      if (k >= 2) {  // the 20 Hz wide resonator rings down within tens of ms
        EXPECT_EQ(MarkCount(bench.traces), 0) << "block " << k;
      }
    }
  }
}

TEST(VhfDemodulatorTest, CleanSignalTicksOncePerBitAndBitsComeOutAsSent) {
  DemodBench bench;
  const auto sent = testing::RandomBits(4800, 77);
  // 30 ppm slow: the bit-rate tolerance a transmitter may use.
  const std::vector<double> signal = VhfFsk(sent, 1199.964);
  for (int k = 0; k < WholeBlocks(signal); ++k) {
    bench.RunVhf(BlockOf(signal, k));
    std::vector<int> marked;
    for (int i = 0; i < kVhfWorkingSamplesPerBlock; ++i) {
      if (bench.traces.BitMarks[0][i] != 0) {
        marked.push_back(i);
      }
    }
    std::vector<int> decided;
    for (const auto& b : bench.sink.bits) {
      if (b.block == k) {
        decided.push_back(b.index);
      }
    }
    EXPECT_EQ(marked, decided) << "block " << k;
    if (k > 0) {  // 1200 bit/s is 120 bits per block, give or take the block edges
      EXPECT_GE(marked.size(), 119u) << "block " << k;
      EXPECT_LE(marked.size(), 121u) << "block " << k;
    }
  }
  // The first few ticks fall while the filters fill. Matching the sent bits
  // also settles the polarity: 1300 Hz is a 1, 2100 Hz a 0.
  const auto alignment = FindAlignment(bench.sink.BitValues(), sent, 5, 8, 4700);
  EXPECT_TRUE(alignment.has_value());
  // The band-passed working samples are left in the block.
  EXPECT_NE(bench.block[0], bench.traces.MixerOutput[0][0]);
}

TEST(VhfDemodulatorTest, DigitalSilenceHoldsThePhase) {
  // With I = Q = 0 the phase holds, so every sample reads minus the reference
  // step: -2*pi*1700/12000 rad = -170 units, times the low-pass gain 1.006.
  constexpr double kSilenceReading = -170.0 * 1.00573;  // 1.00573: the sum of the low-pass taps
  DemodBench bench;
  const std::vector<double> silence(kFramesPerBlock, 0.0);
  bench.RunVhf(silence);
  // From the start the phase reads 0 and holds; once the low-pass line is
  // full every sample reads the same.
  for (int i = static_cast<int>(kVhfLowPassTaps); i < kVhfWorkingSamplesPerBlock; ++i) {
    ASSERT_NEAR(bench.traces.DiscriminatorOutput[0][i], kSilenceReading, 0.01) << i;
  }
  // The delayed clock entry starts at zero, which counts as a rise.
  EXPECT_EQ(bench.traces.BitMarks[0][0], 1);
}

}  // namespace
}  // namespace tolvik
