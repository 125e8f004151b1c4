#pragma once

#include "base/SettingRanges.h"
#include "demod/ChannelTuning.h"

namespace tolvik {

// Sets the user's HF centre from DecFc and points the mixer at it, dropping
// any correction the frequency control had made. FrequencyError is left as it
// is: it belongs to the demodulator's running estimate.
void SetCentreFromDecFc(ChannelTuning& tuning, int dec_fc);

}  // namespace tolvik
