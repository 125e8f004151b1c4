#include "audio/input/InputBlockReader.h"

namespace tolvik {

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
  FillCaptureBlock(std::span<const double>(samples_).first(filled), buffer);
  ++blocks_read_;
  return true;
}

}  // namespace tolvik
