#include "audio/BlockPipeline.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace tolvik {
namespace {

// Records what the pipeline asked of the decoder and the host, in order.
struct Recorder final : BlockDecoder, PipelineHost, StatusTextSink, TimeOfDayClock {
  std::vector<std::string> calls;
  std::vector<double> demodulated_left;  // the samples the demodulator was handed
  std::vector<std::vector<std::int16_t>> monitor_blocks;
  std::vector<std::string> clock_texts;
  std::vector<bool> lamp;
  bool phased = false;
  bool eye_showing = false;
  TimeOfDay now{12, 0, 0, 0};
  int ageing_passes = 0;
  std::vector<int> finished;  // channels told that the input went silent

  void DemodulateHf(int channel, std::span<double, kFramesPerBlock> samples) override {
    calls.push_back("hf" + std::to_string(channel));
    demodulated_left.assign(samples.begin(), samples.end());
  }
  void DemodulateVhf(int channel, std::span<double, kFramesPerBlock> samples) override {
    calls.push_back("vhf" + std::to_string(channel));
    demodulated_left.assign(samples.begin(), samples.end());
  }
  bool Phased(int) const override { return phased; }
  void FinishInput(int channel) override { finished.push_back(channel); }
  void WriteMonitorBlock(MonitorFrames frames) override {
    calls.push_back("monitor");
    monitor_blocks.emplace_back(frames.begin(), frames.end());
  }
  bool IsEyePatternShowing() const override { return eye_showing; }
  void RedrawEyePattern(const DemodulatorTraces&) override { calls.push_back("eye"); }
  void UpdateSpectrumStrip(const DemodulatorTraces&) override { calls.push_back("spectrum"); }
  void SetReceiveLamp(bool lit) override {
    calls.push_back("lamp");
    lamp.push_back(lit);
  }
  void ShowStatusText(StatusPanel panel, const std::string& text) override {
    if (panel == StatusPanel::Clock)
      clock_texts.push_back(text);
  }
  TimeOfDay Now() const override { return now; }
};

// A capture buffer whose frame j holds left(j) and right(j), little-endian.
template <typename Left, typename Right>
std::array<std::byte, kBytesPerBlock> MakeBuffer(Left left, Right right) {
  std::array<std::byte, kBytesPerBlock> buffer{};
  auto put = [&](std::size_t index, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    buffer[2 * index] = static_cast<std::byte>(bits & 0xFF);
    buffer[2 * index + 1] = static_cast<std::byte>(bits >> 8);
  };
  for (int j = 0; j < kFramesPerBlock; ++j) {
    put(2 * j, left(j));
    put(2 * j + 1, right(j));
  }
  return buffer;
}

class BlockPipelineTest : public ::testing::Test {
 protected:
  AppSettings settings;
  DemodulatorTraces traces;
  Recorder recorder;
  BlockPipeline pipeline{{settings, recorder, traces, recorder, recorder, recorder,
                          [this] { ++recorder.ageing_passes; }}};

