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

EnhancedHfChannel::EnhancedHfChannel(const AppSettings& settings, DecoderOptions& polarity,
                                     CallSink& calls, StatusTextSink& status)
    : settings_(settings),
      polarity_(polarity),
      calls_(calls),
      applied_(OptionsFromSettings()),
      decoder_(*this, status, applied_) {}

EnhancedOptions EnhancedHfChannel::OptionsFromSettings() const {
  EnhancedOptions options;
  options.CentreHz = settings_.DecFc * kDecFcUnitHz;
  options.StrictGate = strict_gate_;
  options.FrequencyOffsetBank = polarity_.AutomaticFrequencyControl();
  options.AutoPolarity = polarity_.AutomaticPolarity();
  options.Inverted = polarity_.Inverted();
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
  if (polarity_.AutomaticPolarity()) {
    polarity_.SetInverted(decoder_.ReceptionInverted());
  }
  calls_.AddReceiveEntry(call);
}

}  // namespace tolvik
