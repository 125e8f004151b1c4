// Arbitrary bits into the DSC decoder's PushBit, in HF or VHF mode, on one
// channel or both, with a mode switch part-way through when asked.
//
// Input: one byte of choices, then the bits, eight to a byte, most
// significant first.
//   bit 0  VHF mode (HF otherwise)
//   bit 1  start inverted
//   bit 2  automatic polarity off
//   bit 3  automatic frequency control off
//   bit 4  the bytes go to both channels in turn (channel 0 only otherwise)
//   bit 5  also feed an unknown channel, which must be ignored
//   bit 6  switch the mode (abandoning the reception) half-way through

#include <cstddef>
#include <cstdint>

#include "base/StatusTextSink.h"
#include "demod/ChannelTuning.h"
#include "dsc/CallSink.h"
#include "dsc/DecoderOptionValues.h"
#include "dsc/DscDecoder.h"
#include "support/CallCountCheck.h"
#include "support/FuzzBytes.h"

namespace {

using tolvik::fuzzing::FlagSet;

constexpr int kBitsPerByte = 8;
constexpr int kUnknownChannel = tolvik::kDecoderChannels;

struct Discard final : tolvik::StatusTextSink, tolvik::CallSink {
  void ShowStatusText(tolvik::StatusPanel, const std::string&) override {}
  void AddReceiveEntry(const tolvik::CallTexts&) override {}
};

void PushByte(tolvik::DscDecoder& decoder, int channel, std::uint8_t byte) {
  for (int bit = kBitsPerByte - 1; bit >= 0; --bit) {
    decoder.PushBit(channel, (byte >> bit) & 1);
  }
}

void CheckCounts(const tolvik::DscDecoder& decoder) {
  for (int channel = 0; channel < tolvik::kDecoderChannels; ++channel) {
    tolvik::fuzzing::RequireCountsWithinCapacity(decoder.Call(channel));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tolvik::fuzzing::FuzzBytes input(data, size);
  const std::uint8_t flags = input.Next();

  tolvik::DecoderOptionValues options;
  options.SetMode(FlagSet(flags, 0) ? tolvik::DecoderMode::Vhf : tolvik::DecoderMode::Hf);
  options.SetInverted(FlagSet(flags, 1));
  options.SetAutomaticPolarity(!FlagSet(flags, 2));
  options.SetAutomaticFrequencyControl(!FlagSet(flags, 3));
  tolvik::ChannelTunings tunings{};
  Discard sink;
  tolvik::DscDecoder decoder(options, tunings, sink, sink);

  const auto bits = input.Rest();
  const std::size_t switch_at = FlagSet(flags, 6) ? bits.size() / 2 : bits.size();
  for (std::size_t i = 0; i < bits.size(); ++i) {
    if (i == switch_at) {
      decoder.AbandonReception(0);
      options.SetMode(options.Mode() == tolvik::DecoderMode::Hf ? tolvik::DecoderMode::Vhf
                                                                : tolvik::DecoderMode::Hf);
    }
    const int channel = FlagSet(flags, 4) ? static_cast<int>(i % tolvik::kDecoderChannels) : 0;
    PushByte(decoder, channel, bits[i]);
    if (FlagSet(flags, 5)) {
      PushByte(decoder, kUnknownChannel, bits[i]);
      PushByte(decoder, -1, bits[i]);
    }
  }
  for (int channel = 0; channel < tolvik::kDecoderChannels; ++channel) {
    decoder.FinishInput(channel);
  }
  CheckCounts(decoder);
  return 0;
}
