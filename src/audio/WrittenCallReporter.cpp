#include "audio/WrittenCallReporter.h"

#include <optional>

namespace tolvik {

void WrittenCallReporter::CallHandedOn(const CallOrigin& origin, const CallTexts& texts) {
  const std::optional<int> row = list_.LastWrittenRow();
  if (observer_ == nullptr || !row) {
    return;
  }
  const bool enhanced = origin.Decoder == CallDecoder::Enhanced;
  const int channel = origin.Channel;
  const DscCall& symbols = enhanced ? EnhancedCallOf(channel, texts) : standard_.Call(channel);
  const bool repaired = enhanced && EnhancedRepaired(channel, texts);
  observer_->CallWritten({symbols, list_.Row(*row), texts.Kind, origin.Decoder, channel, repaired});
}

const DscCall& WrittenCallReporter::EnhancedCallOf(int channel, const CallTexts& texts) const {
  const EnhancedVhfDecoder& vhf = enhanced_vhf_[channel].Decoder();
  return &texts == &vhf.Texts() ? vhf.Call() : enhanced_hf_[channel].Decoder().Call();
}

bool WrittenCallReporter::EnhancedRepaired(int channel, const CallTexts& texts) const {
  const EnhancedVhfDecoder& vhf = enhanced_vhf_[channel].Decoder();
  return &texts == &vhf.Texts() ? vhf.LastCallRepaired()
                                : enhanced_hf_[channel].Decoder().LastCallRepaired();
}

}  // namespace tolvik
