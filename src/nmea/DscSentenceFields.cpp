#include "nmea/DscSentenceFields.h"

#include <cstdio>

#include "dsc/DscDigitFields.h"
#include "dsc/DscSymbols.h"

namespace tolvik {

namespace {

std::string TwoDigits(int value) {
  char text[4];
  std::snprintf(text, sizeof text, "%02d", value % 100);
  return text;
}

// A call is read through this view: a position at or past the end of
// sequence reads as no symbol, so characters of an earlier call left in the
// array are never taken for this one's.
class SymbolReader {
 public:
  explicit SymbolReader(const SymbolSequence& sequence) : sequence_(sequence) {}

  // The symbol at `position`, or kInvalidSymbol past the stored characters.
  int At(int position) const {
    return position >= 0 && position < sequence_.Count ? sequence_.Symbols[position]
                                                       : kInvalidSymbol;
  }

  // The index of the end-of-sequence symbol: the last one stored.
  int EndOfSequence() const { return sequence_.Count - 1; }

  // Two decimal digits of the symbol at `position`: its value modulo 100.
  std::string SymbolDigits(int position) const {
    const int symbol = At(position);
    return IsSymbolValue(symbol) ? TwoDigits(symbol) : std::string();
  }

  // The digits of `count` characters from `position`; empty unless every
  // one lies before the end of sequence and is at most 99.
  std::string Digits(int position, int count) const {
    return position + count > EndOfSequence() ? std::string() : StoredDigits(position, count);
  }

  // The same for characters that need only be stored: an expansion sequence
  // handed on at the end of an input may lack its end of sequence.
  std::string StoredDigits(int position, int count) const {
    if (position < 0 || position + count > sequence_.Count) {
      return {};
    }
    std::string digits;
    for (int i = position; i < position + count; ++i) {
      if (At(i) > kLargestDigitPair) {
        return {};
      }
      digits += TwoDigits(At(i));
    }
    return digits;
  }

  // A station identity: its nine digits and the "0" a receiver writes
  // after them.
  std::string Identity(int position) const {
    const std::string digits = Digits(position, kMmsiCharacters);
    return digits.empty() ? digits : digits.substr(0, kIdentityDigits) + "0";
  }

