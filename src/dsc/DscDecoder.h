#pragma once

#include <array>
#include <memory>

#include "base/StatusTextSink.h"
#include "demod/BitSink.h"
#include "demod/ChannelTuning.h"
#include "dsc/CallSink.h"
#include "dsc/CallTexts.h"
#include "dsc/DecoderOptionValues.h"
#include "dsc/DecoderOptions.h"
#include "dsc/DscCall.h"
#include "dsc/ReceptionObserver.h"

namespace tolvik {

// The DSC decoder of both decoder channels: per channel a symbol
// synchroniser feeding a call assembler, which keeps the channel's call and
// its row texts. Each channel runs on options of its own and may hand its
// calls to a sink of its own.
class DscDecoder : public BitSink {
 public:
  // channel0_options: channel 0's polarity (read and toggled by automatic
  // polarity), automatic polarity, frequency control and mode. tunings: the
  // HF centres of both channels. Status texts go to StatusPanel::Decoder;
  // the starts and ends of the receptions of both channels also go to
  // `receptions` when one is given. All must outlive the decoder.
  // Channel 1 runs on a private set of default options; both channels'
  // calls go to `calls`.
  DscDecoder(DecoderOptions& channel0_options, ChannelTunings& tunings, StatusTextSink& status,
             CallSink& calls, ReceptionObserver* receptions = nullptr);
  // Each channel on its own options, its status texts and calls to sinks
  // of its own.
  using PerChannelOptions = std::array<DecoderOptions*, kDecoderChannels>;
  using PerChannelStatus = std::array<StatusTextSink*, kDecoderChannels>;
  using PerChannelCalls = std::array<CallSink*, kDecoderChannels>;
  DscDecoder(const PerChannelOptions& options, ChannelTunings& tunings,
             const PerChannelStatus& status, const PerChannelCalls& calls,
             ReceptionObserver* receptions = nullptr);
  ~DscDecoder() override;

  DscDecoder(const DscDecoder&) = delete;
  DscDecoder& operator=(const DscDecoder&) = delete;

  // One demodulated bit of a channel; an unknown channel is ignored.
  void PushBit(int channel, int bit) override;

  // Whether the channel holds phasing (the receive lamp); false for an
  // unknown channel.
  bool Phased(int channel) const;

  // What the mode switch needs: drop any reception in progress without a
  // message and go back to the phasing search. The reception ends as every
  // other does, so the HF centre goes back to the user's centre.
  void AbandonReception(int channel);

  // At the end of an input (a file, digital silence): a call that passed
  // its check and waits only for the look-ahead or for the rest of an
  // expansion sequence is handed on now instead of being lost. Otherwise
  // nothing happens.
  void FinishInput(int channel);

  // The channel's current or last call. Throws std::out_of_range for an
  // unknown channel.
  const DscCall& Call(int channel) const;
  const CallTexts& Texts(int channel) const;

  // Set by position decoding when the last position shown used an
  // enhanced-resolution expansion sequence.
  bool EnhancedPosition() const { return enhanced_position_; }

 private:
  struct Channel;

  Channel* Find(int channel);
  const Channel& At(int channel) const;

  DecoderOptionValues channel1_options_;  // channel 1's default options, never saved
  bool enhanced_position_ = false;        // decoder-wide, written by the interpreter
  std::array<std::unique_ptr<Channel>, kDecoderChannels> channels_;  // built at construction
};

}  // namespace tolvik
