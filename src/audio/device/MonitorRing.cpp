#include "audio/device/MonitorRing.h"

#include <algorithm>
#include <cstring>

namespace tolvik {

MonitorRing::MonitorRing() : buffers_(std::make_unique<Buffers>()) {}

void MonitorRing::Write(std::span<const std::byte, kBytesPerBlock> block) {
  if (queued_ == kBufferCount) {
    // The buffer about to be reused is the oldest one still waiting.
    --queued_;
    consumed_ = 0;
  }
  std::memcpy((*buffers_)[index_].data(), block.data(), kBytesPerBlock);
  index_ = (index_ + 1) % kBufferCount;
  ++queued_;
}

std::span<const std::byte> MonitorRing::Pending() const {
  if (queued_ == 0) {
    return {};
  }
  const int oldest = (index_ - queued_ + kBufferCount) % kBufferCount;
  return std::span<const std::byte>((*buffers_)[oldest]).subspan(consumed_);
}

void MonitorRing::Consume(std::size_t count) {
  consumed_ += count;
  if (consumed_ >= kBytesPerBlock) {
    consumed_ = 0;
    --queued_;
  }
}

void MonitorRing::Reset() {
  index_ = 0;
  queued_ = 0;
  consumed_ = 0;
}

}  // namespace tolvik
