#include "audio/EnhancedVhfChannel.h"

namespace tolvik {

EnhancedVhfChannel::EnhancedVhfChannel(AppSettings& settings, CallSink& calls,
                                       StatusTextSink& status)
    : settings_(settings),
      calls_(calls),
      applied_(OptionsFromSettings()),
      decoder_(*this, status, applied_) {}

EnhancedOptions EnhancedVhfChannel::OptionsFromSettings() const {
  EnhancedOptions options;
  options.StrictGate = strict_gate_;
  options.AutoPolarity = settings_.DecAPS;
  options.Inverted = settings_.DecINV;
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
  if (settings_.DecAPS) {
    settings_.DecINV = decoder_.ReceptionInverted();
  }
  calls_.AddReceiveEntry(call);
}

}  // namespace tolvik
