#pragma once

#include "enhanced/EnhancedParameters.h"

namespace tolvik {

// How sure the check character's gate must be before a call is shown. Both
// gates weigh the characters alike; the strict one asks for a posterior of
// 0.998 instead of 0.99, so every call it shows the normal gate shows too.
enum class GateStrictness { Normal, Strict };

inline constexpr double PassPosterior(GateStrictness strictness) {
  return strictness == GateStrictness::Strict ? kStrictPassPosterior : kPassPosterior;
}

}  // namespace tolvik
