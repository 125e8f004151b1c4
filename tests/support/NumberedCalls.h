#pragma once

#include <string>

#include "gen/CallDescriptionParser.h"

namespace tolvik::testing {

// The called identity of call `index` of a counted run, which tells the
// calls apart.
inline std::string CalledIdentity(int index) {
  return "211" + std::to_string(10000 + index) + "0";
}

// Call `index` of a counted run: an individual call with two frequencies
// that asks for an acknowledgement.
inline CallDescription IndividualCall(int index) {
  return ParseCallDescription("format=individual to=" + CalledIdentity(index) +
                              " from=232001000 tc1=100 freq=2182 freq2=8414.5 eos=req");
}

}  // namespace tolvik::testing
