#include "audio/EnhancedHfChannel.h"

#include "base/SettingRanges.h"

namespace tolvik {

namespace {

bool SameOptions(const EnhancedOptions& a, const EnhancedOptions& b) {
  return a.CentreHz == b.CentreHz && a.StrictGate == b.StrictGate &&
         a.FrequencyOffsetBank == b.FrequencyOffsetBank && a.AutoPolarity == b.AutoPolarity &&
         a.Inverted == b.Inverted;
}

}  // namespace

EnhancedHfChannel::EnhancedHfChannel(AppSettings& settings, CallSink& calls, StatusTextSink& status)
    : settings_(settings),
      calls_(calls),
      applied_(OptionsFromSettings()),
      decoder_(*this, status, applied_) {}

EnhancedOptions EnhancedHfChannel::OptionsFromSettings() const {
  EnhancedOptions options;
  options.CentreHz = settings_.DecFc * kDecFcUnitHz;
  options.StrictGate = strict_gate_;
  options.FrequencyOffsetBank = settings_.DecAFC;
  options.AutoPolarity = settings_.DecAPS;
  options.Inverted = settings_.DecINV;
  return options;
}

void EnhancedHfChannel::FollowSettings() {
  const EnhancedOptions wanted = OptionsFromSettings();
  if (!SameOptions(wanted, applied_)) {
    applied_ = wanted;
    decoder_.SetOptions(applied_);
  }
}

void EnhancedHfChannel::ProcessWorkingSamples(
    std::span<const double, kHfWorkingSamplesPerBlock> working) {
  FollowSettings();
  decoder_.ProcessWorkingSamples(working);
}

void EnhancedHfChannel::AddReceiveEntry(const CallTexts& call) {
  if (settings_.DecAPS) {
    settings_.DecINV = decoder_.ReceptionInverted();
  }
  calls_.AddReceiveEntry(call);
}

}  // namespace tolvik
