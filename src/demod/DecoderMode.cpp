#include "demod/DecoderMode.h"

#include "demod/DecoderParameters.h"

namespace tolvik {

namespace {

// The gains map each mode's nominal deviation (HF 8.5, VHF 40 display units)
// to about 50 pixels of the eye pattern.
constexpr ModeDisplayConstants kHfDisplay{"HF DSC", kHfDecimationFactor, 2, 5.88};
constexpr ModeDisplayConstants kVhfDisplay{"VHF DSC", kVhfDecimationFactor, 10, 1.25};

}  // namespace

DecoderMode DecoderModeFromSetting(bool dec_vhf) {
  return dec_vhf ? DecoderMode::Vhf : DecoderMode::Hf;
}

ModeDisplayConstants DisplayConstantsOf(DecoderMode mode) {
  return mode == DecoderMode::Vhf ? kVhfDisplay : kHfDisplay;
}

}  // namespace tolvik
