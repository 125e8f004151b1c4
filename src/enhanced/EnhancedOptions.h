#pragma once

namespace tolvik {

// How the enhanced decoder runs; the Receiver fills it from the settings.
struct EnhancedOptions {
  double CentreHz = 800.0;          // centre of the HF tone pair (DecFc x 10)
  bool StrictGate = false;          // 0.3 dB less sensitive, safer posterior gates
  bool FrequencyOffsetBank = true;  // try -30..+30 Hz at a sync (DecAFC); else on the centre only
  bool AutoPolarity = true;         // accept syncs of either polarity (DecAPS)
  bool Inverted = false;            // without AutoPolarity: accept only inverted syncs (DecINV)
};

}  // namespace tolvik
