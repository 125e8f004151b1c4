#include "audio/WrittenCallReporter.h"

#include <optional>

#include "demod/ChannelTuning.h"

namespace tolvik {

namespace {

// The enhanced decoder runs on channel 0 only.
constexpr int kEnhancedChannel = 0;

// The channel whose texts `texts` are: each channel keeps its own.
int StandardChannelOf(const DscDecoder& decoder, const CallTexts& texts) {
  for (int channel = 0; channel < kDecoderChannels; ++channel) {
    if (&decoder.Texts(channel) == &texts) {
      return channel;
    }
  }
  return 0;
}

}  // namespace

void WrittenCallReporter::CallHandedOn(CallDecoder decoder, const CallTexts& texts) {
  const std::optional<int> row = list_.LastWrittenRow();
  if (observer_ == nullptr || !row) {
    return;
  }
  const bool enhanced = decoder == CallDecoder::Enhanced;
  const int channel = enhanced ? kEnhancedChannel : StandardChannelOf(standard_, texts);
  const DscCall& symbols = enhanced ? EnhancedCallOf(texts) : standard_.Call(channel);
  const bool repaired = enhanced && EnhancedRepaired(texts);
  observer_->CallWritten({symbols, list_.Row(*row), texts.Kind, decoder, channel, repaired});
}

const DscCall& WrittenCallReporter::EnhancedCallOf(const CallTexts& texts) const {
  const EnhancedVhfDecoder& vhf = enhanced_vhf_.Decoder();
  return &texts == &vhf.Texts() ? vhf.Call() : enhanced_hf_.Decoder().Call();
}

bool WrittenCallReporter::EnhancedRepaired(const CallTexts& texts) const {
  const EnhancedVhfDecoder& vhf = enhanced_vhf_.Decoder();
  return &texts == &vhf.Texts() ? vhf.LastCallRepaired()
                                : enhanced_hf_.Decoder().LastCallRepaired();
}

}  // namespace tolvik
