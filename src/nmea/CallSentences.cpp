#include "nmea/CallSentences.h"

#include <array>

#include "nmea/DscSentenceFields.h"
#include "nmea/NmeaFraming.h"

namespace tolvik {

namespace {

constexpr std::string_view kDscName = "CDDSC";
constexpr std::string_view kDseName = "CDDSE";
constexpr std::string_view kExpansionFollows = "E";

// $CDDSE: sentence 1 of 1, sent automatically (not a query or a reply), the
// same address as the $CDDSC, then code 00 (enhanced position) and its data.
std::string EnhancedPositionSentence(const std::string& address, const std::string& digits) {
  const std::array<std::string, 6> fields{"1", "1", "A", address, "00", digits};
  return FrameSentence(kDseName, fields);
}

}  // namespace

CallSentences EncodeCallSentences(const DscCall& call) {
  DscSentenceFields fields = ReadDscSentenceFields(call);
  CallSentences sentences;
  if (const auto digits = EnhancedPositionDigits(call)) {
    fields[kDscFieldExpansion] = std::string(kExpansionFollows);
    sentences.dse = EnhancedPositionSentence(fields[kDscFieldAddress], *digits);
  }
  sentences.dsc = FrameSentence(kDscName, fields);
  // Only a telephone number can make the sentence too long, and only one
  // far longer than any real number: it is left out rather than cut, since
  // a cut number would reach somebody else.
  if (sentences.dsc.size() > kNmeaMaxSentenceLength) {
    fields[kDscFieldTimeOrNumber].clear();
    sentences.dsc = FrameSentence(kDscName, fields);
  }
  return sentences;
}

}  // namespace tolvik
