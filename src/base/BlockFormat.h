#pragma once

#include <cstddef>

namespace tolvik {

// The audio the receiver takes in: 16-bit stereo PCM at 48 kHz, handled in
// blocks of 100 ms. The left channel is decoded, the right one too when
// asked for.
inline constexpr int kCaptureRateHz = 48000;
inline constexpr int kFramesPerBlock = 4800;
inline constexpr int kChannelsPerFrame = 2;
inline constexpr int kBytesPerSample = 2;
inline constexpr std::size_t kBytesPerBlock =
    static_cast<std::size_t>(kFramesPerBlock) * kChannelsPerFrame * kBytesPerSample;  // 19200

}  // namespace tolvik
