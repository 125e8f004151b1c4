#pragma once

#include <optional>
#include <string>

#include "dsc/DscSymbols.h"

namespace tolvik {

// A position as sent: quadrant (0 north-east, 1 north-west, 2 south-east,
// 3 south-west), whole degrees and whole minutes of latitude and longitude.
struct DscPosition {
  int Quadrant = 0;
  int LatitudeDegrees = 0;   // 0..90
  int LatitudeMinutes = 0;   // 0..59
  int LongitudeDegrees = 0;  // 0..180
  int LongitudeMinutes = 0;  // 0..59
};

// A geographic area: the reference corner in whole degrees, and how many
// degrees it extends southward (latitude) and eastward (longitude).
struct DscArea {
  int Quadrant = 0;
  int LatitudeDegrees = 0;   // 0..90
  int LongitudeDegrees = 0;  // 0..180
  int LatitudeExtent = 0;    // degrees southward, 0..99
  int LongitudeExtent = 0;   // degrees eastward, 0..99
};

// Time of day (UTC) as sent in distress information.
struct DscTime {
  int Hours = 0;    // 0..23
  int Minutes = 0;  // 0..59
};

// One three-character frequency field entry: a frequency, or a channel.
struct DscFrequency {
  enum class Kind {
    KiloHertz,    // a frequency, sent in units of 100 Hz
    MfHfChannel,  // an MF/HF channel number, sent after the digit 3
    VhfChannel,   // a VHF channel number, sent after the digit 9
  };
  Kind Type = Kind::KiloHertz;
  double KiloHertz = 0.0;  // for Kind::KiloHertz, 0 .. 29999.9
  int Channel = 0;         // for the channel kinds: MF/HF 0..99999, VHF 0..999

  static DscFrequency Khz(double khz) { return {Kind::KiloHertz, khz, 0}; }
  static DscFrequency MfHf(int channel) { return {Kind::MfHfChannel, 0.0, channel}; }
  static DscFrequency Vhf(int channel) { return {Kind::VhfChannel, 0.0, channel}; }
};

// Distress information: what a distress alert carries, and what a distress
// acknowledgement or relay repeats.
struct DscDistressInfo {
  std::string ShipInDistress;                           // nine-digit identity
  int Nature = kNatureUndesignated;                     // nature of distress, 100..112
  std::optional<DscPosition> Position;                  // nullopt: unknown (sent as 99 99 99 99 99)
  std::optional<DscTime> Time;                          // nullopt: unknown (sent as 88 88)
  int SubsequentCommunication = kTelecommandFmSimplex;  // type of subsequent communication
};

// The next four decimal places of the latitude and longitude minutes of a
// position sent in the same call (expansion data specifier 100).
struct DscEnhancedPosition {
  int LatitudeDecimals = 0;   // 0..9999: 1234 adds 0.1234 minutes
  int LongitudeDecimals = 0;  // 0..9999
};

// A DSC call described field by field, for the encoder. Which fields are
// used depends on the format specifier and the category:
//
//   112 distress alert: Distress (the ship in distress is the caller).
//   116 all ships: Category, SelfId, FirstTelecommand, SecondTelecommand,
//       FirstFrequency / SecondFrequency or WorkingPosition.
//   102 area, 114 group, 120 individual, 123 semi-automatic: AreaAddress
//       (102) or Address, Category, SelfId, telecommands, frequencies or
//       WorkingPosition; 123 also TelephoneNumber.
//   Category 112 with 116, 102, 114, 120 or 123: a distress acknowledgement
//       (FirstTelecommand 110) or relay (112) carrying Distress in place of
//       the second telecommand and the frequency field.
//
// Identities are nine-digit texts ("211234560"); the tenth digit sent is 0.
struct DscMessage {
  int FormatSpecifier = kFormatIndividual;
  std::optional<std::string> Address;  // called station or group: 114, 120, 123
  std::optional<DscArea> AreaAddress;  // called area: 102
  int Category = kCategoryRoutine;     // 100 routine, 108 safety, 110 urgency, 112 distress
  std::string SelfId;                  // calling station; unused by 112
  int FirstTelecommand = kNoInformation;
  int SecondTelecommand = kNoInformation;
  std::optional<DscFrequency> FirstFrequency;      // nullopt: 126 126 126
  std::optional<DscFrequency> SecondFrequency;     // nullopt: 126 126 126 (123: left out)
  std::optional<DscPosition> WorkingPosition;      // sent as 55 + position instead of frequencies
  std::optional<DscDistressInfo> Distress;         // format 112, or category 112
  std::optional<std::string> TelephoneNumber;      // digits, 123 only
  int EndOfSequence = kEosOther;                   // 117, 122 or 127
  std::optional<DscEnhancedPosition> Enhancement;  // sent as an expansion sequence
};

}  // namespace tolvik
