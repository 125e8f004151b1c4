#pragma once

#include <array>
#include <cstdint>
#include <random>

namespace tolvik {

// What an SSB or FM receiver passes when no DSC is on the air but the
// channel is busy: bursts of one to three steady tones anywhere in
// 300..3000 Hz, each burst 50..800 ms long at a random level, with short
// pauses between bursts. Made sample by sample from a seed; the noise is
// added by the caller.
class SpeechBandTones {
 public:
  SpeechBandTones(std::uint64_t seed, double sample_rate_hz, double loudest_peak);

  double Next();

 private:
  static constexpr int kMostTones = 3;

  void StartBurst();
  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(engine_);
  }

  std::mt19937_64 engine_;                       // draws every burst
  double sample_rate_hz_;                        // of the output
  double loudest_peak_;                          // of a whole burst, 16-bit units
  std::array<double, kMostTones> phase_step_{};  // radians per sample of each tone
  std::array<double, kMostTones> phase_{};       // current phase of each tone
  int tones_ = 0;                                // sounding in this burst (0 in a pause)
  double amplitude_ = 0.0;                       // peak of each tone of this burst
  std::int64_t burst_samples_ = 0;               // length of this burst or pause
  std::int64_t position_ = 0;                    // samples into it
  bool in_pause_ = true;                         // a pause comes first
};

}  // namespace tolvik
