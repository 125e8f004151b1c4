#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gen/CallDescription.h"

namespace tolvik {

// A call description as key=value pairs, in the order given.
using KeyValues = std::vector<std::pair<std::string, std::string>>;

// What to do with a key the receiver would not show because of the call's
// other fields (FindDroppedKey): tolvik-gen refuses it, so that a call
// never carries more than a reader of the decode sees; tests and
// measurements may send such calls on purpose.
enum class DroppedKeys { Allow, Refuse };

// Builds a call from its keys (see the keys below). Checks that every key
// is known and used by that kind of call, that every value is readable,
// and that the call can be encoded. Throws CallDescriptionError with a
// one-line message naming the key and value.
//
// Keys: format, to, area, from, category, tc1, tc2, freq, freq2, position,
// ship, nature, dpos, utc, subsequent, number, eos, enhance, dots; or raw
// (with check and dots) for a call given symbol by symbol.
// With DroppedKeys::Refuse, a key the receiver would not show is an error
// naming the reason ("freq=vhf16: the receiver would not show it: ...").
CallDescription BuildCallDescription(const KeyValues& key_values,
                                     DroppedKeys dropped = DroppedKeys::Allow);

// "format=individual to=211234560 ...": pairs separated by white space.
CallDescription ParseCallDescription(std::string_view key_values,
                                     DroppedKeys dropped = DroppedKeys::Allow);

// A JSON array of objects with the same keys; values are strings or
// numbers (raw may also be an array of numbers). Errors name the call by
// its place in the array.
std::vector<CallDescription> ParseCallDescriptionsJson(std::string_view json_text,
                                                       DroppedKeys dropped = DroppedKeys::Allow);

}  // namespace tolvik
