#include "base/CaptureBlock.h"

#include <algorithm>
#include <cstdint>

#include "base/SixteenBitSample.h"

namespace tolvik {

namespace {

constexpr std::size_t kBytesPerFrame = kChannelsPerFrame * kBytesPerSample;

void PutSample(double sample, std::byte* out) {
  const auto value = static_cast<std::uint16_t>(RoundToInt16(sample));
  out[0] = static_cast<std::byte>(value & 0xFF);
  out[1] = static_cast<std::byte>(value >> 8);
}

void SilenceFrom(std::size_t frame, CaptureBlock& block) {
  std::fill(block.begin() + static_cast<std::ptrdiff_t>(frame * kBytesPerFrame), block.end(),
            std::byte{0});
}

}  // namespace

void FillCaptureBlock(std::span<const double> left, CaptureBlock& block) {
  const std::size_t frames = std::min<std::size_t>(left.size(), kFramesPerBlock);
  for (std::size_t frame = 0; frame < frames; ++frame) {
    std::byte* out = &block[frame * kBytesPerFrame];
    PutSample(left[frame], out);
    out[2] = std::byte{0};  // right channel: silence
    out[3] = std::byte{0};
  }
  SilenceFrom(frames, block);
}

void FillStereoCaptureBlock(std::span<const double> frames, CaptureBlock& block) {
  const std::size_t count = std::min<std::size_t>(frames.size() / 2, kFramesPerBlock);
  for (std::size_t frame = 0; frame < count; ++frame) {
    std::byte* out = &block[frame * kBytesPerFrame];
    PutSample(frames[2 * frame], out);
    PutSample(frames[2 * frame + 1], out + kBytesPerSample);
  }
  SilenceFrom(count, block);
}

}  // namespace tolvik
