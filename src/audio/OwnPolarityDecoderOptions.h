#pragma once

#include "demod/DecoderMode.h"
#include "dsc/DecoderOptions.h"
#include "settings/AppSettings.h"

namespace tolvik {

// Decoder options for a second decoder channel: automatic polarity,
// frequency control and the mode are read live from the settings record
// like channel 0's, but the polarity is this channel's own. It starts as
// DecINV and automatic polarity reverses only it, so a second receiver's
// inverted call never changes the saved DecINV or channel 0's polarity.
class OwnPolarityDecoderOptions final : public DecoderOptions {
 public:
  // The settings must outlive this.
  explicit OwnPolarityDecoderOptions(const AppSettings& settings)
      : settings_(settings), inverted_(settings.DecINV) {}

  bool Inverted() const override { return inverted_; }
  void SetInverted(bool inverted) override { inverted_ = inverted; }
  bool AutomaticPolarity() const override { return settings_.DecAPS; }
  bool AutomaticFrequencyControl() const override { return settings_.DecAFC; }
  DecoderMode Mode() const override { return DecoderModeFromSetting(settings_.DecVHF); }

 private:
  const AppSettings& settings_;  // DecAPS, DecAFC, DecVHF (read only)
  bool inverted_;                // this channel's polarity
};

}  // namespace tolvik
