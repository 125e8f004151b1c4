#include "enhanced/ToneFilterPair.h"

#include "demod/DecoderParameters.h"

namespace tolvik {

void ToneFilterPair::Retune(double centre_hz, double offset_hz) {
  mark_.Retune(centre_hz - kHfNominalToneOffsetHz + offset_hz);
  space_.Retune(centre_hz + kHfNominalToneOffsetHz + offset_hz);
}

}  // namespace tolvik
