#include "audio/BlockPipeline.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace tolvik {

namespace {

constexpr int kLeftChannel = 0;

// The signed 16-bit sample at sample index `index` of an interleaved buffer.
std::int16_t SampleAt(CaptureBuffer buffer, std::size_t index) {
  const auto low = std::to_integer<std::uint16_t>(buffer[2 * index]);
  const auto high = std::to_integer<std::uint16_t>(buffer[2 * index + 1]);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

std::string FormatClockText(const TimeOfDay& time) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.Hour, time.Minute, time.Second);
  return text;
}

}  // namespace

BlockPipeline::BlockPipeline(Collaborators collaborators) : with_(std::move(collaborators)) {}

void BlockPipeline::ProcessBlock(CaptureBuffer buffer) {
  ConvertToSampleBlock(buffer);
  if (monitoring_) {
    CopyToMonitor(buffer);
  }
  // Every bit decided here goes straight on to the synchroniser, so a call
  // completed by this block is in the list before the displays are drawn.
  // Channel 0 goes first, so its calls of a block come before channel 1's.
  for (int channel = 0; channel < kChannelsPerFrame; ++channel) {
    if (DecodesChannel(decoded_, channel)) {
      Demodulate(channel);
    }
  }
  RefreshDisplays();
  AdvanceClock();
  with_.host.SetReceiveLamp(AnyDecodedChannelPhased());
}

void BlockPipeline::ConvertToSampleBlock(CaptureBuffer buffer) {
  for (int channel = 0; channel < kChannelsPerFrame; ++channel) {
    auto& target = samples_.Channels[channel];
    for (int frame = 0; frame < kFramesPerBlock; ++frame) {
      target[frame] =
          SampleAt(buffer, static_cast<std::size_t>(frame) * kChannelsPerFrame + channel);
    }
  }
}

bool BlockPipeline::AnyDecodedChannelPhased() const {
  for (int channel = 0; channel < kChannelsPerFrame; ++channel) {
    if (DecodesChannel(decoded_, channel) && with_.decoder.Phased(channel)) {
      return true;
    }
  }
  return false;
}

void BlockPipeline::CopyToMonitor(CaptureBuffer buffer) {
  // The right input channel is not monitored: the left sample goes out on
  // both output channels.
  for (int frame = 0; frame < kFramesPerBlock; ++frame) {
    const std::int16_t left =
        SampleAt(buffer, static_cast<std::size_t>(frame) * kChannelsPerFrame + kLeftChannel);
    monitor_staging_[2 * frame] = left;
    monitor_staging_[2 * frame + 1] = left;
  }
  with_.host.WriteMonitorBlock(monitor_staging_);
}

void BlockPipeline::Demodulate(int channel) {
  auto& samples = samples_.Channels[channel];
  // Looked at before the demodulator filters the samples in place.
  const bool silent =
      std::all_of(samples.begin(), samples.end(), [](double x) { return x == 0.0; });
  if (with_.settings.DecVHF) {
    with_.decoder.DemodulateVhf(channel, samples);
  } else {
    with_.decoder.DemodulateHf(channel, samples);
  }
  // A squelched receiver or a muted program delivers exact zeros, in which
  // the bit clock stands still: without this a finished call would wait for
  // the next signal before it is shown.
  if (silent) {
    with_.decoder.FinishInput(channel);
  }
}

void BlockPipeline::RefreshDisplays() {
  if (with_.host.IsEyePatternShowing()) {
    with_.host.RedrawEyePattern(with_.traces);
  }
  if (with_.settings.ShowSpec) {
    with_.host.UpdateSpectrumStrip(with_.traces);
  }
}

void BlockPipeline::AdvanceClock() {
  // The text changes at most once a second, and ageing runs only then.
  std::string text = FormatClockText(with_.clock.Now());
  if (text == clock_text_) {
    return;
  }
  clock_text_ = std::move(text);
  with_.status.ShowStatusText(StatusPanel::Clock, clock_text_);
  if (with_.settings.TimeDel && with_.age_receive_list) {
    with_.age_receive_list();
  }
}

}  // namespace tolvik
