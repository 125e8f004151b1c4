#pragma once

#include "audio/BlockDecoder.h"
#include "audio/BlockPipeline.h"
#include "audio/PipelineHost.h"
#include "audio/SettingsDecoderOptions.h"
#include "audio/SettingsListOptions.h"
#include "base/StatusTextSink.h"
#include "base/TimeOfDayClock.h"
#include "demod/ChannelTuning.h"
#include "demod/DecoderMode.h"
#include "demod/DemodulatorTraces.h"
#include "demod/HfDemodulator.h"
#include "demod/VhfDemodulator.h"
#include "dsc/DscDecoder.h"
#include "dsc/ReceptionObserver.h"
#include "list/AlertHost.h"
#include "list/ListAgeing.h"
#include "list/ReceiveList.h"
#include "settings/AppSettings.h"

namespace tolvik {

// Where the receiver reports to and what it asks of its host.
struct ReceiverHosts {
  StatusTextSink& status;       // the three status panels
  PipelineHost& pipeline;       // monitor output, displays, receive lamp
  AlertHost& alerts;            // details dialog and alert sound
  const TimeOfDayClock& clock;  // row times, clock text, ageing
  // Told how every reception starts and ends (the benchmarks count the
  // rejections); none by default.
  ReceptionObserver* receptions = nullptr;
};

// The whole decoder as one object: the settings it runs on, the two
// demodulators, the DSC decoder, the receive list with its ageing and the
// block pipeline that drives them. The desktop program, the command-line
// decoder and the tests each hold one and feed it captured blocks.
class Receiver final : private BlockDecoder {
 public:
  // Sets the decoder up for the settings' mode and centre frequency.
  Receiver(AppSettings& settings, ReceiverHosts hosts);

  void ProcessBlock(CaptureBuffer buffer) { pipeline_.ProcessBlock(buffer); }

  // Switches between HF and VHF after DecVHF has changed: abandons a
  // reception in progress (which puts the HF centre back to DecFc, as every
  // end of a reception does), shows the mode text and sets the eye
  // pattern's constants. Filter states of either mode are left as they are.
  void SetUpDecoderMode();

  // Takes a changed DecFc into use as the HF centre.
  void ApplyCentreFrequency();

  // The input has ended: a call that only waits for its look-ahead is
  // handed on now instead of being lost.
  void FinishInput();

  ReceiveList& List() { return list_; }
  const ReceiveList& List() const { return list_; }
  BlockPipeline& Pipeline() { return pipeline_; }
  const DemodulatorTraces& Traces() const { return traces_; }
  const ChannelTuning& Tuning(int channel) const { return tunings_[channel]; }
  const ModeDisplayConstants& DisplayConstants() const { return display_constants_; }
  bool Phased() const { return dsc_.Phased(kDecodedChannel); }

 private:
  static constexpr int kDecodedChannel = 0;

  void DemodulateHf(int channel, std::span<double, kFramesPerBlock> samples) override;
  void DemodulateVhf(int channel, std::span<double, kFramesPerBlock> samples) override;
  bool Phased(int channel) const override { return dsc_.Phased(channel); }
  void FinishInput(int channel) override { dsc_.FinishInput(channel); }

  AppSettings& settings_;                   // owned by the host; read live
  SettingsDecoderOptions decoder_options_;  // channel 0's decoder options over settings_
  SettingsListOptions list_options_;        // the list's and the ageing's over settings_
  StatusTextSink& status_;                  // mode text
  ChannelTunings tunings_;                  // HF centres and frequency error per channel
  DemodulatorTraces traces_;                // the last block's display traces
  ModeDisplayConstants display_constants_;  // of the current mode, for the eye pattern
  ReceiveList list_;
  ListAgeing ageing_;
  DscDecoder dsc_;
  HfDemodulator hf_;
  VhfDemodulator vhf_;
  BlockPipeline pipeline_;
};

}  // namespace tolvik
