#pragma once

#include <span>

#include "base/StatusTextSink.h"
#include "demod/DecoderParameters.h"
#include "dsc/CallSink.h"
#include "enhanced/EnhancedOptions.h"
#include "enhanced/EnhancedVhfDecoder.h"
#include "settings/AppSettings.h"

namespace tolvik {

// Channel 0's enhanced VHF decoder as the receiver runs it. Its polarity
// follows the settings record live, either polarity with DecAPS or else only
// DecINV's, and a change takes effect with the next block. As on HF,
// automatic polarity writes DecINV back only when a call is decoded, with
// the polarity of that call.
class EnhancedVhfChannel final : private CallSink {
 public:
  // All references must outlive the channel.
  EnhancedVhfChannel(AppSettings& settings, CallSink& calls, StatusTextSink& status);

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

  AppSettings& settings_;  // DecAPS, DecINV (read and written)
  CallSink& calls_;
  bool strict_gate_ = false;
  EnhancedOptions applied_;  // what the decoder runs on
  EnhancedVhfDecoder decoder_;
};

}  // namespace tolvik
