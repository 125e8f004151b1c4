#include "enhanced/NoncoherentBitLikelihood.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tolvik {

namespace {

// Above this argument I0 is replaced by its asymptotic form, which never
// overflows; with three terms it is within 1e-6 of the logarithm there.
constexpr double kAsymptoticFrom = 50.0;

}  // namespace

double LogBesselI0(double x) {
  if (x < kAsymptoticFrom) {
    return std::log(std::cyl_bessel_i(0.0, x));
  }
  // I0(x) ~ e^x / sqrt(2 pi x) (1 + 1 / 8x + 9 / 128x^2).
  return x - 0.5 * std::log(2.0 * std::numbers::pi * x) +
         std::log1p(1.0 / (8.0 * x) + 9.0 / (128.0 * x * x));
}

void NoncoherentBitLikelihood::SetLevels(const ToneLevels& levels) {
  const double sigma_squared = 0.5 * levels.NoisePower;
  scale_ = sigma_squared > 0.0 ? levels.Amplitude / sigma_squared : 0.0;
}

double NoncoherentBitLikelihood::HalfRatio(double one_envelope, double zero_envelope) const {
  return 0.5 * (LogBesselI0(scale_ * std::max(0.0, one_envelope)) -
                LogBesselI0(scale_ * std::max(0.0, zero_envelope)));
}

}  // namespace tolvik
