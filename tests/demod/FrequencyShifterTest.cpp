#include "demod/FrequencyShifter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "demod/AntiAliasFilter.h"
#include "demod/ButterworthLowPass.h"

namespace tolvik {
namespace {

constexpr double kRateHz = 48000.0;

TEST(ButterworthLowPassTest, ReproducesBothAntiAliasDesigns) {
  // The anti-alias tables are eighth-order Butterworth designs of the same
  // kind, given to 8 decimals: the designer must land on them.
  const struct {
    double cutoff_hz;
    const AntiAliasCoefficients& table;
  } cases[] = {{1200.0, kHfAntiAliasCoefficients}, {5000.0, kVhfAntiAliasCoefficients}};
  for (const auto& c : cases) {
    const auto designed = DesignButterworthLowPass(c.cutoff_hz, kRateHz);
    for (int i = 0; i < kButterworthSections; ++i) {
      SCOPED_TRACE(testing::Message() << c.cutoff_hz << " Hz section " << i + 1);
      EXPECT_NEAR(designed[i].a1, c.table[i].a1, 1e-8);
      EXPECT_NEAR(designed[i].a2, c.table[i].a2, 1e-8);
      EXPECT_NEAR(designed[i].b0, c.table[i].b0, 1e-8);
      EXPECT_NEAR(designed[i].b1, c.table[i].b1, 1e-8);
      EXPECT_NEAR(designed[i].b2, c.table[i].b2, 1e-8);
    }
  }
}

// Amplitude and frequency of the steady part of a shifted tone.
struct ToneReading {
  double amplitude;
  double frequency_hz;
};

ToneReading ShiftTone(double tone_hz, double from_hz, double to_hz) {
  std::vector<double> samples(48000);
  for (std::size_t n = 0; n < samples.size(); ++n) {
    samples[n] = 1000.0 * std::cos(2 * std::numbers::pi * tone_hz * n / kRateHz);
  }
  FrequencyShifter shifter(from_hz, to_hz, kRateHz);
  // In pieces of uneven size, as a file reader delivers them.
  for (std::size_t start = 0; start < samples.size(); start += 1237) {
    const std::size_t count = std::min<std::size_t>(1237, samples.size() - start);
    shifter.Process(std::span<double>(samples).subspan(start, count));
  }
  const std::size_t settled = 4800;  // past the low-pass transient
  double peak = 0;
  int crossings = 0, first = -1, last = -1;
  for (std::size_t n = settled; n < samples.size(); ++n) {
    peak = std::max(peak, std::abs(samples[n]));
    if (samples[n - 1] < 0 && samples[n] >= 0) {
      if (first < 0)
        first = static_cast<int>(n);
      last = static_cast<int>(n);
      ++crossings;
    }
  }
  const double frequency = crossings > 1 ? (crossings - 1) * kRateHz / (last - first) : 0.0;
  return {peak, frequency};
}

TEST(FrequencyShifterTest, MovesTheDscTonesFrom1700To800HzKeepingTheirLevel) {
  for (const double offset : {-85.0, 85.0}) {
    const ToneReading out = ShiftTone(1700 + offset, 1700, 800);
    EXPECT_NEAR(out.frequency_hz, 800 + offset, 0.2);
    EXPECT_NEAR(out.amplitude, 1000.0, 10.0);  // flat within 1% near the centre
  }
  const ToneReading low = ShiftTone(385, 300, 800);
  EXPECT_NEAR(low.frequency_hz, 885, 0.2);
}

TEST(FrequencyShifterTest, DropsWhatLiesFarFromTheCentre) {
  // 1300 Hz away from the centre is more than three octaves above the
  // low-pass edge: an eighth-order low-pass leaves well under 1%.
  EXPECT_LT(ShiftTone(3000, 1700, 800).amplitude, 10.0);
  EXPECT_LT(ShiftTone(400, 1700, 800).amplitude, 10.0);
}

}  // namespace
}  // namespace tolvik
