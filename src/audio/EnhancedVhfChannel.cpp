#include "audio/EnhancedVhfChannel.h"

namespace tolvik {

EnhancedVhfChannel::EnhancedVhfChannel(DecoderOptions& polarity, CallSink& calls,
                                       StatusTextSink& status)
    : polarity_(polarity),
      calls_(calls),
      applied_(OptionsFromSettings()),
      decoder_(*this, status, applied_) {}

EnhancedOptions EnhancedVhfChannel::OptionsFromSettings() const {
  EnhancedOptions options;
  options.StrictGate = strict_gate_;
  options.AutoPolarity = polarity_.AutomaticPolarity();
  options.Inverted = polarity_.Inverted();
  return options;
}

void EnhancedVhfChannel::FollowSettings() {
  const EnhancedOptions wanted = OptionsFromSettings();
  if (wanted.StrictGate != applied_.StrictGate || wanted.AutoPolarity != applied_.AutoPolarity ||
      wanted.Inverted != applied_.Inverted) {
    applied_ = wanted;
    decoder_.SetOptions(applied_);
  }
}

void EnhancedVhfChannel::ProcessWorkingSamples(
    std::span<const double, kVhfWorkingSamplesPerBlock> working) {
  FollowSettings();
  decoder_.ProcessWorkingSamples(working);
}

void EnhancedVhfChannel::AddReceiveEntry(const CallTexts& call) {
  if (polarity_.AutomaticPolarity()) {
    polarity_.SetInverted(decoder_.ReceptionInverted());
  }
  calls_.AddReceiveEntry(call);
}

}  // namespace tolvik
