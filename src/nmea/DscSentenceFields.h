#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "dsc/DscCall.h"

namespace tolvik {

// The fields of a $CDDSC sentence, read from a received call's symbols.
// Every symbol field holds the two low decimal digits of its symbol (format
// 120 is "20", category 108 "08"); digit fields hold the symbols' digits as
// sent.
//
//   1  format specifier
//   2  address: the calling station's identity and "0"; for a distress
//      alert the ship in distress; for an area call the area (quadrant,
//      latitude, longitude, extent south, extent east)
//   3  category ("12" for a distress alert)
//   4  nature of distress (distress alert) or first telecommand
//   5  type of subsequent communication (distress information) or second
//      telecommand
//   6  position (quadrant, ddmm, dddmm), or the frequency field's digits
//      (6 or 12), empty when the call carries neither
//   7  time hhmm ("8888" when the call carries none), or the telephone
//      number of a semi-automatic call
//   8  the ship in distress (acknowledgements and relays only)
//   9  nature of distress (acknowledgements and relays only)
//   10 R acknowledgement requested, B acknowledgement, S neither
//   11 "E" when an expansion sentence follows; left empty here
//
// A digit field any of whose symbols is above 99 is left empty.
inline constexpr int kDscFieldCount = 11;
using DscSentenceFields = std::array<std::string, kDscFieldCount>;

// Field indexes (field number - 1).
inline constexpr int kDscFieldFormat = 0;
inline constexpr int kDscFieldAddress = 1;
inline constexpr int kDscFieldCategory = 2;
inline constexpr int kDscFieldNatureOrFirstCommand = 3;
inline constexpr int kDscFieldCommunicationOrSecondCommand = 4;
inline constexpr int kDscFieldPositionOrFrequency = 5;
inline constexpr int kDscFieldTimeOrNumber = 6;
inline constexpr int kDscFieldShipInDistress = 7;
inline constexpr int kDscFieldDistressNature = 8;
inline constexpr int kDscFieldAcknowledgement = 9;
inline constexpr int kDscFieldExpansion = 10;

// Field 7 of a call that carries no time.
inline constexpr std::string_view kTimeNotAvailable = "8888";

DscSentenceFields ReadDscSentenceFields(const DscCall& call);

// The eight digits of an enhanced position (four decimals of the latitude
// minutes, then four of the longitude minutes) when the call's expansion
// sequence carries one; nullopt otherwise.
std::optional<std::string> EnhancedPositionDigits(const DscCall& call);

}  // namespace tolvik
