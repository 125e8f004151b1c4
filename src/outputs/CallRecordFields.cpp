#include "outputs/CallRecordFields.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "dsc/DscSymbols.h"

namespace tolvik {

namespace {

// Where the distress information starts: the ship in distress's identity.
// A distress alert carries it right after its format specifiers; an
// all-ships acknowledgement or relay after category, caller and first
// telecommand; an addressed relay five characters later still.
constexpr int kAlertDistressInfo = 2;
constexpr int kAllShipsDistressInfo = 9;
constexpr int kAddressedDistressInfo = 14;
// The time of the position, hours then minutes, inside that block.
constexpr int kTimeOffset = 11;
constexpr int kLargestMinutesOfHour = 59;

std::optional<int> DistressInfoStart(const WrittenCall& call) {
  if (call.kind == DistressKind::None || call.symbols.Primary.Count == 0)
    return std::nullopt;
  if (call.kind == DistressKind::Alert)
    return kAlertDistressInfo;
  return call.symbols.Primary.Symbols[0] == kFormatAllShips ? kAllShipsDistressInfo
                                                            : kAddressedDistressInfo;
}

}  // namespace

std::string ChannelName(int channel) {
  return channel == 1 ? "right" : "left";
}

std::string DecoderName(CallDecoder decoder) {
  return decoder == CallDecoder::Enhanced ? "enhanced" : "standard";
}

std::vector<int> SymbolValues(const SymbolSequence& sequence) {
  const int count = std::clamp(sequence.Count, 0, SymbolSequence::kCapacity);
  return std::vector<int>(sequence.Symbols.begin(), sequence.Symbols.begin() + count);
}

std::optional<std::string> DistressUtcText(const WrittenCall& call) {
  const std::optional<int> start = DistressInfoStart(call);
  if (!start)
    return std::nullopt;
  const SymbolSequence& primary = call.symbols.Primary;
  const int hours_at = *start + kTimeOffset;
  // Both characters must come before the end of sequence (the last one
  // stored): anything later in the array is left over from an earlier call.
  if (hours_at + kTimeCharacters > primary.Count - 1)
    return std::nullopt;
  const int hours = primary.Symbols[hours_at];
  const int minutes = primary.Symbols[hours_at + 1];
  if (hours > kLargestHours || minutes > kLargestMinutesOfHour)
    return std::nullopt;  // 88 88 (unknown) among them
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", hours, minutes);
  return text;
}

double SecondsToTenths(double seconds) {
  return std::round(seconds * 10.0) / 10.0;
}

}  // namespace tolvik
