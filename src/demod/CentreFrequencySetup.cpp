#include "demod/CentreFrequencySetup.h"

namespace tolvik {

void SetCentreFromDecFc(ChannelTuning& tuning, int dec_fc) {
  tuning.CentreFrequency = dec_fc * kDecFcUnitHz;
  tuning.TrackedCentre = tuning.CentreFrequency;
}

}  // namespace tolvik
