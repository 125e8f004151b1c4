#pragma once

#include <cstdint>
#include <vector>

#include "dsc/DscMessage.h"
#include "dsc/DscSymbols.h"

namespace tolvik::testing {

// The worked example of a routine individual call: 366123450 calls
// 211234560 for F3E/G3E simplex telephony on VHF channel 16 and asks for an
// acknowledgement.
inline DscMessage WorkedExampleMessage() {
  DscMessage m;
  m.FormatSpecifier = kFormatIndividual;
  m.Address = "211234560";
  m.Category = kCategoryRoutine;
  m.SelfId = "366123450";
  m.FirstTelecommand = 100;
  m.SecondTelecommand = kNoInformation;
  m.FirstFrequency = DscFrequency::Vhf(16);
  m.EndOfSequence = kEosAckRequest;
  return m;
}

// Its characters from the first format specifier to the end of sequence,
// as they go on air; the check character that follows them is 103.
inline const std::vector<std::uint8_t> kWorkedExampleCharacters = {
    120, 120, 21, 12, 34, 56, 0, 100, 36, 61, 23, 45, 0, 100, 126, 90, 0, 16, 126, 126, 126, 117};
inline constexpr int kWorkedExampleCheckCharacter = 103;

}  // namespace tolvik::testing
