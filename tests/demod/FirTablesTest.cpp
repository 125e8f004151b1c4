#include <gtest/gtest.h>

#include <cmath>
#include <span>

#include "DemodTestSupport.h"
#include "demod/DecoderParameters.h"
#include "demod/FirFilter.h"
#include "demod/FirTables.h"

namespace tolvik {
namespace {

using testing::FirAmplitudeResponse;

// Tables computed by the design rule agree with the stored 9-digit values to
// this much.
constexpr double kTableTolerance = 0.000002;

template <std::size_t N>
void ExpectSymmetric(const std::array<double, N>& table) {
  for (std::size_t k = 0; k < N; ++k) {
    EXPECT_EQ(table[k], table[N - 1 - k]) << k;
  }
}

TEST(FirTablesTest, KaiserDesignsMatchTheTellingRows) {
  EXPECT_NEAR(KaiserBetaFor40Db(), 3.3953, 0.00005);

  EXPECT_NEAR(HfBandPassTable()[0], 0.000186597594, kTableTolerance);
  EXPECT_NEAR(HfBandPassTable()[49], -0.0755642843, kTableTolerance);
  EXPECT_NEAR(HfBandPassTable()[50], 0.125, kTableTolerance);
  EXPECT_NEAR(HfLowPassTable()[0], -0.000844833208, kTableTolerance);
  EXPECT_NEAR(HfLowPassTable()[49], 0.027035324, kTableTolerance);
  EXPECT_NEAR(HfLowPassTable()[50], 0.0270833333, kTableTolerance);
  EXPECT_NEAR(VhfBandPassTable()[0], -0.000941976681, kTableTolerance);
  EXPECT_NEAR(VhfBandPassTable()[24], 0.143250204, kTableTolerance);
  EXPECT_NEAR(VhfBandPassTable()[25], 0.233333333, kTableTolerance);
  EXPECT_NEAR(VhfLowPassTable()[0], 0.00048760301, kTableTolerance);
  EXPECT_NEAR(VhfLowPassTable()[24], 0.113813414, kTableTolerance);
  EXPECT_NEAR(VhfLowPassTable()[25], 0.116666667, kTableTolerance);

  ExpectSymmetric(HfBandPassTable());
  ExpectSymmetric(HfLowPassTable());
  ExpectSymmetric(VhfBandPassTable());
  ExpectSymmetric(VhfLowPassTable());
}

TEST(FirTablesTest, HfAmplitudeResponses) {
  // Responses are quoted to about three figures; 0.005 covers that rounding.
  constexpr double kRate = kHfWorkingRateHz;
  const auto& band_pass = HfBandPassTable();
  for (double f = 1600.0; f <= 1800.0; f += 10.0) {
    EXPECT_NEAR(FirAmplitudeResponse(band_pass, f, kRate), 1.0, 0.02) << f;
  }
  EXPECT_NEAR(FirAmplitudeResponse(band_pass, 1550.0, kRate), 0.5, 0.005);
  EXPECT_NEAR(FirAmplitudeResponse(band_pass, 1850.0, kRate), 0.5, 0.005);
  EXPECT_NEAR(FirAmplitudeResponse(band_pass, 1500.0, kRate), 0.023, 0.001);
  EXPECT_NEAR(FirAmplitudeResponse(band_pass, 1900.0, kRate), 0.023, 0.001);
  // The mixer's image of a tuned signal sits below 800 Hz.
  EXPECT_LT(FirAmplitudeResponse(band_pass, 800.0, kRate), 0.01);

  const auto& low_pass = HfLowPassTable();
  EXPECT_NEAR(FirAmplitudeResponse(low_pass, 0.0, kRate), 1.015, 0.005);
  EXPECT_NEAR(FirAmplitudeResponse(low_pass, 65.0, kRate), 0.5, 0.005);
  EXPECT_NEAR(FirAmplitudeResponse(low_pass, 100.0, kRate), 0.106, 0.005);
}

TEST(FirTablesTest, VhfAmplitudeResponses) {
  constexpr double kRate = kVhfWorkingRateHz;
  const auto& band_pass = VhfBandPassTable();
  for (double f = 1250.0; f <= 2100.0; f += 50.0) {
    EXPECT_NEAR(FirAmplitudeResponse(band_pass, f, kRate), 1.0, 0.02) << f;
  }
  EXPECT_NEAR(FirAmplitudeResponse(band_pass, 1000.0, kRate), 0.5, 0.005);
  EXPECT_NEAR(FirAmplitudeResponse(band_pass, 2400.0, kRate), 0.5, 0.005);

  const auto& low_pass = VhfLowPassTable();
  EXPECT_NEAR(FirAmplitudeResponse(low_pass, 0.0, kRate), 1.006, 0.005);
  EXPECT_NEAR(FirAmplitudeResponse(low_pass, 500.0, kRate), 0.934, 0.005);
  EXPECT_NEAR(FirAmplitudeResponse(low_pass, 700.0, kRate), 0.5, 0.005);
  EXPECT_NEAR(FirAmplitudeResponse(low_pass, 1000.0, kRate), 0.001, 0.001);
}

TEST(FirTablesTest, QuadratureTablesAreAntisymmetricWithEvenTapsZero) {
  for (const auto* table : {&kHfQuadratureTable, &kVhfQuadratureTable}) {
    EXPECT_EQ((*table)[25], 0.0);
    for (int m = 1; m <= 25; ++m) {
      EXPECT_EQ((*table)[25 - m], -(*table)[25 + m]) << m;
      if (m % 2 == 0) {
        EXPECT_EQ((*table)[25 + m], 0.0) << m;
      }
    }
  }
  EXPECT_EQ(kHfQuadratureTable[26], 0.634600642);
  EXPECT_EQ(kHfQuadratureTable[0], -0.00243136086);
  EXPECT_EQ(kVhfQuadratureTable[50], 0.00589720752);
}

// Feeds cos(w*n) and checks the output against sin of the centre tap's phase.
double WorstQuadratureError(std::span<const double, kQuadratureTaps> table, double frequency_hz,
                            double rate_hz) {
  FirFilter<kQuadratureTaps> filter(table);
  double worst = 0.0;
  for (int n = 0; n < 500; ++n) {
    const double q = filter.Process(std::cos(kTwoPi * frequency_hz * n / rate_hz));
    if (n >= static_cast<int>(kQuadratureTaps)) {
      const double centre_phase = kTwoPi * frequency_hz * (n - 25) / rate_hz;
      EXPECT_NEAR(filter.CentreTap(), std::cos(centre_phase), 1e-12);
      worst = std::max(worst, std::abs(q - std::sin(centre_phase)));
    }
  }
  return worst;
}

TEST(FirTablesTest, QuadratureOutputIsSineOfCentreTapPhaseInBand) {
  // A 51-tap Hilbert filter ripples by a few percent near its band edges and
  // much less in the middle, where the DSC tones sit.
  for (double f = 200.0; f <= 2200.0; f += 100.0) {
    EXPECT_LT(WorstQuadratureError(kHfQuadratureTable, f, kHfWorkingRateHz), 0.05) << f;
  }
  for (double f : {1615.0, 1700.0, 1785.0}) {
    EXPECT_LT(WorstQuadratureError(kHfQuadratureTable, f, kHfWorkingRateHz), 0.01) << f;
  }
  for (double f = 500.0; f <= 5500.0; f += 250.0) {
    EXPECT_LT(WorstQuadratureError(kVhfQuadratureTable, f, kVhfWorkingRateHz), 0.05) << f;
  }
  for (double f : {1300.0, 1700.0, 2100.0}) {
    EXPECT_LT(WorstQuadratureError(kVhfQuadratureTable, f, kVhfWorkingRateHz), 0.01) << f;
  }
}

}  // namespace
}  // namespace tolvik
