#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "audio/BlockDecoder.h"
#include "audio/DecodedChannels.h"
#include "audio/PipelineHost.h"
#include "base/BlockFormat.h"
#include "base/CaptureBlock.h"
#include "base/SampleBlock.h"
#include "base/StatusTextSink.h"
#include "base/TimeOfDayClock.h"
#include "demod/DemodulatorTraces.h"
#include "settings/AppSettings.h"

namespace tolvik {

// The heartbeat of the receiver: every 100 ms block of captured audio runs
// once through ProcessBlock, which converts it, copies it to the monitor
// output while monitoring, demodulates the decoded channels in the current
// mode (the left one as decoder channel 0, the right one as channel 1; this
// drives the whole DSC decoder), refreshes the displays, advances the clock
// text (and with it the list ageing) and sets the receive lamp. While no
// blocks arrive all of that stands still.
class BlockPipeline {
 public:
  struct Collaborators {
    const AppSettings& settings;  // DecVHF, ShowSpec, TimeDel
    BlockDecoder& decoder;
    const DemodulatorTraces& traces;
    PipelineHost& host;
    StatusTextSink& status;
    const TimeOfDayClock& clock;
    std::function<void()> age_receive_list;  // one ageing pass
  };

  explicit BlockPipeline(Collaborators collaborators);

  void ProcessBlock(CaptureBuffer buffer);

  // The Monitor button: while down, each block's left channel is played on
  // both output channels.
  void SetMonitoring(bool monitoring) { monitoring_ = monitoring; }
  bool Monitoring() const { return monitoring_; }

  // Which input channels are demodulated from the next block (the left one
  // alone at start).
  void SetDecodedChannels(DecodedChannels channels) { decoded_ = channels; }
  DecodedChannels Decoded() const { return decoded_; }

  const SampleBlock& Samples() const { return samples_; }

 private:
  void ConvertToSampleBlock(CaptureBuffer buffer);
  void CopyToMonitor(CaptureBuffer buffer);
  void Demodulate(int channel);
  bool AnyDecodedChannelPhased() const;
  void RefreshDisplays();
  void AdvanceClock();

  Collaborators with_;
  SampleBlock samples_;  // this block as doubles; decoded channels filtered in place
  std::array<std::int16_t, kFramesPerBlock * kChannelsPerFrame>
      monitor_staging_{};    // next monitor block
  bool monitoring_ = false;  // the Monitor button is down
  DecodedChannels decoded_ = DecodedChannels::Left;
  std::string clock_text_;  // the "hh:mm:ss" shown for the previous block
};

}  // namespace tolvik
