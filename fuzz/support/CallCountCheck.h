#pragma once

#include "dsc/DscCall.h"
#include "support/Require.h"

namespace tolvik::fuzzing {

// A call's symbol counts stay within its sequences, whatever bits came.
inline void RequireCountsWithinCapacity(const DscCall& call) {
  Require(call.Primary.Count >= 0 && call.Primary.Count <= SymbolSequence::kCapacity);
  Require(call.Expansion.Count >= 0 && call.Expansion.Count <= SymbolSequence::kCapacity);
}

}  // namespace tolvik::fuzzing
