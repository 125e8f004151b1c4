#pragma once

#include <span>

#include "base/StatusTextSink.h"
#include "demod/DecoderParameters.h"
#include "dsc/CallSink.h"
#include "dsc/DecoderOptions.h"
#include "enhanced/EnhancedHfDecoder.h"
#include "enhanced/EnhancedOptions.h"
#include "settings/AppSettings.h"

namespace tolvik {

// One decoder channel's enhanced HF decoder as the receiver runs it. Its
// options follow the settings record and the channel's decoder options live:
// the centre from DecFc, the offset bank from DecAFC, either polarity with
// automatic polarity or else only the channel's own; a change takes effect
// with the next block. Automatic polarity sets the channel's polarity (for
// channel 0, DecINV) as the standard chain does, but only when an inverted
// call is decoded: the enhanced sync accepts both polarities anyway, so the
// polarity records that of the last call that passed the check's gate, and
// a sync that comes to nothing leaves it alone.
class EnhancedHfChannel final : private CallSink {
 public:
  // All references must outlive the channel.
  EnhancedHfChannel(const AppSettings& settings, DecoderOptions& polarity, CallSink& calls,
                    StatusTextSink& status);

  EnhancedHfChannel(const EnhancedHfChannel&) = delete;
  EnhancedHfChannel& operator=(const EnhancedHfChannel&) = delete;

  // One block's working samples, as the standard HF demodulator leaves them.
  void ProcessWorkingSamples(std::span<const double, kHfWorkingSamplesPerBlock> working);

  // The input has ended or gone digitally silent, or the receiver stops
  // running this decoder: a call that passed its gate is handed on, any
  // other reception dropped without a message.
  void FinishInput() { decoder_.FinishInput(); }

  // The gate that is 0.3 dB less sensitive and safer; taken into use from
  // the next reception.
  void SetStrictGate(bool strict) { strict_gate_ = strict; }
  bool StrictGate() const { return strict_gate_; }

  bool Phased() const { return decoder_.Phased(); }
  bool LastCallRepaired() const { return decoder_.LastCallRepaired(); }
  const EnhancedHfDecoder& Decoder() const { return decoder_; }

 private:
  EnhancedOptions OptionsFromSettings() const;
  void FollowSettings();

  // CallSink: the enhanced decoder's calls, on their way to `calls_`.
  void AddReceiveEntry(const CallTexts& call) override;

  const AppSettings& settings_;  // DecFc, DecAFC
  DecoderOptions& polarity_;     // automatic polarity; the polarity (read and written)
  CallSink& calls_;
  bool strict_gate_ = false;
  EnhancedOptions applied_;  // what the decoder runs on
  EnhancedHfDecoder decoder_;
};

}  // namespace tolvik
