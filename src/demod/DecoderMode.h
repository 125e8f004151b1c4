#pragma once

#include <string_view>

namespace tolvik {

// Which demodulator runs on the incoming blocks; the setting DecVHF.
enum class DecoderMode { Hf, Vhf };

DecoderMode DecoderModeFromSetting(bool dec_vhf);

// What the status bar and the eye pattern need to know about the mode.
struct ModeDisplayConstants {
  std::string_view StatusText;  // shown in the mode panel of the status bar
  int DecimationFactor;         // capture samples per working sample
  int EyeStep;                  // pixels the eye trace advances per working sample
  double EyeGain;               // pixels per display unit (10 Hz) of deviation
};

ModeDisplayConstants DisplayConstantsOf(DecoderMode mode);

}  // namespace tolvik
