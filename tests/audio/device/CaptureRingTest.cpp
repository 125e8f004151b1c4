#include "audio/device/CaptureRing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tolvik {
namespace {

// Bytes numbered from `first` on, so every byte says where in the stream it
// came from.
std::vector<std::byte> NumberedBytes(std::size_t first, std::size_t count) {
  std::vector<std::byte> bytes(count);
  for (std::size_t i = 0; i < count; ++i) {
    bytes[i] = static_cast<std::byte>((first + i) % 251);
  }
  return bytes;
}

bool HoldsStreamBytes(CaptureBuffer buffer, std::size_t first) {
  for (std::size_t i = 0; i < buffer.size(); ++i) {
    if (buffer[i] != static_cast<std::byte>((first + i) % 251)) {
      return false;
    }
  }
  return true;
}

TEST(CaptureRingTest, PiecesOfAnySizeMakeWholeBuffersInOrder) {
  CaptureRing ring;
  // Sizes as Qt's pull and push modes deliver them, and odd ones.
  const std::vector<std::size_t> sizes = {56, 9600, 1, 19200, 9543, 3, 38400, 7, 19199, 2};
  std::size_t streamed = 0;
  std::size_t taken = 0;
  for (const std::size_t size : sizes) {
    const int completed = ring.Append(NumberedBytes(streamed, size));
    streamed += size;
    EXPECT_EQ(ring.CompletedCount(), static_cast<int>(streamed / kBytesPerBlock - taken));
    for (int block = 0; block < completed; ++block) {
      EXPECT_TRUE(HoldsStreamBytes(ring.TakeCompleted(), taken * kBytesPerBlock));
      ++taken;
    }
  }
  EXPECT_EQ(taken, streamed / kBytesPerBlock);
  EXPECT_EQ(ring.Index(), static_cast<int>(taken % CaptureRing::kBufferCount));
}

TEST(CaptureRingTest, IndexWrapsAfterThirtyTwoBuffersAndResetsToZero) {
  CaptureRing ring;
  const auto block = NumberedBytes(0, kBytesPerBlock);
  for (int i = 0; i < CaptureRing::kBufferCount + 3; ++i) {
    ring.Append(block);
    ring.TakeCompleted();
  }
  EXPECT_EQ(ring.Index(), 3);
  ring.Append(NumberedBytes(0, 100));  // a part-filled buffer is given up too
  ring.Reset();
  EXPECT_EQ(ring.Index(), 0);
  EXPECT_EQ(ring.CompletedCount(), 0);
  ring.Append(NumberedBytes(0, kBytesPerBlock));
  EXPECT_TRUE(HoldsStreamBytes(ring.TakeCompleted(), 0));
}

TEST(CaptureRingTest, AudioArrivingWhileEveryBufferWaitsIsLostNotOverwritten) {
  CaptureRing ring;
  for (int i = 0; i < CaptureRing::kBufferCount; ++i) {
    ring.Append(NumberedBytes(static_cast<std::size_t>(i) * kBytesPerBlock, kBytesPerBlock));
  }
  EXPECT_EQ(ring.Append(NumberedBytes(0, 500)), 0);
  EXPECT_EQ(ring.BytesLost(), 500u);
  EXPECT_TRUE(HoldsStreamBytes(ring.TakeCompleted(), 0));  // the oldest is intact
}

}  // namespace
}  // namespace tolvik
