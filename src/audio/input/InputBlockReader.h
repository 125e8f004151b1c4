#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "audio/input/SampleSource.h"
#include "base/BlockFormat.h"
#include "base/CaptureBlock.h"

namespace tolvik {

// Cuts an input into capture buffers exactly like the ones a sound card
// delivers (4800 frames of little-endian 16-bit stereo: a mono input on the
// left and silence on the right, or a stereo input's two channels), so
// recordings go through the same block pipeline as live audio. Samples are rounded and clipped to
// 16 bits; an input that ends inside a block is padded with zeros up to its end.
class InputBlockReader {
 public:
  using Buffer = CaptureBlock;

  explicit InputBlockReader(SampleSource& source) : source_(source) {}

  // Fills `buffer` with the next block; false once the input has ended.
  bool NextBlock(Buffer& buffer);

  std::uint64_t BlocksRead() const { return blocks_read_; }

  // Seconds of input from the start to the end of the last block read.
  double SecondsRead() const {
    return static_cast<double>(blocks_read_) * kFramesPerBlock / kCaptureRateHz;
  }

 private:
  SampleSource& source_;
  std::array<double, kFramesPerBlock * kChannelsPerFrame> samples_{};  // the block being cut
  std::uint64_t blocks_read_ = 0;
};

}  // namespace tolvik
