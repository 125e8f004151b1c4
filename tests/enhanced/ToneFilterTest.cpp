// The one-bit tone filters: matched to their tone, blind to a tone one bit
// rate away, and steady over a long run.

#include "enhanced/ToneFilter.h"

#include <gtest/gtest.h>

#include <cmath>

#include "enhanced/ToneFilterPair.h"

namespace tolvik {
namespace {

double Tone(double frequency_hz, double amplitude, long n) {
  return amplitude * std::cos(kTwoPi * frequency_hz * static_cast<double>(n) / 4800.0 + 0.3);
}

TEST(ToneFilterTest, MatchedToneGivesHalfTheAmplitudePerSampleOverABit) {
  ToneFilter filter(715.0);
  double magnitude = 0.0;
  for (long n = 0; n < 480; ++n) {
    magnitude = filter.Process(Tone(715.0, 1000.0, n));
  }
  // A cosine of amplitude a mixed down leaves a / 2 per sample over 48
  // samples, give or take its image at twice the tone (a / 2 at most).
  EXPECT_NEAR(magnitude, 24.0 * 1000.0, 1000.0 / 2);
}

TEST(ToneFilterTest, ToneOneBitRateAwayIsNotSeen) {
  // Over exactly one bit, a tone 100 Hz away turns a whole cycle against the
  // filter's phasor and sums to nothing; only the image at the sum of the
  // two frequencies is left (a / 2 at most).
  ToneFilter filter(715.0);
  double magnitude = 0.0;
  for (long n = 0; n < 480; ++n) {
    magnitude = filter.Process(Tone(815.0, 1000.0, n));
  }
  EXPECT_LE(magnitude, 1000.0 / 2 + 1e-6);
}

TEST(ToneFilterTest, PhaseAndSumStayExactOverThreeQuartersOfAnHour) {
  // 1.3e7 samples: the phasor is renormalised every bit and the running sum
  // rebuilt every second, so neither the gain nor a silence after loud
  // audio drifts.
  ToneFilter filter(885.0);
  constexpr long kSamples = 13'000'000;
  double magnitude = 0.0;
  for (long n = 0; n < kSamples; ++n) {
    magnitude = filter.Process(Tone(885.0, 30000.0, n));
  }
  // The same sum made afresh over the last bit (885 Hz repeats every 960
  // samples, so the phase is taken modulo that).
  double re = 0.0;
  double im = 0.0;
  for (long n = kSamples - 48; n < kSamples; ++n) {
    const double phase = -kTwoPi * 885.0 * static_cast<double>(n % 960) / 4800.0;
    re += Tone(885.0, 30000.0, n) * std::cos(phase);
    im += Tone(885.0, 30000.0, n) * std::sin(phase);
  }
  EXPECT_NEAR(magnitude, std::hypot(re, im), 1e-6 * magnitude);
  for (long n = 0; n < 4800 * 2; ++n) {
    magnitude = filter.Process(0.0);
  }
  EXPECT_EQ(magnitude, 0.0);
}

TEST(ToneFilterTest, PairGivesSignedSoftValueAndEnvelope) {
  ToneFilterPair pair(800.0);
  ToneOutput mark;
  for (long n = 0; n < 480; ++n) {
    mark = pair.Process(Tone(715.0, 1000.0, n));  // bit 1: the lower tone
  }
  EXPECT_GT(mark.Soft, 0.0);
  EXPECT_GE(mark.Envelope, mark.Soft);
  ToneFilterPair moved(800.0, 20.0);
  ToneOutput space;
  for (long n = 0; n < 480; ++n) {
    space = moved.Process(Tone(905.0, 1000.0, n));  // bit 0, 20 Hz high
  }
  EXPECT_LT(space.Soft, -0.8 * 24.0 * 1000.0);
}

}  // namespace
}  // namespace tolvik
