#pragma once

#include <span>

#include "base/StatusTextSink.h"
#include "demod/DecoderParameters.h"
#include "dsc/CallSink.h"
#include "dsc/DecoderOptions.h"
#include "enhanced/EnhancedOptions.h"
#include "enhanced/EnhancedVhfDecoder.h"

namespace tolvik {

// One decoder channel's enhanced VHF decoder as the receiver runs it. Its
// polarity follows the channel's decoder options live, either polarity with
// automatic polarity or else only the channel's own, and a change takes
// effect with the next block. As on HF, automatic polarity sets the
// channel's polarity (for channel 0, DecINV) only when a call is decoded,
// with the polarity of that call.
class EnhancedVhfChannel final : private CallSink {
 public:
  // All references must outlive the channel.
  EnhancedVhfChannel(DecoderOptions& polarity, CallSink& calls, StatusTextSink& status);

  EnhancedVhfChannel(const EnhancedVhfChannel&) = delete;
  EnhancedVhfChannel& operator=(const EnhancedVhfChannel&) = delete;

  // One block's working samples, as the standard VHF demodulator has
  // filtered and decimated them.
  void ProcessWorkingSamples(std::span<const double, kVhfWorkingSamplesPerBlock> working);

  // The input has ended or gone digitally silent, or the receiver stops
  // running this decoder: a call that passed its gate is handed on, any
  // other reception dropped without a message.
  void FinishInput() { decoder_.FinishInput(); }

  // The stricter gate; taken into use from the next reception.
  void SetStrictGate(bool strict) { strict_gate_ = strict; }

  bool Phased() const { return decoder_.Phased(); }
  bool LastCallRepaired() const { return decoder_.LastCallRepaired(); }
  const EnhancedVhfDecoder& Decoder() const { return decoder_; }

 private:
  EnhancedOptions OptionsFromSettings() const;
  void FollowSettings();

  // CallSink: the enhanced decoder's calls, on their way to `calls_`.
  void AddReceiveEntry(const CallTexts& call) override;

  DecoderOptions& polarity_;  // automatic polarity; the polarity (read and written)
  CallSink& calls_;
  bool strict_gate_ = false;
  EnhancedOptions applied_;  // what the decoder runs on
  EnhancedVhfDecoder decoder_;
};

}  // namespace tolvik