 private:
  const SymbolSequence& sequence_;
};

// Where the fields sit in the two families of layouts: 116 (all ships) and
// 102/114/120/123 (addressed), which carries the called address in front
// and so everything five characters later.
struct Layout {
  int category;       // category symbol
  int caller;         // identity of the calling station
  int first_command;  // first telecommand; the second follows it
  int working_field;  // frequency field, or 55 and a position
  int distress_info;  // start of the distress information of a relay or acknowledgement
};

constexpr Layout kAllShipsLayout{2, 3, 8, 10, 9};
constexpr Layout kAddressedLayout{7, 8, 13, 15, 14};

// Offsets inside a distress information block (from its identity).
constexpr int kNatureOffset = 5;
constexpr int kPositionOffset = 6;
constexpr int kTimeOffset = 11;
constexpr int kSubsequentOffset = 13;

// A position announced by 55 may be followed by the time it was taken
// (hh mm) just before the end of sequence.
constexpr int kPositionWithTimeCharacters = 1 + kPositionCharacters + kTimeCharacters;

std::string AcknowledgementLetter(int end_of_sequence) {
  switch (end_of_sequence) {
    case kEosAckRequest:
      return "R";
    case kEosAcknowledgement:
      return "B";
    case kEosOther:
      return "S";
    default:
      return {};
  }
}

// Type of subsequent communication, position and time from a block of
// distress information at `start`: what a distress alert carries and an
// acknowledgement or relay repeats.
void ReadDistressInformation(const SymbolReader& call, int start, DscSentenceFields& fields) {
  fields[kDscFieldCommunicationOrSecondCommand] = call.SymbolDigits(start + kSubsequentOffset);
  fields[kDscFieldPositionOrFrequency] = call.Digits(start + kPositionOffset, kPositionCharacters);
  fields[kDscFieldTimeOrNumber] = call.Digits(start + kTimeOffset, kTimeCharacters);
}

// Fields 6 and 7 of a call that is not about distress: the position or
// frequencies, and the time of that position.
void ReadWorkingField(const SymbolReader& call, int start, DscSentenceFields& fields) {
  fields[kDscFieldTimeOrNumber] = std::string(kTimeNotAvailable);
  if (call.At(start) == kPositionFollows) {
    fields[kDscFieldPositionOrFrequency] = call.Digits(start + 1, kPositionCharacters);
    if (call.EndOfSequence() == start + kPositionWithTimeCharacters) {
      fields[kDscFieldTimeOrNumber] = call.Digits(start + 1 + kPositionCharacters, kTimeCharacters);
    }
    return;
  }
  const std::string first = call.Digits(start, kFrequencyCharacters);
  if (!first.empty()) {
    fields[kDscFieldPositionOrFrequency] =
        first + call.Digits(start + kFrequencyCharacters, kFrequencyCharacters);
  }
}

// The digits of a semi-automatic call's telephone number: the characters
// after its indicator up to the end of sequence, without the leading 0 an
// odd count of digits is sent with. Empty when there is none.
std::string TelephoneNumber(const SymbolReader& call) {
  constexpr int kIndicatorAfterOneFrequency = 18;
  constexpr int kIndicatorAfterTwoFrequencies = 21;
  const int indicator_position =
      call.At(kIndicatorAfterOneFrequency) == kOddDigitCountIndicator ||
              call.At(kIndicatorAfterOneFrequency) == kEvenDigitCountIndicator
          ? kIndicatorAfterOneFrequency
          : kIndicatorAfterTwoFrequencies;
  const int indicator = call.At(indicator_position);
  if (indicator != kOddDigitCountIndicator && indicator != kEvenDigitCountIndicator) {
    return {};
  }
  const int first = indicator_position + 1;
  const std::string digits = call.Digits(first, call.EndOfSequence() - first);
  if (digits.empty() || indicator == kEvenDigitCountIndicator) {
    return digits;
  }
  return digits.substr(1);
}

void ReadDistressAlert(const SymbolReader& call, DscSentenceFields& fields) {
  constexpr int kShipInDistress = 2;
  fields[kDscFieldAddress] = call.Identity(kShipInDistress);
  // Radios write the distress category here, or leave it empty.
  fields[kDscFieldCategory] = TwoDigits(kCategoryDistress);
  fields[kDscFieldNatureOrFirstCommand] = call.SymbolDigits(kShipInDistress + kNatureOffset);
  ReadDistressInformation(call, kShipInDistress, fields);
}

void ReadLayout(const SymbolReader& call, int format, const Layout& layout,
                DscSentenceFields& fields) {
  constexpr int kCalledArea = 2;  // an area call's address, in front of everything else
  fields[kDscFieldAddress] = format == kFormatGeographicArea
                                 ? call.Digits(kCalledArea, kAreaCharacters)
                                 : call.Identity(layout.caller);
  fields[kDscFieldCategory] = call.SymbolDigits(layout.category);
  fields[kDscFieldNatureOrFirstCommand] = call.SymbolDigits(layout.first_command);
  const int command = call.At(layout.first_command);
  // An all-ships call of category distress carries distress information only
  // as an acknowledgement or a relay; an addressed one always as a relay.
  const bool distress_information =
      call.At(layout.category) == kCategoryDistress &&
      (format != kFormatAllShips || command == kTelecommandDistressAcknowledgement ||
       command == kTelecommandDistressRelay);
  if (distress_information) {
    const int start = layout.distress_info;
    ReadDistressInformation(call, start, fields);
    fields[kDscFieldShipInDistress] = call.Identity(start);
    fields[kDscFieldDistressNature] = call.SymbolDigits(start + kNatureOffset);
    return;
  }
  fields[kDscFieldCommunicationOrSecondCommand] = call.SymbolDigits(layout.first_command + 1);
  ReadWorkingField(call, layout.working_field, fields);
  if (format == kFormatSemiAutomatic) {
    fields[kDscFieldTimeOrNumber] = TelephoneNumber(call);
  }
}

}  // namespace

DscSentenceFields ReadDscSentenceFields(const DscCall& dsc_call) {
  const SymbolReader call(dsc_call.Primary);
  DscSentenceFields fields;
  const int format = call.At(0);
  fields[kDscFieldFormat] = call.SymbolDigits(0);
  fields[kDscFieldAcknowledgement] = AcknowledgementLetter(call.At(call.EndOfSequence()));
  if (format == kFormatDistress) {
    ReadDistressAlert(call, fields);
  } else if (format == kFormatAllShips) {
    ReadLayout(call, format, kAllShipsLayout, fields);
  } else {
    ReadLayout(call, format, kAddressedLayout, fields);
  }
  return fields;
}

std::optional<std::string> EnhancedPositionDigits(const DscCall& call) {
  const SymbolReader expansion(call.Expansion);
  if (expansion.At(0) != kEnhancedPositionSpecifier) {
    return std::nullopt;
  }
  std::string digits = expansion.StoredDigits(1, kEnhancementCharacters);
  if (digits.empty()) {
    return std::nullopt;
  }
  return digits;
}

}  // namespace tolvik
