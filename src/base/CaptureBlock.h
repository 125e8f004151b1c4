#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "base/BlockFormat.h"

namespace tolvik {

// Storage for one capture buffer as a sound card delivers it: 4800 frames of
// interleaved little-endian 16-bit stereo, left sample first.
using CaptureBlock = std::array<std::byte, kBytesPerBlock>;

// A view of one captured block as it arrives from the device, read-only.
using CaptureBuffer = std::span<const std::byte, kBytesPerBlock>;

// Writes `left` (samples in 16-bit units, rounded and clipped) as the left
// channel of `block`, with silence on the right and after the last sample
// given, so that any input can go through the same block pipeline as live
// audio. At most 4800 samples are taken.
void FillCaptureBlock(std::span<const double> left, CaptureBlock& block);

// The same for interleaved frames of left and right (left first): both
// channels, silence after the last frame. At most 4800 frames are taken.
void FillStereoCaptureBlock(std::span<const double> frames, CaptureBlock& block);

}  // namespace tolvik
