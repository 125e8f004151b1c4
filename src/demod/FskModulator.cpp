#include "demod/FskModulator.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tolvik {

namespace {

constexpr double kTwoPiRad = 2.0 * std::numbers::pi;

}  // namespace

FskModulator::FskModulator(double mark_hz, double space_hz, double bit_rate, double amplitude,
                           double sample_rate_hz)
    : mark_step_(kTwoPiRad * mark_hz / sample_rate_hz),
      space_step_(kTwoPiRad * space_hz / sample_rate_hz),
      samples_per_bit_(sample_rate_hz / bit_rate),
      amplitude_(amplitude) {}

void FskModulator::Modulate(std::span<const std::uint8_t> bits, std::vector<double>& out) {
  for (const std::uint8_t bit : bits) {
    const double step = bit != 0 ? mark_step_ : space_step_;
    // The bit ends at a fixed point of the grid, computed from the bit count
    // rather than summed, so that a fractional period does not drift.
    const double bit_end = static_cast<double>(bits_sent_ + 1) * samples_per_bit_;
    while (static_cast<double>(samples_sent_) < bit_end) {
      out.push_back(amplitude_ * std::cos(phase_));
      phase_ = std::fmod(phase_ + step, kTwoPiRad);
      ++samples_sent_;
    }
    ++bits_sent_;
  }
}

void FskModulator::ModulateInt16(std::span<const std::uint8_t> bits,
                                 std::vector<std::int16_t>& out) {
  std::vector<double> samples;
  Modulate(bits, samples);
  // No exact reserve here: called piece by piece, it would defeat the
  // vector's geometric growth and copy the whole output every time.
  for (const double x : samples) {
    out.push_back(RoundToInt16(x));
  }
}

}  // namespace tolvik
