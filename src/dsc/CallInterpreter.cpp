#include "dsc/CallInterpreter.h"

#include <cstdint>
#include <string>

#include "dsc/AreaField.h"
#include "dsc/DscSymbols.h"
#include "dsc/FieldTexts.h"
#include "dsc/FrequencyField.h"
#include "dsc/MmsiText.h"
#include "dsc/PositionField.h"
#include "dsc/TelephoneNumber.h"
#include "dsc/Vocabularies.h"

// Call layouts read here (positions in the primary sequence; 0 and 1 are the
// two copies of the format specifier, only the first is looked at):
//
//   112 distress alert: 2-6 ship in distress, 7 nature, 8-12 position,
//       13-14 time, 15 type of subsequent communication.
//   116 all ships: 2 category, 3-7 calling station, 8 first telecommand,
//       9 second telecommand, 10-15 two frequencies (or 10 = 55 and 11-15 a
//       position). With category 112 and first telecommand 110 or 112 a
//       distress information block follows from 9 instead.
//   102 area, 114 group, 120 individual, 123 semi-automatic: 2-6 address (an
//       area for 102), 7 category, 8-12 calling station, 13 first and 14
//       second telecommand, 15-20 two frequencies (or 15 = 55 and 16-20 a
//       position); 123 adds a telephone number from its indicator at 18 or
//       21 up to the end of sequence. With category 112 a distress
//       information block follows from 14 instead.
//
// A distress information block from s: s..s+4 ship in distress, s+5 nature,
// s+6..s+10 position, s+11..s+12 time (not shown), s+13 type of subsequent
// communication.
//
// Positions are read as stored, whatever the call's length: a short call
// leaves characters of an earlier one behind its end.

