#include "audio/input/InputBlockReader.h"

namespace tolvik {

bool InputBlockReader::NextBlock(Buffer& buffer) {
  const bool stereo = source_.Channels() == InputChannels::LeftAndRight;
  const std::size_t block_samples = stereo ? samples_.size() : kFramesPerBlock;
  std::size_t filled = 0;
  while (filled < block_samples) {
    const std::size_t count =
        source_.Read(std::span<double>(samples_).subspan(filled, block_samples - filled));
    if (count == 0) {
      break;
    }
    filled += count;
  }
  if (filled == 0) {
    return false;
  }
  const std::span<const double> samples = std::span<const double>(samples_).first(filled);
  if (stereo) {
    FillStereoCaptureBlock(samples, buffer);
  } else {
    FillCaptureBlock(samples, buffer);
  }
  ++blocks_read_;
  return true;
}

}  // namespace tolvik
