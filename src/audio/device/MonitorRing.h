#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <span>

#include "base/BlockFormat.h"
#include "base/CaptureBlock.h"

namespace tolvik {

// The 8 output buffers of 19200 bytes the monitor plays from, in ring order.
// A block written goes into the buffer at the ring index, which then moves
// on; buffers are reused in that order without waiting for them to be
// played, so when all 8 still wait the oldest is given up for the newest.
// The output device takes the waiting bytes, oldest first, as fast as it
// has room for them.
class MonitorRing {
 public:
  static constexpr int kBufferCount = 8;

  MonitorRing();

  // Copies one block into the buffer at the ring index and queues it.
  void Write(std::span<const std::byte, kBytesPerBlock> block);

  // The bytes of the oldest queued buffer not yet handed to the device;
  // empty when nothing waits.
  std::span<const std::byte> Pending() const;

  // The device has taken `count` bytes of Pending().
  void Consume(std::size_t count);

  // Buffers queued and not completely handed over.
  int QueuedCount() const { return queued_; }

  int Index() const { return index_; }

  // Drops everything queued and sets the ring index back to 0.
  void Reset();

 private:
  using Buffers = std::array<CaptureBlock, kBufferCount>;

  std::unique_ptr<Buffers> buffers_;  // allocated once
  int index_ = 0;                     // buffer the next Write fills
  int queued_ = 0;                    // buffers before index_ waiting to be played
  std::size_t consumed_ = 0;          // bytes of the oldest queued buffer handed over
};

}  // namespace tolvik
