#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "DemodTestSupport.h"
#include "demod/AntiAliasFilter.h"
#include "demod/ClockResonator.h"
#include "demod/DecoderParameters.h"
#include "demod/FirFilter.h"
#include "demod/QuadratureDiscriminator.h"

namespace tolvik {
namespace {

using testing::AmplitudeAt;

// Steady-state gain of the filter for a sinusoid at `frequency_hz`, 48 kHz.
double AntiAliasGain(const AntiAliasCoefficients& coefficients, double frequency_hz) {
  AntiAliasFilter filter(coefficients);
  constexpr int kSettle = 48000;   // 1 s: the slowest section decays in a few ms
  constexpr int kMeasure = 48000;  // 1 s holds whole periods of every test frequency
  std::vector<double> out;
  for (int n = 0; n < kSettle + kMeasure; ++n) {
    const double y = filter.Process(std::cos(kTwoPi * frequency_hz * n / kCaptureRateHz));
    if (n >= kSettle) {
      out.push_back(y);
    }
  }
  return AmplitudeAt(out, frequency_hz, kCaptureRateHz);
}

double Db(double gain) {
  return 20.0 * std::log10(gain);
}

TEST(AntiAliasFilterTest, ConstantInputComesOutUnchanged) {
  for (const auto* coefficients : {&kHfAntiAliasCoefficients, &kVhfAntiAliasCoefficients}) {
    AntiAliasFilter filter(*coefficients);
    double y = 0.0;
    for (int n = 0; n < 48000; ++n) {
      y = filter.Process(1000.0);
    }
    // The coefficients are rounded to 8 decimals, which leaves the 0 Hz gain
    // of the cascade off unity by a few parts per million at most.
    EXPECT_NEAR(y, 1000.0, 0.01);
  }
}

TEST(AntiAliasFilterTest, CutsOffWhereTheWorkingRateNeedsIt) {
  // An eighth-order Butterworth is 3 dB down at its edge and falls at about
  // 48 dB per octave; the bilinear transform steepens it a little further.
  // 0.2 dB allows for the 8-decimal coefficients.
  EXPECT_NEAR(Db(AntiAliasGain(kHfAntiAliasCoefficients, 1200.0)), -3.01, 0.2);
  EXPECT_NEAR(Db(AntiAliasGain(kHfAntiAliasCoefficients, 2400.0)), -49.0, 1.0);
  EXPECT_NEAR(Db(AntiAliasGain(kHfAntiAliasCoefficients, 300.0)), 0.0, 0.01);

  EXPECT_NEAR(Db(AntiAliasGain(kVhfAntiAliasCoefficients, 5000.0)), -3.01, 0.2);
  EXPECT_NEAR(Db(AntiAliasGain(kVhfAntiAliasCoefficients, 6000.0)), -14.0, 1.0);
  EXPECT_NEAR(Db(AntiAliasGain(kVhfAntiAliasCoefficients, 2100.0)), 0.0, 0.01);
}

TEST(FirFilterTest, NewestSampleMeetsFirstTapAndCentreTapIsDelayed) {
  const std::array<double, 5> table{1.0, 2.0, 3.0, 4.0, 5.0};
  FirFilter<5> filter(table);
  // An impulse walks through the line from the newest end: h[0] first.
  std::vector<double> impulse_response;
  std::vector<double> centre_taps;
  for (int n = 0; n < 7; ++n) {
    impulse_response.push_back(filter.Process(n == 0 ? 1.0 : 0.0));
    centre_taps.push_back(filter.CentreTap());
  }
  EXPECT_EQ(impulse_response, (std::vector<double>{1, 2, 3, 4, 5, 0, 0}));
  EXPECT_EQ(centre_taps, (std::vector<double>{0, 0, 1, 0, 0, 0, 0}));

  // Each filter object has its own line: a second one starts from zeros.
  FirFilter<5> other(table);
  EXPECT_EQ(other.Process(2.0), 2.0);
}

TEST(ClockResonatorTest, CoefficientsFollowFromCentreBandwidthAndRate) {
  // The reference values are given to 9 decimals.
  constexpr double kTolerance = 5e-10;
  const ClockResonator hf(kHfClockCentreHz, kHfClockBandwidthHz, kHfClockGain, kHfSamplingPeriodS);
  EXPECT_NEAR(hf.A1(), 1.981592349, kTolerance);
  EXPECT_NEAR(hf.A2(), -0.998691859, kTolerance);
  EXPECT_NEAR(hf.B0(), 0.130526192, kTolerance);

  const ClockResonator vhf(kVhfClockCentreHz, kVhfClockBandwidthHz, kVhfClockGain,
                           kVhfSamplingPeriodS);
  EXPECT_NEAR(vhf.A1(), 1.609584124, kTolerance);
  EXPECT_NEAR(vhf.A2(), -0.989582665, kTolerance);
  EXPECT_NEAR(vhf.B0(), 0.587785252, kTolerance);
}

TEST(ClockResonatorTest, SettlesToAConstantOfTheInputsSign) {
  // A steady tone drives the resonator with a constant; its 0 Hz gain
  // b0/(1 - a1 - a2) is about 7.6 for HF, so the clock's sign stays put.
  ClockResonator hf(kHfClockCentreHz, kHfClockBandwidthHz, kHfClockGain, kHfSamplingPeriodS);
  double r = 0.0;
  for (int n = 0; n < 10 * kHfWorkingRateHz; ++n) {  // 10 s, some 30 time constants
    r = hf.Process(-1.0);
  }
  EXPECT_NEAR(r, -7.633, 0.001);

  ClockResonator vhf(kVhfClockCentreHz, kVhfClockBandwidthHz, kVhfClockGain, kVhfSamplingPeriodS);
  for (int n = 0; n < kVhfWorkingRateHz; ++n) {
    r = vhf.Process(1.0);
  }
  EXPECT_NEAR(r, 1.547, 0.001);
}

TEST(QuadratureDiscriminatorTest, WrapBringsDifferencesIntoOneTurn) {
  const double pi = std::numbers::pi;
  EXPECT_EQ(WrapPhaseDifference(pi), pi);
  EXPECT_EQ(WrapPhaseDifference(-pi), -pi);
  EXPECT_EQ(WrapPhaseDifference(0.5), 0.5);
  EXPECT_DOUBLE_EQ(WrapPhaseDifference(3.5), 3.5 - 2.0 * pi);
  EXPECT_DOUBLE_EQ(WrapPhaseDifference(-3.5), -3.5 + 2.0 * pi);
}

TEST(QuadratureDiscriminatorTest, ReadsToneOffsetFromReference) {
  for (const double tone_hz : {1615.0, 1785.0, 1700.0, 1550.0}) {
    QuadratureDiscriminator discriminator(kHfQuadratureTable, kHfReferencePhaseStep,
                                          SilentPhase::Zero);
    double dev = 0.0;
    for (int n = 0; n < 400; ++n) {
      dev = discriminator.Process(1000.0 * std::cos(kTwoPi * tone_hz * n / kHfWorkingRateHz));
    }
    // The Hilbert filter's ripple makes the measured phase wobble slightly
    // around the true one; 1 % of the 85 Hz deviation is plenty.
    EXPECT_NEAR(dev * kHfWorkingRateHz / kTwoPi, tone_hz - 1700.0, 0.85) << tone_hz;
  }
}

TEST(QuadratureDiscriminatorTest, SilenceReadsZeroPhaseOrHoldsIt) {
  QuadratureDiscriminator zeroing(kVhfQuadratureTable, kVhfReferencePhaseStep, SilentPhase::Zero);
  QuadratureDiscriminator holding(kVhfQuadratureTable, kVhfReferencePhaseStep,
                                  SilentPhase::HoldPrevious);
  constexpr int kTone = 300;
  std::vector<double> zeroing_out;
  std::vector<double> holding_out;
  for (int n = 0; n < kTone + 2 * static_cast<int>(kQuadratureTaps); ++n) {
    const double x = n < kTone ? std::cos(kTwoPi * 2100.0 * n / kVhfWorkingRateHz + 0.3) : 0.0;
    zeroing_out.push_back(zeroing.Process(x));
    holding_out.push_back(holding.Process(x));
  }
  // Once the line holds only zeros, I = Q = 0 exactly.
  const int first_silent = kTone + static_cast<int>(kQuadratureTaps) - 1;
  for (int n = first_silent + 1; n < static_cast<int>(holding_out.size()); ++n) {
    EXPECT_EQ(holding_out[n], -kVhfReferencePhaseStep);
    EXPECT_EQ(zeroing_out[n], -kVhfReferencePhaseStep);
  }
  // Holding keeps the phase, so no jump at the first silent sample; zeroing
  // jumps from wherever the tone left the phase.
  EXPECT_EQ(holding_out[first_silent], -kVhfReferencePhaseStep);
  EXPECT_NE(zeroing_out[first_silent], -kVhfReferencePhaseStep);
}

}  // namespace
}  // namespace tolvik
