#pragma once

#include <cstddef>
#include <span>
#include <string>

namespace tolvik {

// Samples (16-bit units) that lie outside -32768..32767 once rounded.
std::size_t CountClippedSamples(std::span<const double> samples);

// Writes `samples` as a 16-bit PCM WAV file with `channels` channels (1 or
// 2), every channel carrying the same samples; values are rounded and
// clipped to 16 bits. Returns the count of samples clipped (per channel).
// Throws std::runtime_error, with the reason, when the file cannot be
// written, and std::invalid_argument for a rate or channel count a WAV file
// cannot hold.
std::size_t WriteWav(const std::string& path, std::span<const double> samples, int sample_rate_hz,
                     int channels);

}  // namespace tolvik
