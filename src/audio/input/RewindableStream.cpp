#include "audio/input/RewindableStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tolvik {

std::size_t RewindableStream::ReadFromStream(unsigned char* out, std::size_t count) {
  if (interrupted_) {
    return 0;
  }
  errno = 0;
  const std::size_t got = std::fread(out, 1, count, stream_);
  if (got < count && std::ferror(stream_) && errno == EINTR) {
    // Only a program that wants to be stopped lets a signal cut a read short
    // (a handler without restart). Every reader above loops until its
    // request is whole, so the stream must end here, or the next read
    // would wait on a quiet pipe again.
    interrupted_ = true;
    std::clearerr(stream_);
  }
  if (bytes_taken_ < kKeptBytes) {
    const std::size_t keep = std::min<std::size_t>(got, kKeptBytes - bytes_taken_);
    kept_.insert(kept_.end(), out, out + keep);
  }
  bytes_taken_ += got;
  position_ += got;
  return got;
}

std::size_t RewindableStream::Read(std::span<unsigned char> out) {
  std::size_t done = 0;
  if (position_ < bytes_taken_) {
    // Seek only moves back into the kept start.
    const auto offset = static_cast<std::size_t>(position_);
    const std::size_t count = std::min(out.size(), kept_.size() - offset);
    std::memcpy(out.data(), kept_.data() + offset, count);
    position_ += count;
    done = count;
  }
  if (done < out.size() && position_ == bytes_taken_) {
    done += ReadFromStream(out.data() + done, out.size() - done);
  }
  return done;
}

bool RewindableStream::Seek(std::uint64_t position) {
  if (position < kept_.size() || position == bytes_taken_) {
    position_ = position;
    return true;
  }
  if (position < bytes_taken_ || position > kKeptBytes) {
    return false;
  }
  std::vector<unsigned char> skipped(static_cast<std::size_t>(position - bytes_taken_));
  position_ = bytes_taken_;
  ReadFromStream(skipped.data(), skipped.size());
  return position_ == position;
}

}  // namespace tolvik
