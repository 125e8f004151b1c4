#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

#include "audio/input/SampleSource.h"

namespace tolvik {

// Raw signed 16-bit little-endian stereo at 48000 Hz from a stream (standard
// input): the left channel is delivered. A trailing incomplete frame is
// dropped.
class RawPcmSource final : public SampleSource {
 public:
  explicit RawPcmSource(std::FILE* stream) : stream_(stream) {}

  std::size_t Read(std::span<double> out) override;

 private:
  static constexpr std::size_t kBytesPerFrame = 4;
  static constexpr std::size_t kChunkFrames = 4096;

  std::FILE* stream_;                                                 // not owned
  std::array<unsigned char, kChunkFrames * kBytesPerFrame> bytes_{};  // one read from the stream
};

}  // namespace tolvik
