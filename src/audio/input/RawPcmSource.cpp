#include "audio/input/RawPcmSource.h"

#include <algorithm>

namespace tolvik {

std::size_t RawPcmSource::Read(std::span<double> out) {
  std::size_t written = 0;
  while (written < out.size()) {
    const std::size_t frames_wanted = std::min(out.size() - written, kChunkFrames);
    // fread blocks until it has the whole request or the stream ends, so a
    // short count means the end; a trailing partial frame is lost.
    const std::size_t bytes = std::fread(bytes_.data(), 1, frames_wanted * kBytesPerFrame, stream_);
    const std::size_t frames = bytes / kBytesPerFrame;
    for (std::size_t frame = 0; frame < frames; ++frame) {
      const unsigned char* left = &bytes_[frame * kBytesPerFrame];
      const auto value =
          static_cast<std::int16_t>(static_cast<std::uint16_t>(left[0] | (left[1] << 8)));
      out[written + frame] = value;
    }
    written += frames;
    if (frames < frames_wanted) {
      break;
    }
  }
  return written;
}

}  // namespace tolvik
