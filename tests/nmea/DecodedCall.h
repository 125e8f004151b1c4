#pragma once

#include <optional>
#include <stdexcept>

#include "demod/ChannelTuning.h"
#include "dsc/CallSink.h"
#include "dsc/DecoderOptionValues.h"
#include "dsc/DscCall.h"
#include "dsc/DscDecoder.h"
#include "dsc/DscEncoder.h"
#include "support/RecordingSinks.h"

namespace tolvik::testing {

// Sends characters through the encoder and the DSC decoder, and keeps the
// call's symbols as they stood when its row was handed on: what an output
// sees of a received call.
class DecodedCall final : private CallSink {
 public:
  static DscCall Of(const Characters& call, const std::optional<Characters>& expansion) {
    DecodedCall decoded;
    const auto expansion_span =
        expansion ? std::optional<std::span<const std::uint8_t>>(*expansion) : std::nullopt;
    for (const std::uint8_t bit : EncodeTransmission(call, expansion_span, kLongDotPatternBits)) {
      decoded.decoder_.PushBit(0, bit);
    }
    decoded.decoder_.FinishInput(0);
    if (!decoded.call_) {
      throw std::runtime_error("the call was not decoded");
    }
    return *decoded.call_;
  }

  static DscCall Of(const DscMessage& message) {
    return Of(BuildCallCharacters(message), BuildExpansionCharacters(message));
  }

 private:
  DecodedCall() = default;
  void AddReceiveEntry(const CallTexts&) override { call_ = decoder_.Call(0); }

  DecoderOptionValues options_;
  ChannelTunings tunings_{};
  RecordingStatusSink status_;
  DscDecoder decoder_{options_, tunings_, status_, *this};
  std::optional<DscCall> call_;
};

}  // namespace tolvik::testing
