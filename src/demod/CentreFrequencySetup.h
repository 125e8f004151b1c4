#pragma once

#include "demod/ChannelTuning.h"

namespace tolvik {

// The setting DecFc counts in units of 10 Hz.
inline constexpr double kDecFcUnitHz = 10.0;

// Sets the user's HF centre from DecFc and points the mixer at it, dropping
// any correction the frequency control had made. FrequencyError is left as it
// is: it belongs to the demodulator's running estimate.
void SetCentreFromDecFc(ChannelTuning& tuning, int dec_fc);

}  // namespace tolvik
