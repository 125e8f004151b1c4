#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gen/CallDescription.h"

namespace tolvik {

// The kinds of call a receiver meets on the air, taken in turn.
enum class CallLayout {
  IndividualWithFrequency,  // routine call to a ship with working frequencies
  AllShipsSafety,           // coast station safety broadcast announcement
  DistressAlert,            // with nature, position and time
  DistressRelay,            // coast station relaying an alert to all ships
  SemiAutomatic,            // ship to coast station with a telephone number
  Area,                     // urgency call to a geographic area
  Group,                    // call to a group identity
};
inline constexpr int kCallLayoutCount = 7;

std::string CallLayoutName(CallLayout layout);

// `count` calls, the layouts in turn, each with its own random identities,
// frequencies, positions and numbers drawn from `seed`: no two calls of the
// set decode to the same row texts in practice, so a row identifies its call.
std::vector<CallDescription> MakeCallMix(int count, std::uint64_t seed);

// The layout of call `index` of a mix.
CallLayout LayoutOfMixCall(int index);

}  // namespace tolvik
