#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "DemodTestSupport.h"
#include "demod/CentreFrequencySetup.h"
#include "demod/DecoderParameters.h"

namespace tolvik {
namespace {

using testing::BlockOf;
using testing::DecidedBit;
using testing::DemodBench;
using testing::FindAlignment;
using testing::HfFsk;
using testing::WholeBlocks;

// Ticks of one block: the working samples where BitMarks is set.
std::vector<int> MarkedSamples(const DemodulatorTraces& traces) {
  std::vector<int> marked;
  for (int i = 0; i < traces.WorkingSamples; ++i) {
    if (traces.BitMarks[0][i] != 0) {
      marked.push_back(i);
    }
  }
  return marked;
}

std::vector<int> DecidedSamplesOfBlock(const std::vector<DecidedBit>& bits, int block) {
  std::vector<int> samples;
  for (const DecidedBit& b : bits) {
    if (b.block == block) {
      samples.push_back(b.index);
    }
  }
  return samples;
}

// Runs a whole HF signal and checks, block by block after the first, that the
// clock ticks about once per bit and that BitMarks marks exactly the samples
// at which PushBit was called.
void RunAndCheckTicks(DemodBench& bench, const std::vector<double>& signal) {
  for (int k = 0; k < WholeBlocks(signal); ++k) {
    bench.RunHf(BlockOf(signal, k));
    EXPECT_EQ(bench.traces.WorkingSamples, kHfWorkingSamplesPerBlock);
    const std::vector<int> marked = MarkedSamples(bench.traces);
    EXPECT_EQ(marked, DecidedSamplesOfBlock(bench.sink.bits, k)) << "block " << k;
    if (k > 0) {  // the first block holds the filters' start-up
      EXPECT_GE(marked.size(), 9u) << "block " << k;
      EXPECT_LE(marked.size(), 11u) << "block " << k;
    }
  }
}

TEST(HfDemodulatorTest, SteadyTonesSettleAtTheNominalDeviationAndStopTicking) {
  // 85 Hz is 8.5 display units; the post-detection low-pass has gain 1.015 at
  // 0 Hz. 0.02 units (0.2 Hz) covers the Hilbert filter's ripple.
  for (const auto& [tone_hz, expected, bit] : {std::tuple{885.0, 8.63, 0}, {715.0, -8.63, 1}}) {
    DemodBench bench;
    const std::vector<double> signal = testing::Tone(tone_hz, 30);
    for (int k = 0; k < 30; ++k) {
      bench.RunHf(BlockOf(signal, k));
      if (k >= 2) {  // filters full
        for (int i = 0; i < kHfWorkingSamplesPerBlock; ++i) {
          ASSERT_NEAR(bench.traces.DiscriminatorOutput[0][i], expected, 0.02) << k << " " << i;
        }
      }
      if (k >= 10) {  // the resonator rings down within about a second
        EXPECT_TRUE(MarkedSamples(bench.traces).empty()) << "block " << k;
      }
    }
    ASSERT_FALSE(bench.sink.bits.empty());                      // ticks while the resonator settled
    for (std::size_t n = 1; n < bench.sink.bits.size(); ++n) {  // the first is at start-up
      EXPECT_EQ(bench.sink.bits[n].bit, bit) << tone_hz;
    }
  }
}

TEST(HfDemodulatorTest, DotPatternTicksOncePerBitAndAlternates) {
  DemodBench bench;
  const auto sent = testing::DotPattern(400);
  RunAndCheckTicks(bench, HfFsk(800.0, sent));
  const auto alignment = FindAlignment(bench.sink.BitValues(), sent, 4, 4, 350);
  EXPECT_TRUE(alignment.has_value());
}

TEST(HfDemodulatorTest, RandomBitsComeOutAsSent) {
  DemodBench bench;
  const auto sent = testing::RandomBits(500, 1234);
  // 30 ppm fast: the bit-rate tolerance a transmitter may use.
  RunAndCheckTicks(bench, HfFsk(800.0, sent, 100.003));
  // The filters delay the signal by nearly three bits; the ticks decided
  // while they filled (and the start-up tick) come before the first sent bit.
  const auto alignment = FindAlignment(bench.sink.BitValues(), sent, 2, 4, 450);
  ASSERT_TRUE(alignment.has_value());
  EXPECT_GE(*alignment, 1);
}

TEST(HfDemodulatorTest, StartsWithATickAtTheFirstSampleAndReadsSilenceAsZeroPhase) {
  DemodBench bench;
  const std::vector<double> silence(kFramesPerBlock, 0.0);
  bench.RunHf(silence);
  // The previous clock sign starts at 0 and the delay line holds zeros.
  ASSERT_FALSE(bench.sink.bits.empty());
  EXPECT_EQ(bench.sink.bits[0].block, 0);
  EXPECT_EQ(bench.sink.bits[0].index, 0);
  EXPECT_EQ(bench.traces.BitMarks[0][0], 1);
  // I = Q = 0 reads as phase 0, so the deviation is minus the reference step:
  // -2*pi*1700/4800 through the low-pass (gain 1.015), about -172.6 units.
  const double expected = -kHfReferencePhaseStep * 1.0155 * kHfDisplayScale;
  EXPECT_NEAR(bench.traces.DiscriminatorOutput[0][kHfWorkingSamplesPerBlock - 1], expected, 0.1);
  EXPECT_EQ(bench.traces.MixerOutput[0][100], 0.0);
}

TEST(HfDemodulatorTest, FrequencyErrorFollowsTheOffsetOfTheTonePair) {
  for (const double offset_hz : {20.0, -20.0, 0.0}) {
    DemodBench bench;
    std::vector<double> read_in_push_bit;
    bench.sink.on_bit = [&](const DecidedBit&) {
      read_in_push_bit.push_back(bench.tunings[0].FrequencyError);
    };
    const auto sent = testing::RandomBits(400, 99);
    const std::vector<double> signal = HfFsk(800.0 + offset_hz, sent);
    std::map<int, double> error_after_block;
    for (int k = 0; k < WholeBlocks(signal); ++k) {
      bench.RunHf(BlockOf(signal, k));
      error_after_block[k] = bench.tunings[0].FrequencyError;
    }
    // Every tick reads the offset of its tone from its nominal place; the low
    // pass reads steady tones 1.5 % wide of the truth (+1.6 Hz on the upper,
    // -1.0 Hz on the lower tone at +20 Hz) and ticks soon after a transition
    // see a little of the previous bit, so the mean of 20 lands within 1 Hz.
    EXPECT_NEAR(bench.tunings[0].FrequencyError, offset_hz, 1.0) << offset_hz;
    EXPECT_EQ(bench.tunings[0].TrackedCentre, 800.0);

    // PushBit sees the estimate of the earlier ticks: the first tick of a
    // block reads what the previous block left, and the value moves after it.
    std::size_t n = 0;
    for (int k = 0; k < WholeBlocks(signal); ++k) {
      const auto in_block = DecidedSamplesOfBlock(bench.sink.bits, k);
      if (k > 0 && !in_block.empty()) {
        EXPECT_EQ(read_in_push_bit[n], error_after_block[k - 1]);
        EXPECT_NE(read_in_push_bit[n + in_block.size() - 1], error_after_block[k]);
      }
      n += in_block.size();
    }
  }
}

// The mixer phase a fresh demodulator reaches: advanced by (1700 - centre)
// * 2*pi/4800 per working sample, reduced once on reaching 2*pi.
struct MixerPhaseModel {
  double phase = 0.0;
  double Next(double centre_hz) {
    phase += (1700.0 - centre_hz) * 2.0 * std::numbers::pi * (1.0 / 4800.0);
    if (phase >= 2.0 * std::numbers::pi) {
      phase -= 2.0 * std::numbers::pi;
    }
    return phase;
  }
};

// The mixer output is the decimated sample (left at samples[i]) times the
// cosine of the model's phase. The signal's amplitude is a few thousand, so
// 1e-6 leaves room only for rounding.
void ExpectMixerFollows(const DemodBench& bench, MixerPhaseModel& model,
                        const std::function<double(int)>& centre_at) {
  for (int i = 0; i < kHfWorkingSamplesPerBlock; ++i) {
    const double expected = bench.block[i] * std::cos(model.Next(centre_at(i)));
    ASSERT_NEAR(bench.traces.MixerOutput[0][i], expected, 1e-6) << "sample " << i;
  }
}

TEST(HfDemodulatorTest, DecFcSetsTheMixingFrequencyAndSignalsDecodeThere) {
  for (const int dec_fc : {50, 80, 100}) {
    DemodBench bench;
    SetCentreFromDecFc(bench.tunings[0], dec_fc);
    const double centre = dec_fc * 10.0;
    const auto sent = testing::RandomBits(300, 7 + dec_fc);
    const std::vector<double> signal = HfFsk(centre, sent);
    MixerPhaseModel model;
    for (int k = 0; k < WholeBlocks(signal); ++k) {
      bench.RunHf(BlockOf(signal, k));
      ExpectMixerFollows(bench, model, [&](int) { return centre; });
    }
    EXPECT_TRUE(FindAlignment(bench.sink.BitValues(), sent, 2, 4, 250).has_value()) << dec_fc;
  }
}

TEST(HfDemodulatorTest, CentreMovedInsidePushBitTakesEffectFromTheNextSample) {
  DemodBench bench;
  constexpr int kMoveBlock = 2;
  int move_index = -1;
  bench.sink.on_bit = [&](const DecidedBit& b) {
    if (b.block == kMoveBlock && move_index < 0) {
      move_index = b.index;
      bench.tunings[0].TrackedCentre = 850.0;  // as the frequency control does at phasing
    }
  };
  const std::vector<double> signal = HfFsk(800.0, testing::DotPattern(60));
  MixerPhaseModel model;
  for (int k = 0; k < WholeBlocks(signal); ++k) {
    bench.RunHf(BlockOf(signal, k));
    if (k < kMoveBlock) {
      ExpectMixerFollows(bench, model, [](int) { return 800.0; });
    } else if (k == kMoveBlock) {
      ASSERT_GE(move_index, 0);
      ASSERT_LT(move_index, kHfWorkingSamplesPerBlock - 1);
      ExpectMixerFollows(bench, model, [&](int i) { return i <= move_index ? 800.0 : 850.0; });
    } else {
      ExpectMixerFollows(bench, model, [](int) { return 850.0; });
    }
  }
}

TEST(HfDemodulatorTest, MixerPhaseStaysWithinOneTurnEvenAboveTheReference) {
  // A centre above 1700 Hz (only reachable by a wild frequency correction)
  // turns the mixer backwards; its phase must stay bounded all the same.
  for (const double centre : {800.0, 1650.0, 1800.0, 2500.0}) {
    DemodBench bench;
    bench.tunings[0].TrackedCentre = centre;
    const std::vector<double> signal = HfFsk(800.0, testing::RandomBits(200, 3));
    for (int k = 0; k < WholeBlocks(signal); ++k) {
      bench.RunHf(BlockOf(signal, k));
      EXPECT_GE(bench.hf.MixerPhase(0), 0.0) << centre;
      EXPECT_LT(bench.hf.MixerPhase(0), kTwoPi) << centre;
    }
  }
}

TEST(HfDemodulatorTest, ChannelsKeepSeparateStateAndBadIndicesAreIgnored) {
  const std::vector<double> signal = HfFsk(800.0, testing::RandomBits(100, 5));
  const std::vector<double> other = HfFsk(900.0, testing::RandomBits(100, 6));

  DemodBench alone;
  DemodBench shared;
  for (int k = 0; k < WholeBlocks(signal); ++k) {
    alone.RunHf(BlockOf(signal, k), 0);
    shared.RunHf(BlockOf(other, k), 1);
    shared.RunHf(BlockOf(signal, k), 0);
    // The 480 HF working samples; the rest of the trace is not written in HF.
    const auto& a = alone.traces.DiscriminatorOutput[0];
    const auto& b = shared.traces.DiscriminatorOutput[0];
    EXPECT_TRUE(std::equal(a.begin(), a.begin() + kHfWorkingSamplesPerBlock, b.begin()));
  }
  EXPECT_EQ(alone.tunings[0].FrequencyError, shared.tunings[0].FrequencyError);
  EXPECT_NE(shared.tunings[1].FrequencyError, 0.0);
  EXPECT_EQ(alone.tunings[1].FrequencyError, 0.0);
  for (std::size_t n = 0; n < shared.sink.bits.size(); ++n) {
    EXPECT_EQ(shared.sink.channels[n] == 1, shared.sink.bits[n].block % 2 == 0);
  }

  for (const int bad_channel : {-1, 2}) {
    DemodBench bench;
    bench.RunHf(BlockOf(signal, 3), bad_channel);
    EXPECT_TRUE(std::equal(bench.block.begin(), bench.block.end(), BlockOf(signal, 3).begin()));
    EXPECT_TRUE(bench.sink.bits.empty());
    EXPECT_EQ(bench.traces.WorkingSamples, 0);
  }
}

TEST(HfDemodulatorTest, VhfInterludeLeavesHfStateAndTuningAlone) {
  const std::vector<double> hf_signal = HfFsk(820.0, testing::RandomBits(200, 11));
  const std::vector<double> vhf_signal = testing::VhfFsk(testing::RandomBits(2400, 12));

  DemodBench switched;
  DemodBench plain;
  for (int k = 0; k < 6; ++k) {
    if (k == 3) {
      const ChannelTunings before = switched.tunings;
      for (int v = 0; v < 2; ++v) {
        switched.RunVhf(BlockOf(vhf_signal, v));
      }
      EXPECT_EQ(switched.tunings[0].TrackedCentre, before[0].TrackedCentre);
      EXPECT_EQ(switched.tunings[0].FrequencyError, before[0].FrequencyError);
      EXPECT_EQ(switched.traces.WorkingSamples, kVhfWorkingSamplesPerBlock);
    }
    switched.RunHf(BlockOf(hf_signal, k));
    plain.RunHf(BlockOf(hf_signal, k));
  }
  EXPECT_EQ(switched.traces.WorkingSamples, kHfWorkingSamplesPerBlock);
  for (int i = 0; i < kHfWorkingSamplesPerBlock; ++i) {
    ASSERT_EQ(switched.traces.DiscriminatorOutput[0][i], plain.traces.DiscriminatorOutput[0][i]);
    ASSERT_EQ(switched.traces.MixerOutput[0][i], plain.traces.MixerOutput[0][i]);
    ASSERT_EQ(switched.traces.BitMarks[0][i], plain.traces.BitMarks[0][i]);
  }
  EXPECT_EQ(switched.tunings[0].FrequencyError, plain.tunings[0].FrequencyError);
}

}  // namespace
}  // namespace tolvik
