// Arbitrary decoded calls into the NMEA encoder. Every sentence it makes
// must be one a plotter accepts: "$", the sentence name, exactly its
// fields, "*", the checksum as two upper-case hex digits, CR LF, at most 82
// characters, and no character inside that would break the framing.
// Anything else traps.
//
// Input: the primary sequence's count (byte modulo 129), the expansion
// sequence's count (likewise), then the 128 symbols of the primary
// sequence and the 128 of the expansion sequence (byte modulo 128; missing
// ones are 0). Symbols past a count are there too, as an earlier call
// leaves them in a decoder channel.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dsc/DscCall.h"
#include "nmea/CallSentences.h"
#include "nmea/DscSentenceFields.h"
#include "nmea/NmeaFraming.h"
#include "support/FuzzBytes.h"
#include "support/Require.h"

namespace {

using tolvik::fuzzing::Require;

constexpr int kCountValues = tolvik::SymbolSequence::kCapacity + 1;
constexpr int kSymbolValues = 128;
constexpr int kDseFieldCount = 6;
constexpr std::size_t kChecksumDigits = 2;

// Printable ASCII without the characters NMEA 0183 reserves for framing.
bool AllowedInField(char c) {
  constexpr std::string_view kReserved = "$*,!\\^~\r\n";
  return c >= 0x20 && c <= 0x7E && kReserved.find(c) == std::string_view::npos;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

// The sentence is well framed, named `name`, and has `field_count` fields.
void CheckSentence(const std::string& sentence, std::string_view name, int field_count) {
  Require(sentence.size() <= tolvik::kNmeaMaxSentenceLength);
  Require(sentence.starts_with('$'));
  Require(sentence.ends_with(tolvik::kNmeaLineEnd));
  Require(sentence.size() >= 1 + name.size() + 1 + kChecksumDigits + tolvik::kNmeaLineEnd.size());
  const std::size_t star = sentence.size() - tolvik::kNmeaLineEnd.size() - kChecksumDigits - 1;
  Require(sentence[star] == '*');
  const std::string_view body = std::string_view(sentence).substr(1, star - 1);
  Require(body.starts_with(name));

  int sum = 0;
  int commas = 0;
  for (const char c : body) {
    sum ^= static_cast<unsigned char>(c);
    if (c == ',') {
      ++commas;
    } else {
      Require(AllowedInField(c));
    }
  }
  Require(commas == field_count);
  Require(body.size() == name.size() || body[name.size()] == ',');
  const int high = HexValue(sentence[star + 1]);
  const int low = HexValue(sentence[star + 2]);
  Require(high >= 0 && low >= 0 && high * 16 + low == sum);
}

void FillSequence(tolvik::fuzzing::FuzzBytes& input, tolvik::SymbolSequence& sequence) {
  for (auto& symbol : sequence.Symbols) {
    symbol = static_cast<std::uint8_t>(input.Next() % kSymbolValues);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tolvik::fuzzing::FuzzBytes input(data, size);
  tolvik::DscCall call;
  call.Primary.Count = input.Next() % kCountValues;
  call.Expansion.Count = input.Next() % kCountValues;
  FillSequence(input, call.Primary);
  FillSequence(input, call.Expansion);

  const tolvik::CallSentences sentences = tolvik::EncodeCallSentences(call);
  CheckSentence(sentences.dsc, "CDDSC", tolvik::kDscFieldCount);
  if (sentences.dse) {
    CheckSentence(*sentences.dse, "CDDSE", kDseFieldCount);
  }
  return 0;
}
