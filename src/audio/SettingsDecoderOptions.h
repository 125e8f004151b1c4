#pragma once

#include "demod/DecoderMode.h"
#include "dsc/DecoderOptions.h"
#include "settings/AppSettings.h"

namespace tolvik {

// A decoder channel's options, read live from the settings record: a change
// made in the settings dialog takes effect at the next bit. Only the
// polarity is the channel's own to keep.
class SettingsDecoderOptions final : public DecoderOptions {
 public:
  // Decoder channel 0: automatic polarity writes DecINV back, so the
  // reversal is shown and saved like any other setting. The settings must
  // outlive this.
  explicit SettingsDecoderOptions(AppSettings& settings)
      : SettingsDecoderOptions(settings, settings.DecINV) {}
  // Another decoder channel, whose polarity is `inverted`: automatic
  // polarity reverses only it, so a second receiver's inverted call never
  // changes the saved DecINV or channel 0's polarity. Both must outlive this.
  SettingsDecoderOptions(const AppSettings& settings, bool& inverted)
      : settings_(settings), inverted_(inverted) {}

  bool Inverted() const override { return inverted_; }
  void SetInverted(bool inverted) override { inverted_ = inverted; }
  bool AutomaticPolarity() const override { return settings_.DecAPS; }
  bool AutomaticFrequencyControl() const override { return settings_.DecAFC; }
  DecoderMode Mode() const override { return DecoderModeFromSetting(settings_.DecVHF); }

 private:
  const AppSettings& settings_;  // DecAPS, DecAFC, DecVHF
  bool& inverted_;               // this channel's polarity, read and written
};

}  // namespace tolvik
