#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "demod/DecoderParameters.h"
#include "demod/SpectrumTransform.h"

namespace tolvik::testing {
namespace {

constexpr int kN = SpectrumTransform::kSize;
constexpr int kHfBlock = kHfWorkingSamplesPerBlock;    // 480
constexpr int kVhfBlock = kVhfWorkingSamplesPerBlock;  // 1200

// The FFT's rounding error on these inputs is around 1e-12 of a bin's
// magnitude, so 1e-7 level units (20 ln) is loose for it, while a wrong
// twiddle, window or order moves levels by whole units.
constexpr double kLevelTolerance = 1e-7;

// 20 ln |X[k]| of the Hann-windowed `window` by the defining sum, with the
// kernel e^(-j 2 pi n k / 1024).
std::vector<double> DirectLevels(const std::vector<double>& window) {
  std::vector<std::complex<double>> kernel(kN);  // e^(-j 2 pi m / 1024)
  std::vector<double> windowed(kN);
  for (int m = 0; m < kN; ++m) {
    kernel[m] = std::polar(1.0, -2.0 * std::numbers::pi * m / kN);
    windowed[m] = window[m] * (0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * m / kN));
  }
  std::vector<double> levels(kN);
  for (int k = 0; k < kN; ++k) {
    std::complex<double> sum = 0.0;
    for (int n = 0; n < kN; ++n) {
      sum += windowed[n] * kernel[(n * k) % kN];
    }
    levels[k] = 20.0 * std::log(std::abs(sum));
  }
  return levels;
}

// A signal with energy in every bin: two tones off the bin grid and a
// deterministic scramble, sample n of the whole stream.
double Probe(int n) {
  const double t = static_cast<double>(n);
  const double scramble = static_cast<double>((n * 7919) % 211) - 105.0;
  return 900.0 * std::sin(0.3 * t) + 400.0 * std::cos(1.234 * t + 0.5) + 3.0 * scramble;
}

DemodulatorTraces::Trace ProbeBlock(int first_sample, int count) {
  DemodulatorTraces::Trace block{};
  for (int i = 0; i < count; ++i) {
    block[i] = Probe(first_sample + i);
  }
  return block;
}

// Bins 0 and 512 of a real input have an imaginary part of exactly zero
// and so read as level 0; every other bin is compared.
void ExpectLevelsOf(const SpectrumTransform& transform, const std::vector<double>& window) {
  const std::vector<double> expected = DirectLevels(window);
  for (int k = 0; k < kN; ++k) {
    if (k == 0 || k == kN / 2) {
      EXPECT_EQ(transform.Levels()[k], 0.0) << "bin " << k;
    } else {
      ASSERT_NEAR(transform.Levels()[k], expected[k], kLevelTolerance) << "bin " << k;
    }
  }
}

TEST(SpectrumTransformTest, VhfLevelsAreTheDirectTransformOfTheBlocksFirst1024Samples) {
  SpectrumTransform transform;
  DemodulatorTraces::Trace block = ProbeBlock(0, kVhfBlock);
  for (int i = kN; i < kVhfBlock; ++i) {
    block[i] = 30000.0;  // the last 176 samples are not shown
  }
  transform.TakeBlock(DecoderMode::Vhf, block);
  ExpectLevelsOf(transform, std::vector<double>(block.begin(), block.begin() + kN));
}

TEST(SpectrumTransformTest, HfWindowSlidesByEachBlockOver1024Samples) {
  SpectrumTransform transform;
  // First block: 544 zeros, then the block.
  transform.TakeBlock(DecoderMode::Hf, ProbeBlock(0, kHfBlock));
  std::vector<double> first(kN, 0.0);
  for (int i = 0; i < kHfBlock; ++i) {
    first[kN - kHfBlock + i] = Probe(i);
  }
  ExpectLevelsOf(transform, first);
  // After three blocks the window is the stream's samples 416 to 1439.
  transform.TakeBlock(DecoderMode::Hf, ProbeBlock(kHfBlock, kHfBlock));
  transform.TakeBlock(DecoderMode::Hf, ProbeBlock(2 * kHfBlock, kHfBlock));
  std::vector<double> third(kN);
  for (int i = 0; i < kN; ++i) {
    third[i] = Probe(3 * kHfBlock - kN + i);
  }
  ExpectLevelsOf(transform, third);
}

TEST(SpectrumTransformTest, FirstHfWindowAfterVhfStillHoldsVhfSamples) {
  SpectrumTransform transform;
  const DemodulatorTraces::Trace vhf = ProbeBlock(5000, kVhfBlock);
  transform.TakeBlock(DecoderMode::Vhf, vhf);
  transform.TakeBlock(DecoderMode::Hf, ProbeBlock(0, kHfBlock));
  std::vector<double> window(vhf.begin() + kHfBlock, vhf.begin() + kN);
  for (int i = 0; i < kHfBlock; ++i) {
    window.push_back(Probe(i));
  }
  ExpectLevelsOf(transform, window);
}

TEST(SpectrumTransformTest, BinCentredToneReadsInNaturalLogUnits) {
  // A tone of amplitude A on bin 100 gives |X| = A * 1024 / 4 under the Hann
  // window: 20 ln(256000) = 248.5 for A = 1000 (a base-10 logarithm would
  // give 108.2); one bin off it is half that, 13.9 units lower.
  SpectrumTransform transform;
  constexpr int kBin = 100;
  constexpr double kAmplitude = 1000.0;
  DemodulatorTraces::Trace block{};
  for (int n = 0; n < kN; ++n) {
    block[n] = kAmplitude * std::cos(2.0 * std::numbers::pi * kBin * n / kN);
  }
  transform.TakeBlock(DecoderMode::Vhf, block);
  EXPECT_NEAR(transform.Levels()[kBin], 20.0 * std::log(kAmplitude * kN / 4.0), 1e-6);
  EXPECT_NEAR(transform.Levels()[kBin + 1], 20.0 * std::log(kAmplitude * kN / 8.0), 1e-6);
  EXPECT_NEAR(transform.Levels()[kN - kBin], 20.0 * std::log(kAmplitude * kN / 4.0), 1e-6);
  EXPECT_NEAR(SpectrumTransform::BinWidthHz(DecoderMode::Vhf) * kBin, 1171.875, 1e-9);
  EXPECT_NEAR(SpectrumTransform::BinWidthHz(DecoderMode::Hf) * kBin, 468.75, 1e-9);
}

TEST(SpectrumTransformTest, ExactlyZeroPartsReadAsLevelZero) {
  SpectrumTransform transform;
  transform.TakeBlock(DecoderMode::Vhf, DemodulatorTraces::Trace{});
  for (const double level : transform.Levels()) {
    ASSERT_EQ(level, 0.0);  // silence
  }
  // A constant has a large DC bin, but its imaginary part is exactly zero.
  DemodulatorTraces::Trace constant{};
  constant.fill(1000.0);
  transform.TakeBlock(DecoderMode::Vhf, constant);
  EXPECT_EQ(transform.Levels()[0], 0.0);
  EXPECT_EQ(transform.Levels()[kN / 2], 0.0);
}

}  // namespace
}  // namespace tolvik::testing
