#include "audio/device/CaptureRing.h"

#include <algorithm>
#include <cstring>

namespace tolvik {

CaptureRing::CaptureRing() : buffers_(std::make_unique<Buffers>()) {}

int CaptureRing::Append(std::span<const std::byte> bytes) {
  int newly_completed = 0;
  while (!bytes.empty()) {
    if (completed_ == kBufferCount) {
      bytes_lost_ += bytes.size();
      break;
    }
    CaptureBlock& filling = (*buffers_)[(index_ + completed_) % kBufferCount];
    const std::size_t taken = std::min(bytes.size(), kBytesPerBlock - fill_bytes_);
    std::memcpy(filling.data() + fill_bytes_, bytes.data(), taken);
    fill_bytes_ += taken;
    bytes = bytes.subspan(taken);
    if (fill_bytes_ == kBytesPerBlock) {
      fill_bytes_ = 0;
      ++completed_;
      ++newly_completed;
    }
  }
  return newly_completed;
}

CaptureBuffer CaptureRing::TakeCompleted() {
  const CaptureBlock& taken = (*buffers_)[index_];
  index_ = (index_ + 1) % kBufferCount;
  --completed_;
  return CaptureBuffer(taken);
}

void CaptureRing::Reset() {
  index_ = 0;
  completed_ = 0;
  fill_bytes_ = 0;
}

}  // namespace tolvik
