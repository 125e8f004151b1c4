#pragma once

#include <cmath>

#include "enhanced/EnhancedParameters.h"

namespace tolvik {

// A sync: the working sample at which a call's template ends, and the
// template correlation there, whose sign is the call's polarity.
struct SyncEvent {
  SampleIndex Sample = 0;
  double Correlation = 0.0;

  int Polarity() const { return Correlation >= 0.0 ? 1 : -1; }
  double Strength() const { return std::fabs(Correlation); }
};

}  // namespace tolvik
