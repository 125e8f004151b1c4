#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "base/BlockFormat.h"
#include "base/CaptureBlock.h"

namespace tolvik {

// The 32 capture buffers of 19200 bytes (100 ms each) that captured audio
// circulates through. The sound system hands audio over in pieces of any
// size; they are gathered into the buffer being filled, and each buffer that
// becomes full is one block for ProcessBlock. Blocks are taken in the order
// they were filled, from the ring index. While all 32 buffers wait to be
// processed (the main thread has stalled for 3.2 s) there is nowhere to put
// new audio, and it is lost, as with a sound card that runs out of queued
// buffers.
//
// Not thread-safe: pieces are appended and blocks taken on the main thread.
class CaptureRing {
 public:
  static constexpr int kBufferCount = 32;

  CaptureRing();

  // Gathers `bytes` (interleaved 16-bit stereo at 48 kHz) into the buffers;
  // returns how many buffers they completed.
  int Append(std::span<const std::byte> bytes);

  // The oldest completed buffer; the ring index moves on, and the buffer is
  // free to be filled again once the caller is done with it (the next
  // Append). Only valid while CompletedCount() > 0.
  CaptureBuffer TakeCompleted();

  // Buffers filled and not yet taken.
  int CompletedCount() const { return completed_; }

  // The ring index (0..31): the buffer TakeCompleted gives next.
  int Index() const { return index_; }

  // Bytes that arrived while every buffer was waiting to be processed.
  std::uint64_t BytesLost() const { return bytes_lost_; }

  // Empties every buffer and sets the ring index back to 0 (capture closed).
  void Reset();

 private:
  using Buffers = std::array<CaptureBlock, kBufferCount>;

  std::unique_ptr<Buffers> buffers_;  // allocated once, 614 kB
  int index_ = 0;                     // next buffer to take
  int completed_ = 0;                 // filled buffers from index_ on, not yet taken
  std::size_t fill_bytes_ = 0;        // bytes already in the buffer being filled
  std::uint64_t bytes_lost_ = 0;
};

}  // namespace tolvik
