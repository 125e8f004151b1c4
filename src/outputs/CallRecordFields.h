#pragma once

#include <optional>
#include <string>
#include <vector>

#include "audio/CallObserver.h"

namespace tolvik {

// The values of a call that its row's texts do not show, as the line
// formats (JSON, CSV) write them.

// "left" for decoder channel 0, "right" for channel 1.
std::string ChannelName(int channel);

// "standard" or "enhanced".
std::string DecoderName(CallDecoder decoder);

// The stored characters of a sequence, as received.
std::vector<int> SymbolValues(const SymbolSequence& sequence);

// "hh:mm", the time (UTC) of the position of the ship in distress: of a
// distress alert, or repeated by an acknowledgement or a relay. nullopt
// for a call without distress information, and when the time is unknown
// (sent as 88 88), out of range, or missing from a call cut short.
std::optional<std::string> DistressUtcText(const WrittenCall& call);

// Seconds rounded to a tenth: the resolution of a block's end is 0.1 s.
double SecondsToTenths(double seconds);

}  // namespace tolvik
