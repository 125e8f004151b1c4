#include "audio/device/MonitorRing.h"

#include <gtest/gtest.h>

#include <array>

namespace tolvik {
namespace {

std::array<std::byte, kBytesPerBlock> BlockOf(int value) {
  std::array<std::byte, kBytesPerBlock> block;
  block.fill(static_cast<std::byte>(value));
  return block;
}

TEST(MonitorRingTest, BlocksLeaveOldestFirstInWhateverPiecesTheOutputTakes) {
  MonitorRing ring;
  ring.Write(BlockOf(1));
  ring.Write(BlockOf(2));
  EXPECT_EQ(ring.Index(), 2);
  ring.Consume(19000);
  ASSERT_EQ(ring.Pending().size(), 200u);
  EXPECT_EQ(ring.Pending()[0], std::byte{1});
  ring.Consume(200);
  ASSERT_EQ(ring.Pending().size(), kBytesPerBlock);
  EXPECT_EQ(ring.Pending()[0], std::byte{2});
  ring.Consume(kBytesPerBlock);
  EXPECT_TRUE(ring.Pending().empty());
}

TEST(MonitorRingTest, ANinthBlockReusesTheOldestBufferWithoutWaiting) {
  MonitorRing ring;
  for (int block = 1; block <= MonitorRing::kBufferCount + 1; ++block) {
    ring.Write(BlockOf(block));
  }
  EXPECT_EQ(ring.Index(), 1);
  EXPECT_EQ(ring.QueuedCount(), MonitorRing::kBufferCount);
  EXPECT_EQ(ring.Pending()[0], std::byte{2});
  ring.Reset();
  EXPECT_EQ(ring.Index(), 0);
  EXPECT_TRUE(ring.Pending().empty());
}

}  // namespace
}  // namespace tolvik
