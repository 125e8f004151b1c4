#include "base/CaptureBlock.h"

#include <algorithm>
#include <cstdint>

#include "base/SixteenBitSample.h"

namespace tolvik {

void FillCaptureBlock(std::span<const double> left, CaptureBlock& block) {
  constexpr std::size_t kBytesPerFrame = kChannelsPerFrame * kBytesPerSample;
  const std::size_t frames = std::min<std::size_t>(left.size(), kFramesPerBlock);
  for (std::size_t frame = 0; frame < frames; ++frame) {
    const auto value = static_cast<std::uint16_t>(RoundToInt16(left[frame]));
    std::byte* out = &block[frame * kBytesPerFrame];
    out[0] = static_cast<std::byte>(value & 0xFF);
    out[1] = static_cast<std::byte>(value >> 8);
    out[2] = std::byte{0};  // right channel: silence
    out[3] = std::byte{0};
  }
  std::fill(block.begin() + static_cast<std::ptrdiff_t>(frames * kBytesPerFrame), block.end(),
            std::byte{0});
}

}  // namespace tolvik
