#include "audio/device/CaptureDevice.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tolvik {
namespace {

class RecordedErrors : public DeviceErrorSink {
 public:
  void ReportDeviceError(const std::string& text) override { texts.push_back(text); }
  void ReportDeviceStatus(const std::string& text) override { texts.push_back(text); }
  std::vector<std::string> texts;
};

// A stream whose every 16-bit value is its own frame number, so each block
// says which block of the stream it is.
std::vector<std::byte> FrameNumberedStream(std::size_t first_frame, std::size_t frames) {
  std::vector<std::byte> bytes(frames * 4);
  for (std::size_t frame = 0; frame < frames; ++frame) {
    const auto value = static_cast<std::uint16_t>(first_frame + frame);
    for (int side = 0; side < 2; ++side) {
      bytes[frame * 4 + side * 2] = static_cast<std::byte>(value & 0xFF);
      bytes[frame * 4 + side * 2 + 1] = static_cast<std::byte>(value >> 8);
    }
  }
  return bytes;
}

int FirstFrameNumber(CaptureBuffer buffer) {
  return std::to_integer<int>(buffer[0]) | (std::to_integer<int>(buffer[1]) << 8);
}

class CaptureDeviceTest : public testing::Test {
 protected:
  CaptureDeviceTest()
      : device_(errors_, [this](CaptureBuffer buffer) {
          first_frames_.push_back(FirstFrameNumber(buffer));
          waiting_when_called_.push_back(device_.BlocksWaiting());
        }) {}

  void RunQueuedCalls() { QCoreApplication::processEvents(); }

  RecordedErrors errors_;
  std::vector<int> first_frames_;
  std::vector<int> waiting_when_called_;
  CaptureDevice device_;
};

TEST_F(CaptureDeviceTest, EachWholeBufferIsOneQueuedBlockInOrder) {
  const std::vector<std::size_t> piece_bytes = {9600, 56, 9544, 19200, 4, 40000, 17996, 18800};
  const auto stream = FrameNumberedStream(0, 6 * kFramesPerBlock);
  std::size_t offset = 0;
  for (const std::size_t size : piece_bytes) {
    device_.FeedCaptured(std::span<const std::byte>(stream).subspan(offset, size));
    offset += size;
    // Nothing runs inside the sound system's notification.
    EXPECT_TRUE(first_frames_.empty());
  }
  ASSERT_EQ(offset, stream.size());
  RunQueuedCalls();
  EXPECT_EQ(first_frames_, (std::vector<int>{0, 4800, 9600, 14400, 19200, 24000}));
  // One block per call: each call found the others still waiting behind it.
  EXPECT_EQ(waiting_when_called_, (std::vector<int>{5, 4, 3, 2, 1, 0}));
}

TEST_F(CaptureDeviceTest, AHalfBufferWaitsForItsSecondHalf) {
  const auto stream = FrameNumberedStream(0, kFramesPerBlock);
  device_.FeedCaptured(std::span<const std::byte>(stream).first(kBytesPerBlock / 2));
  RunQueuedCalls();
  EXPECT_TRUE(first_frames_.empty());
  device_.FeedCaptured(std::span<const std::byte>(stream).subspan(kBytesPerBlock / 2));
  RunQueuedCalls();
  EXPECT_EQ(first_frames_, std::vector<int>{0});
}

TEST_F(CaptureDeviceTest, NoServerOrNoDeviceReportsOnlyForTheDefaultDevice) {
  if (!device_.DeviceNames().empty()) {
    GTEST_SKIP() << "a sound server with capture devices is running here";
  }
  EXPECT_FALSE(device_.OpenCapture(3));
  EXPECT_TRUE(errors_.texts.empty());
  EXPECT_FALSE(device_.OpenCapture(0));
  EXPECT_EQ(errors_.texts, std::vector<std::string>{"Can not open the recoding device"});
  EXPECT_TRUE(device_.CloseCapture());
}

}  // namespace
}  // namespace tolvik