  void Process(const std::array<std::byte, kBytesPerBlock>& buffer) {
    pipeline.ProcessBlock(CaptureBuffer(buffer));
  }
  void ProcessSilence() { Process(std::array<std::byte, kBytesPerBlock>{}); }
};

TEST_F(BlockPipelineTest, ConvertsLittleEndianSamplesOfBothChannelsUnscaled) {
  const std::array<std::int16_t, 4> left_values{0, 1, -1, -32768};
  const auto buffer = MakeBuffer([&](int j) { return left_values[j % 4]; },
                                 [](int j) { return static_cast<std::int16_t>(32767 - j); });
  Process(buffer);
  // The demodulator filters channel 0 in place, so check what it was handed.
  ASSERT_EQ(recorder.demodulated_left.size(), static_cast<std::size_t>(kFramesPerBlock));
  for (int j = 0; j < kFramesPerBlock; ++j) {
    EXPECT_EQ(recorder.demodulated_left[j], left_values[j % 4]) << j;
    EXPECT_EQ(pipeline.Samples().Channels[1][j], 32767 - j) << j;
  }
}

TEST_F(BlockPipelineTest, SilentLeftChannelDecodesAsZerosWhateverTheRightHolds) {
  Process(MakeBuffer([](int) -> std::int16_t { return 0; },
                     [](int j) { return static_cast<std::int16_t>(j * 7); }));
  EXPECT_EQ(recorder.demodulated_left, std::vector<double>(kFramesPerBlock, 0.0));
}

TEST_F(BlockPipelineTest, DispatchesChannelZeroByDecoderModeFromTheNextBlock) {
  ProcessSilence();
  settings.DecVHF = true;
  ProcessSilence();
  settings.DecVHF = false;
  ProcessSilence();
  std::vector<std::string> demodulations;
  for (const auto& call : recorder.calls) {
    if (call.starts_with("hf") || call.starts_with("vhf"))
      demodulations.push_back(call);
  }
  EXPECT_EQ(demodulations, (std::vector<std::string>{"hf0", "vhf0", "hf0"}));
}

TEST_F(BlockPipelineTest, MonitorGetsTheLeftChannelOnBothSidesOnlyWhileTheButtonIsDown) {
  const auto buffer = MakeBuffer([](int j) { return static_cast<std::int16_t>(j - 2400); },
                                 [](int) -> std::int16_t { return 99; });
  Process(buffer);
  EXPECT_TRUE(recorder.monitor_blocks.empty());

  pipeline.SetMonitoring(true);
  Process(buffer);
  Process(buffer);
  ASSERT_EQ(recorder.monitor_blocks.size(), 2u);
  const auto& block = recorder.monitor_blocks.back();
  ASSERT_EQ(block.size() * sizeof(std::int16_t), kBytesPerBlock);
  for (int j = 0; j < kFramesPerBlock; ++j) {
    EXPECT_EQ(block[2 * j], j - 2400);
    EXPECT_EQ(block[2 * j + 1], j - 2400);
  }

  pipeline.SetMonitoring(false);
  Process(buffer);
  EXPECT_EQ(recorder.monitor_blocks.size(), 2u);
}

TEST_F(BlockPipelineTest, ClockTextChangesAtMostOncePerSecondAndDrivesAgeing) {
  settings.TimeDel = true;
  ProcessSilence();  // 12:00:00 shown for the first time
  recorder.now.Millisecond = 900;
  ProcessSilence();  // still 12:00:00: neither panel nor ageing touched
  recorder.now = {12, 0, 1, 0};
  ProcessSilence();
  EXPECT_EQ(recorder.clock_texts, (std::vector<std::string>{"12:00:00", "12:00:01"}));
  EXPECT_EQ(recorder.ageing_passes, 2);

  settings.TimeDel = false;  // the clock goes on, ageing does not
  recorder.now = {7, 5, 9, 0};
  ProcessSilence();
  EXPECT_EQ(recorder.clock_texts.back(), "07:05:09");
  EXPECT_EQ(recorder.ageing_passes, 2);
}

TEST_F(BlockPipelineTest, LampFollowsPhasingOnEveryBlockAfterTheDisplays) {
  recorder.eye_showing = true;
  ProcessSilence();
  recorder.phased = true;
  ProcessSilence();
  ProcessSilence();
  recorder.phased = false;
  ProcessSilence();
  EXPECT_EQ(recorder.lamp, (std::vector<bool>{false, true, true, false}));
  const std::vector<std::string> one_block(recorder.calls.begin(), recorder.calls.begin() + 4);
  EXPECT_EQ(one_block, (std::vector<std::string>{"hf0", "eye", "spectrum", "lamp"}));
}

TEST_F(BlockPipelineTest, DigitalSilenceHandsOnACallWaitingForItsLookAhead) {
  // One non-zero sample anywhere in the left channel is signal; the right
  // channel does not count.
  Process(MakeBuffer([](int j) -> std::int16_t { return j == 4799 ? 1 : 0; },
                     [](int) -> std::int16_t { return 0; }));
  EXPECT_TRUE(recorder.finished.empty());
  Process(
      MakeBuffer([](int) -> std::int16_t { return 0; }, [](int) -> std::int16_t { return 500; }));
  EXPECT_EQ(recorder.finished, std::vector<int>{0});
}

TEST_F(BlockPipelineTest, DisplaysAreRefreshedOnlyWhenShown) {
  settings.ShowSpec = false;
  ProcessSilence();
  EXPECT_EQ(recorder.calls, (std::vector<std::string>{"hf0", "lamp"}));
}

}  // namespace
}  // namespace tolvik
