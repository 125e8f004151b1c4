#pragma once

#include <cstdint>
#include <random>

namespace tolvik {

// White Gaussian noise from a seed. The normal deviates are made here (polar
// Box-Muller on the fully specified mt19937_64) rather than by the standard
// library's distribution, whose algorithm differs between compilers: the
// same seed gives the same noise everywhere.
class GaussianNoise {
 public:
  GaussianNoise(std::uint64_t seed, double sigma) : engine_(seed), sigma_(sigma) {}

  double Next();

 private:
  double Uniform();  // in (-1, 1)

  std::mt19937_64 engine_;
  double sigma_;            // standard deviation of each sample
  double spare_ = 0.0;      // the second deviate of the last pair
  bool has_spare_ = false;  // spare_ not yet handed out
};

// The noise standard deviation per sample that puts a sinusoidal FSK signal
// of peak `amplitude` at `ebn0_db`. With the signal power S = amplitude^2 / 2,
// the energy per bit Eb = S / bit_rate, and white noise of variance sigma^2
// at sample rate fs having the one-sided density N0 = sigma^2 / (fs / 2):
//   Eb/N0 = S * fs / (2 * sigma^2 * bit_rate).
double NoiseSigmaForEbN0(double amplitude, double ebn0_db, double bit_rate, double sample_rate_hz);

}  // namespace tolvik
