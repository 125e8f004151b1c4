#pragma once

#include <optional>
#include <string>

#include "dsc/DscMessage.h"

namespace tolvik {

// A key of a call description that a receiver would not show, because of
// the call's other fields, and why.
struct DroppedKey {
  std::string Key;     // "freq"
  std::string Reason;  // "it reads no frequency, position or number after tc1=126 (...)"
};

// The first key of `message` whose field the receiver would not show:
//   - frequencies, a working position or a telephone number after a first
//     telecommand (given or default) of 103 polling, 118 test or 126 no
//     information: interpretation ends with the telecommand;
//   - the distress information of an all-ships call of category distress
//     whose tc1 is neither 110 (acknowledgement) nor 112 (relay);
//   - a tc1 other than 112 on an area, group, individual or semi-automatic
//     call of category distress, which is read as a relay whatever it says;
//   - a frequency of 0 kHz, which reads as none;
//   - an enhancement without a position to refine, or of an unknown one.
// nullopt when the receiver shows every field given.
std::optional<DroppedKey> FindDroppedKey(const DscMessage& message);

}  // namespace tolvik
