#include "enhanced/CallLengthRule.h"

#include "dsc/DscSymbols.h"

namespace tolvik {

namespace {

constexpr int kAddressedCallLength = 22;
constexpr int kAddressedRelayLength = 29;
constexpr int kDistressAlertLength = 17;
constexpr int kAllShipsCallLength = 17;
constexpr int kAllShipsDistressLength = 24;
constexpr int kShortestSemiAutomaticLength = 23;
constexpr int kLongestSemiAutomaticLength = 40;

}  // namespace

bool CallLengthFitsFormat(const SymbolSequence& primary) {
  const int length = primary.Count;
  if (length < 2) {
    return false;
  }
  switch (primary.Symbols[0]) {
    case kFormatIndividual:
    case kFormatGroup:
    case kFormatGeographicArea:
      return length == kAddressedCallLength || length == kAddressedRelayLength;
    case kFormatDistress:
      return length == kDistressAlertLength;
    case kFormatAllShips:
      return length == kAllShipsCallLength || length == kAllShipsDistressLength;
    case kFormatSemiAutomatic:
      return length >= kShortestSemiAutomaticLength && length <= kLongestSemiAutomaticLength;
    default:
      return false;
  }
}

}  // namespace tolvik