namespace tolvik {

namespace {

// Format 116 layout.
constexpr int kAllShipsCategory = 2;
constexpr int kAllShipsCaller = 3;
constexpr int kAllShipsFirstTelecommand = 8;
constexpr int kAllShipsDistressInfo = 9;
constexpr int kAllShipsFrequencyField = 10;

// Layout of the addressed formats 102, 114, 120, 123.
constexpr int kAddress = 2;
constexpr int kCategory = 7;
constexpr int kCaller = 8;
constexpr int kFirstTelecommand = 13;
constexpr int kDistressInfo = 14;
constexpr int kFrequencyField = 15;
constexpr int kNumberAfterOneFrequency = 18;
constexpr int kNumberAfterTwoFrequencies = 21;

// Offsets inside a distress information block.
constexpr int kDistressIdentityOffset = 0;
constexpr int kDistressNatureOffset = 5;
constexpr int kDistressPositionOffset = 6;
constexpr int kDistressCommunicationOffset = 13;

constexpr const char* kAllStationsText = "All stations";
constexpr const char* kAckText = "Ack";

// Stands for a position outside the stored array; no vocabulary or field
// accepts it. The fixed layouts never get there.
constexpr int kNoCharacter = -1;

int CharacterAt(const DscCall& call, int position) {
  if (position < 0 || position >= SymbolSequence::kCapacity) {
    return kNoCharacter;
  }
  return call.Primary.Symbols[position];
}

// The position field at start as text, "N/A" when it does not decode. A
// position sent as not known is no position: the empty text, as for a call
// that carries none, so that nothing offers it as a place on a map.
std::string PositionText(const DscCall& call, int start, bool& enhanced_position) {
  if (IsUnknownPosition(call, start)) {
    enhanced_position = false;
    return {};
  }
  const auto position = DecodePosition(call, start, enhanced_position);
  if (!position) {
    return std::string(kNotAvailableText);
  }
  return FormatPosition(position->Latitude, position->Longitude, enhanced_position);
}

// The first telecommand at position, followed by the second in brackets
// unless the second says it carries no information.
std::string TelecommandText(const DscCall& call, int position) {
  std::string text = FirstTelecommandText(CharacterAt(call, position));
  const int second = CharacterAt(call, position + 1);
  if (second != kNoInformation) {
    text += " (" + SecondTelecommandText(second) + ")";
  }
  return text;
}

// Polling, test and "no information" calls carry no frequency or position.
bool EndsWithTelecommand(int first_telecommand) {
  return first_telecommand == kTelecommandPolling || first_telecommand == kTelecommandTest ||
         first_telecommand == kNoInformation;
}

// A frequency field at start, or the position announced by 55 in its place.
void InterpretFrequencyField(const DscCall& call, int start, CallTexts& texts,
                             bool& enhanced_position) {
  if (CharacterAt(call, start) == kPositionFollows) {
    texts.Position = PositionText(call, start + 1, enhanced_position);
    return;
  }
  texts.Information =
      FormatFrequencies(DecodeFrequency(call.Primary, start),
                        DecodeFrequency(call.Primary, start + kFrequencyCharacters));
}

// A semi-automatic call's telephone number, appended to Information. The
// number's indicator sits right after the first frequency when the call has
// only one, after the second otherwise.
void AppendTelephoneNumber(const DscCall& call, CallTexts& texts) {
  if (!texts.Information.empty()) {
    texts.Information += " , ";
  }
  texts.Information += "Number ";
  const int indicator = CharacterAt(call, kNumberAfterOneFrequency);
  const int start = (indicator == kOddDigitCountIndicator || indicator == kEvenDigitCountIndicator)
                        ? kNumberAfterOneFrequency
                        : kNumberAfterTwoFrequencies;
  // From the indicator up to, not including, the end-of-sequence symbol.
  const int length = call.Primary.Count - start - 1;
  texts.Information += FormatNumber(call.Primary, start, length);
}

void InterpretAllShipsCall(const DscCall& call, CallTexts& texts, bool& enhanced_position) {
  texts.From = FormatMmsi(call.Primary, kAllShipsCaller);
  const int category = CharacterAt(call, kAllShipsCategory);
  texts.Category = CategoryText(category);
  texts.To = kAllStationsText;

  const int first_telecommand = CharacterAt(call, kAllShipsFirstTelecommand);
  if (category == kCategoryDistress) {
    if (first_telecommand == kTelecommandDistressAcknowledgement) {
      InterpretDistressInfo(call, kAllShipsDistressInfo, DistressKind::Acknowledgement, texts,
                            enhanced_position);
    } else if (first_telecommand == kTelecommandDistressRelay) {
      InterpretDistressInfo(call, kAllShipsDistressInfo, DistressKind::Relay, texts,
                            enhanced_position);
    } else {
      // No distress information to read; show at least what the call asks for,
      // rather than a request text left over from an earlier call.
      texts.RequestStatus = FirstTelecommandText(first_telecommand);
    }
    return;
  }

  texts.RequestStatus = TelecommandText(call, kAllShipsFirstTelecommand);
  if (EndsWithTelecommand(first_telecommand)) {
    return;
  }
  InterpretFrequencyField(call, kAllShipsFrequencyField, texts, enhanced_position);
}

void InterpretAddressedCall(const DscCall& call, int format, CallTexts& texts,
                            bool& enhanced_position) {
  const int category = CharacterAt(call, kCategory);
  texts.Category = CategoryText(category);
  if (format == kFormatGeographicArea) {
    const auto area = DecodeArea(call.Primary, kAddress);
    texts.To = area ? FormatArea(*area) : std::string(kNotAvailableText);
  } else {
    texts.To = FormatMmsi(call.Primary, kAddress);
  }
  texts.From = FormatMmsi(call.Primary, kCaller);

  // An addressed call of category distress is read as a relay, whatever its
  // first telecommand says.
  if (category == kCategoryDistress) {
    InterpretDistressInfo(call, kDistressInfo, DistressKind::Relay, texts, enhanced_position);
    return;
  }

  texts.RequestStatus = TelecommandText(call, kFirstTelecommand);
  if (EndsWithTelecommand(CharacterAt(call, kFirstTelecommand))) {
    return;
  }
  InterpretFrequencyField(call, kFrequencyField, texts, enhanced_position);
  if (format == kFormatSemiAutomatic) {
    AppendTelephoneNumber(call, texts);
  }
}

}  // namespace

void InterpretCall(const DscCall& call, CallTexts& texts, bool& enhancedPosition) {
  const int format = CharacterAt(call, 0);
  switch (format) {
    case kFormatAllShips:
      InterpretAllShipsCall(call, texts, enhancedPosition);
      break;
    case kFormatGeographicArea:
    case kFormatGroup:
    case kFormatIndividual:
    case kFormatSemiAutomatic:
      InterpretAddressedCall(call, format, texts, enhancedPosition);
      break;
    default:
      // Distress alerts go straight to InterpretDistressInfo; other formats
      // are refused before interpretation.
      break;
  }
}

void InterpretDistressInfo(const DscCall& call, int start, DistressKind kind, CallTexts& texts,
                           bool& enhancedPosition) {
  texts.Position = PositionText(call, start + kDistressPositionOffset, enhancedPosition);
  texts.RequestStatus =
      FirstTelecommandText(CharacterAt(call, start + kDistressCommunicationOffset));
  const std::string ship_in_distress = FormatMmsi(call.Primary, start + kDistressIdentityOffset);
  const std::string nature = NatureText(CharacterAt(call, start + kDistressNatureOffset));
  switch (kind) {
    case DistressKind::Alert:
      texts.To = kAllStationsText;
      texts.From = ship_in_distress;
      texts.Information = nature;
      break;
    case DistressKind::Acknowledgement:
      texts.To = ship_in_distress;
      texts.Information = nature;
      texts.Ack = kAckText;
      break;
    case DistressKind::Relay:
      // The details window recognises a relay by the closing bracket.
      texts.Information = nature + " (Distress from " + ship_in_distress + ")";
      break;
    case DistressKind::None:
      break;
  }
  texts.Kind = kind;
}

bool InterpretCompletedCall(const DscCall& call, CallTexts& texts, bool& enhancedPosition) {
  // Where the distress information of a distress alert starts.
  constexpr int kDistressAlertInfoStart = 2;
  texts.Information.clear();
  texts.Position.clear();
  texts.Ack.clear();
  const int format = call.Primary.Symbols[0];  // only the first copy counts here
  if (call.Primary.Count == 0 || !IsAcceptedFormatSpecifier(format)) {
    return false;
  }
  texts.Kind = DistressKind::None;
  if (format == kFormatDistress) {
    texts.Category = "Distress";
    InterpretDistressInfo(call, kDistressAlertInfoStart, DistressKind::Alert, texts,
                          enhancedPosition);
  } else {
    InterpretCall(call, texts, enhancedPosition);
  }
  const int end_of_sequence = call.Primary.Symbols[call.Primary.Count - 1];
  if (end_of_sequence == kEosAckRequest) {
    texts.Ack = "Req";
  } else if (end_of_sequence == kEosAcknowledgement) {
    texts.Ack = "Ack";
  }
  return true;
}

}  // namespace tolvik
