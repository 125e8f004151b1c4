#include "audio/InputBlockReader.h"

#include <algorithm>
#include <cmath>

namespace tolvik {

namespace {

std::int16_t ToSixteenBits(double sample) {
  const double rounded = std::nearbyint(sample);
  return static_cast<std::int16_t>(std::clamp(rounded, -32768.0, 32767.0));
}

}  // namespace

bool InputBlockReader::NextBlock(Buffer& buffer) {
  std::size_t filled = 0;
  while (filled < samples_.size()) {
    const std::size_t count = source_.Read(std::span<double>(samples_).subspan(filled));
    if (count == 0) {
      break;
    }
    filled += count;
  }
  if (filled == 0) {
    return false;
  }
  std::fill(samples_.begin() + static_cast<std::ptrdiff_t>(filled), samples_.end(), 0.0);

  for (int frame = 0; frame < kFramesPerBlock; ++frame) {
    const auto left = static_cast<std::uint16_t>(ToSixteenBits(samples_[frame]));
    std::byte* out = &buffer[static_cast<std::size_t>(frame) * kChannelsPerFrame * kBytesPerSample];
    out[0] = static_cast<std::byte>(left & 0xFF);
    out[1] = static_cast<std::byte>(left >> 8);
    out[2] = std::byte{0};  // right channel: silence
    out[3] = std::byte{0};
  }
  ++blocks_read_;
  return true;
}

}  // namespace tolvik
