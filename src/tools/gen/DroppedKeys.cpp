#include "gen/DroppedKeys.h"

#include "dsc/DscSymbols.h"

namespace tolvik {

namespace {

std::optional<std::string> EndingTelecommandName(int telecommand) {
  switch (telecommand) {
    case kTelecommandPolling:
      return "polling";
    case kTelecommandTest:
      return "test";
    case kNoInformation:
      return "no information, the default";
    default:
      return std::nullopt;
  }
}

bool IsZeroKiloHertz(const std::optional<DscFrequency>& frequency) {
  return frequency && frequency->Type == DscFrequency::Kind::KiloHertz &&
         frequency->KiloHertz == 0.0;
}

std::optional<DroppedKey> UnknownPositionEnhanced(const DscMessage& message) {
  if (message.Enhancement && message.Distress && !message.Distress->Position) {
    return DroppedKey{"enhance",
                      "the distress position is unknown (dpos=unknown): there is nothing to "
                      "refine"};
  }
  return std::nullopt;
}

std::optional<DroppedKey> InDistressCall(const DscMessage& message) {
  const int tc1 = message.FirstTelecommand;
  if (message.FormatSpecifier == kFormatAllShips && tc1 != kTelecommandDistressAcknowledgement &&
      tc1 != kTelecommandDistressRelay) {
    return DroppedKey{"ship",
                      "it reads the distress information of an all-ships call of category "
                      "distress only with tc1=110 (acknowledgement) or tc1=112 (relay), not "
                      "tc1=" +
                          std::to_string(tc1)};
  }
  if (message.FormatSpecifier != kFormatAllShips && tc1 != kTelecommandDistressRelay) {
    return DroppedKey{"tc1",
                      "it reads an area, group, individual or semi-automatic call of category "
                      "distress as a relay (tc1=112) whatever its tc1; an acknowledgement "
                      "(tc1=110) is an all-ships call"};
  }
  return UnknownPositionEnhanced(message);
}

std::optional<DroppedKey> InWorkingCall(const DscMessage& message) {
  if (const auto ending = EndingTelecommandName(message.FirstTelecommand)) {
    const std::string reason = "it reads no frequency, position or number after tc1=" +
                               std::to_string(message.FirstTelecommand) + " (" + *ending + ")";
    for (const auto& [key, given] : {std::pair{"freq", message.FirstFrequency.has_value()},
                                     std::pair{"freq2", message.SecondFrequency.has_value()},
                                     std::pair{"position", message.WorkingPosition.has_value()},
                                     std::pair{"number", message.TelephoneNumber.has_value()},
                                     std::pair{"enhance", message.Enhancement.has_value()}}) {
      if (given) {
        return DroppedKey{key, reason};
      }
    }
  }
  if (IsZeroKiloHertz(message.FirstFrequency)) {
    return DroppedKey{"freq", "it reads a frequency of 0 kHz as none"};
  }
  if (IsZeroKiloHertz(message.SecondFrequency)) {
    return DroppedKey{"freq2", "it reads a frequency of 0 kHz as none"};
  }
  if (message.Enhancement && !message.WorkingPosition) {
    return DroppedKey{"enhance", "the call sends no position to refine (give position=)"};
  }
  return std::nullopt;
}

}  // namespace

std::optional<DroppedKey> FindDroppedKey(const DscMessage& message) {
  if (message.FormatSpecifier == kFormatDistress) {
    return UnknownPositionEnhanced(message);
  }
  if (message.Category == kCategoryDistress) {
    return InDistressCall(message);
  }
  return InWorkingCall(message);
}

}  // namespace tolvik
