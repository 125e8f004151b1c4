#include "gen/GaussianNoise.h"

#include <cmath>

namespace tolvik {

double GaussianNoise::Uniform() {
  // 53 random bits, the precision of a double.
  const double unit = static_cast<double>(engine_() >> 11) * 0x1.0p-53;  // [0, 1)
  return 2.0 * unit - 1.0;
}

double GaussianNoise::Next() {
  if (has_spare_) {
    has_spare_ = false;
    return sigma_ * spare_;
  }
  double u = 0, v = 0, s = 0;
  do {
    u = Uniform();
    v = Uniform();
    s = u * u + v * v;
  } while (s >= 1.0 || s == 0.0);
  const double scale = std::sqrt(-2.0 * std::log(s) / s);
  spare_ = v * scale;
  has_spare_ = true;
  return sigma_ * u * scale;
}

double NoiseSigmaForEbN0(double amplitude, double ebn0_db, double bit_rate, double sample_rate_hz) {
  const double signal_power = amplitude * amplitude / 2.0;
  const double ebn0 = std::pow(10.0, ebn0_db / 10.0);
  return std::sqrt(signal_power * sample_rate_hz / (2.0 * bit_rate * ebn0));
}

}  // namespace tolvik
