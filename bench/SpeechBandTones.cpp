#include "SpeechBandTones.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tolvik {

namespace {

constexpr double kLowestToneHz = 300.0;
constexpr double kHighestToneHz = 3000.0;
constexpr double kShortestBurstS = 0.05;
constexpr double kLongestBurstS = 0.8;
constexpr double kLongestPauseS = 0.3;
// Levels spread evenly in dB over this range below the loudest peak.
constexpr double kLevelRangeDb = 30.0;
// Raised-cosine edges keep a burst's start and end from clicking across
// the whole band.
constexpr double kEdgeS = 0.005;

}  // namespace

SpeechBandTones::SpeechBandTones(std::uint64_t seed, double sample_rate_hz, double loudest_peak)
    : engine_(seed), sample_rate_hz_(sample_rate_hz), loudest_peak_(loudest_peak) {}

void SpeechBandTones::StartBurst() {
  position_ = 0;
  in_pause_ = !in_pause_;
  if (in_pause_) {
    tones_ = 0;
    burst_samples_ = static_cast<std::int64_t>(Uniform(0.0, kLongestPauseS) * sample_rate_hz_);
    return;
  }
  tones_ = std::uniform_int_distribution<int>(1, kMostTones)(engine_);
  // The tones of a burst share its level, so the sum stays within it.
  const double level_db = -Uniform(0.0, kLevelRangeDb);
  amplitude_ = loudest_peak_ * std::pow(10.0, level_db / 20.0) / tones_;
  for (int i = 0; i < tones_; ++i) {
    phase_step_[static_cast<std::size_t>(i)] =
        2.0 * std::numbers::pi * Uniform(kLowestToneHz, kHighestToneHz) / sample_rate_hz_;
    phase_[static_cast<std::size_t>(i)] = Uniform(0.0, 2.0 * std::numbers::pi);
  }
  burst_samples_ =
      static_cast<std::int64_t>(Uniform(kShortestBurstS, kLongestBurstS) * sample_rate_hz_);
}

double SpeechBandTones::Next() {
  while (position_ >= burst_samples_) {
    StartBurst();
  }
  const std::int64_t at = position_++;
  if (in_pause_) {
    return 0.0;
  }
  const double edge_samples = kEdgeS * sample_rate_hz_;
  const double from_edge = static_cast<double>(std::min(at, burst_samples_ - 1 - at));
  const double envelope = from_edge >= edge_samples
                              ? 1.0
                              : 0.5 - 0.5 * std::cos(std::numbers::pi * from_edge / edge_samples);
  double sum = 0.0;
  for (int i = 0; i < tones_; ++i) {
    const auto k = static_cast<std::size_t>(i);
    sum += std::sin(phase_[k]);
    phase_[k] = std::fmod(phase_[k] + phase_step_[k], 2.0 * std::numbers::pi);
  }
  return amplitude_ * envelope * sum;
}

}  // namespace tolvik
