#pragma once

#include "demod/DecoderMode.h"
#include "dsc/DecoderOptions.h"
#include "settings/AppSettings.h"

namespace tolvik {

// Decoder channel 0's options, read live from the settings record: a change
// made in the settings dialog takes effect at the next bit. Automatic
// polarity writes DecINV back, so the reversal is shown and saved like any
// other setting.
class SettingsDecoderOptions final : public DecoderOptions {
 public:
  // The settings must outlive this.
  explicit SettingsDecoderOptions(AppSettings& settings) : settings_(settings) {}

  bool Inverted() const override { return settings_.DecINV; }
  void SetInverted(bool inverted) override { settings_.DecINV = inverted; }
  bool AutomaticPolarity() const override { return settings_.DecAPS; }
  bool AutomaticFrequencyControl() const override { return settings_.DecAFC; }
  DecoderMode Mode() const override { return DecoderModeFromSetting(settings_.DecVHF); }

 private:
  AppSettings& settings_;  // DecINV (read and written), DecAPS, DecAFC, DecVHF
};

}  // namespace tolvik
