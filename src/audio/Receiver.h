#pragma once

#include "audio/BlockDecoder.h"
#include "audio/BlockPipeline.h"
#include "audio/CallOrigin.h"
#include "audio/DecodedChannels.h"
#include "audio/EnhancedHfChannel.h"
#include "audio/EnhancedVhfChannel.h"
#include "audio/PipelineHost.h"
#include "audio/SettingsDecoderOptions.h"
#include "audio/SettingsListOptions.h"
#include "audio/WrittenCallReporter.h"
#include "base/StatusTextSink.h"
#include "base/TimeOfDayClock.h"
#include "demod/BitSink.h"
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
  // Told how every reception of the standard chain starts and ends (the
  // benchmarks count the rejections); none by default. The enhanced
  // decoder's receptions are not reported.
  ReceptionObserver* receptions = nullptr;
  // Decoder channel 1's decoder status texts (StatusPanel::Decoder), to
  // tell them from channel 0's; `status` when none.
  StatusTextSink* right_status = nullptr;
};

// The whole decoder as one object: the settings it runs on, the two
// demodulators, the DSC decoder, the enhanced HF and VHF decoders, the receive list
// with its ageing and the block pipeline that drives them. The desktop
// program, the command-line decoder and the tests each hold one and feed it
// captured blocks.
//
// It decodes the left input channel as decoder channel 0 and, when asked,
// the right one as decoder channel 1 (SetDecodedChannels): two receivers on
// one stereo sound card. Each channel has its own filter states, HF tuning,
// DSC decoder state and enhanced decoders, and its own polarity: channel 0's
// is DecINV, channel 1's is kept apart and never saved. The other settings
// apply to both. The display traces are channel 0's; the receive lamp is
// lit while either decoded channel holds phasing; the rows of both go to the
// one list.
//
// With DecENH on the enhanced decoder of the mode makes the rows. It reads
// the working samples the standard demodulator of the mode has just
// filtered and decimated, so the anti-alias filter runs once. The standard
// demodulator keeps running and still draws the displays, but its bits no
// longer reach the standard DSC decoder. That decoder then neither shows
// status texts, nor moves the mixer's centre, nor flips DecINV, nor makes
// rows: the status texts and the lamp are the enhanced decoder's alone. The
// choice is read at every block; a switch hands on a call the decoder being
// left has already checked and drops the rest of its reception without a
// message; so does a switch between HF and VHF with DecENH on.
class Receiver final : private BlockDecoder, private BitSink {
 public:
  // Sets the decoder up for the settings' mode and centre frequency.
  Receiver(AppSettings& settings, ReceiverHosts hosts);

  void ProcessBlock(CaptureBuffer buffer) { pipeline_.ProcessBlock(buffer); }

  // Switches between HF and VHF after DecVHF has changed: abandons a
  // reception in progress (which puts the HF centre back to DecFc, as every
  // end of a reception does), shows the mode text and sets the eye
  // pattern's constants. Filter states of either mode are left as they are.
  // A reception of the enhanced decoder ends too; a call it has already
  // passed through its gate is handed on rather than lost.
  void SetUpDecoderMode();

  // Takes a changed DecFc into use as the HF centre.
  void ApplyCentreFrequency();

  // The input has ended: a call that only waits for its look-ahead is
  // handed on now instead of being lost.
  void FinishInput();

  // The enhanced decoder's stricter gate (0.3 dB less sensitive, safer);
  // taken into use from its next reception. Off at start.
  void SetStrictGate(bool strict);

  // Which input channels are decoded from the next block; the left one
  // alone at start. A channel no longer decoded is left as it is.
  void SetDecodedChannels(DecodedChannels channels) { pipeline_.SetDecodedChannels(channels); }

  // Whether an enhanced decoder is making the rows now: DecENH on, as last
  // followed at a block.
  bool EnhancedDecoding() const { return enhanced_running_; }

  // Which decoder made the call last handed to the list (Standard before
  // the first), and whether the check character mended one of its
  // characters (only the enhanced decoder mends).
  CallDecoder LastCallDecoder() const { return last_origin_.Decoder; }
  bool LastCallRepaired() const;

  // Told of every row written, with its call's symbols; none by default.
  void SetCallObserver(CallObserver* observer) { written_calls_.SetObserver(observer); }

  ReceiveList& List() { return list_; }
  const ReceiveList& List() const { return list_; }
  BlockPipeline& Pipeline() { return pipeline_; }
  const DemodulatorTraces& Traces() const { return traces_; }
  const ChannelTuning& Tuning(int channel) const { return tunings_[channel]; }
  const ModeDisplayConstants& DisplayConstants() const { return display_constants_; }
  // Whether channel 0 holds phasing.
  bool Phased() const { return Phased(kLeftChannel); }
  // Channel 1's polarity, which automatic polarity reverses apart from
  // DecINV.
  bool RightChannelInverted() const { return right_inverted_; }

 private:
  static constexpr int kLeftChannel = 0;

  // Takes a changed choice of decoder (DecENH, DecVHF) into use.
  void FollowDecoderChoice();
  // The channel's enhanced decoder that runs hands on a checked call and
  // drops the rest of its reception.
  void FinishEnhanced(int channel);

  // BlockDecoder
  void DemodulateHf(int channel, std::span<double, kFramesPerBlock> samples) override;
  void DemodulateVhf(int channel, std::span<double, kFramesPerBlock> samples) override;
  bool Phased(int channel) const override;
  void FinishInput(int channel) override;

  // BitSink: the standard HF and VHF demodulators' bits.
  void PushBit(int channel, int bit) override;

  AppSettings& settings_;                   // owned by the host; read live
  bool right_inverted_;                     // channel 1's own polarity, DecINV at start
  SettingsDecoderOptions decoder_options_;  // channel 0's decoder options over settings_
  SettingsDecoderOptions right_options_;    // channel 1's, over right_inverted_
  SettingsListOptions list_options_;        // the list's and the ageing's over settings_
  StatusTextSink& status_;                  // mode text
  ChannelTunings tunings_;                  // HF centres and frequency error per channel
  DemodulatorTraces traces_;                // the last block's display traces
  ModeDisplayConstants display_constants_;  // of the current mode, for the eye pattern
  ReceiveList list_;
  ListAgeing ageing_;
  CallOrigin last_origin_;             // of the call last handed to the list
  WrittenCallReporter written_calls_;  // rows with their symbols to the call observer
  std::array<CallOriginRelay, kDecoderChannels> standard_calls_;  // DSC decoder to the list
  std::array<CallOriginRelay, kDecoderChannels> enhanced_calls_;  // enhanced decoders' calls
  DscDecoder dsc_;
  WrittenCallReporter::EnhancedHfChannels enhanced_;       // each channel's enhanced HF decoder
  WrittenCallReporter::EnhancedVhfChannels enhanced_vhf_;  // and its enhanced VHF decoder
  bool enhanced_running_;      // the enhanced decoders make the rows now
  bool enhanced_vhf_running_;  // and they are the VHF ones
  HfDemodulator hf_;
  VhfDemodulator vhf_;
  BlockPipeline pipeline_;
};

}  // namespace tolvik
