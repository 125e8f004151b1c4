#include "demod/FirTables.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tolvik {

namespace {

// Zeroth-order modified Bessel function of the first kind, by its power
// series; the terms fall off fast for the small arguments a window needs.
double BesselI0(double x) {
  constexpr double kRelativeTolerance = 1e-17;
  const double half_x = x / 2.0;
  double term = 1.0;
  double sum = 1.0;
  for (int k = 1; term > kRelativeTolerance * sum; ++k) {
    term *= (half_x / k) * (half_x / k);
    sum += term;
  }
  return sum;
}

// Ideal low-pass with edge fc at distance m from the centre.
double IdealLowPass(int m, double fc_hz, double rate_hz) {
  if (m == 0) {
    return 2.0 * fc_hz / rate_hz;
  }
  return std::sin(2.0 * std::numbers::pi * fc_hz * m / rate_hz) / (std::numbers::pi * m);
}

template <std::size_t N>
std::array<double, N> Design(double low_edge_hz, double high_edge_hz, double rate_hz) {
  std::array<double, N> table{};
  DesignKaiserWindowedFilter(table, low_edge_hz, high_edge_hz, rate_hz, KaiserBetaFor40Db());
  return table;
}

}  // namespace

double KaiserBetaFor40Db() {
  constexpr double kRippleDb = 40.0;
  const double a = kRippleDb - 21.0;
  return 0.5842 * std::pow(a, 0.4) + 0.07886 * a;
}

void DesignKaiserWindowedFilter(std::span<double> table, double low_edge_hz, double high_edge_hz,
                                double rate_hz, double beta) {
  const int half = static_cast<int>(table.size() - 1) / 2;
  const double i0_beta = BesselI0(beta);
  // Each tap at distance m from the centre is computed once and written to
  // both sides, so that the table is exactly symmetric (linear phase).
  for (int m = 0; m <= half; ++m) {
    double ideal = IdealLowPass(m, high_edge_hz, rate_hz);
    if (low_edge_hz > 0.0) {
      ideal -= IdealLowPass(m, low_edge_hz, rate_hz);
    }
    const double position = static_cast<double>(m) / half;  // 0 at the centre, 1 at the ends
    const double radicand = std::max(0.0, 1.0 - position * position);
    const double window = BesselI0(beta * std::sqrt(radicand)) / i0_beta;
    table[half + m] = ideal * window;
    table[half - m] = ideal * window;
  }
}

const std::array<double, kHfBandPassTaps>& HfBandPassTable() {
  static const auto table = Design<kHfBandPassTaps>(1550.0, 1850.0, 4800.0);
  return table;
}

const std::array<double, kHfLowPassTaps>& HfLowPassTable() {
  static const auto table = Design<kHfLowPassTaps>(0.0, 65.0, 4800.0);
  return table;
}

const std::array<double, kVhfBandPassTaps>& VhfBandPassTable() {
  static const auto table = Design<kVhfBandPassTaps>(1000.0, 2400.0, 12000.0);
  return table;
}

const std::array<double, kVhfLowPassTaps>& VhfLowPassTable() {
  static const auto table = Design<kVhfLowPassTaps>(0.0, 700.0, 12000.0);
  return table;
}

}  // namespace tolvik
