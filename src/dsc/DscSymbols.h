#pragma once

#include "dsc/DscDigitFields.h"
#include "dsc/DscVocabulary.h"

namespace tolvik {

// Symbol values with a fixed meaning in a DSC transmission. Values 0 to 99
// carry two decimal digits; 100 to 127 are control and vocabulary symbols.
// A received ten-bit code that fails its check reads as kInvalidSymbol.
//
// Two neighbours hold the rest: DscVocabulary.h the categories, natures of
// distress and telecommands; DscDigitFields.h the sizes and digit codes of
// the digit fields (identity, position, area, time, frequency).

inline constexpr int kInvalidSymbol = -1;
inline constexpr int kLargestSymbol = 127;
inline constexpr int kLargestDigitPair = 99;
inline constexpr int kLowestControlSymbol = kLargestDigitPair + 1;

// Phasing: the DX position sends 125 six times, the RX position counts down
// from 111 to 104.
inline constexpr int kDxPhasingSymbol = 125;
inline constexpr int kFirstRxPhasingSymbol = 111;
inline constexpr int kLastRxPhasingSymbol = 104;
inline constexpr int kDxPhasingCount = 6;
inline constexpr int kRxPhasingCount = kFirstRxPhasingSymbol - kLastRxPhasingSymbol + 1;

// Time diversity: each character's RX copy goes out five symbol periods
// after its DX copy.
inline constexpr int kRxRepetitionDelaySymbols = 5;

// End of sequence: acknowledgement requested, acknowledgement, anything else.
inline constexpr int kEosAckRequest = 117;
inline constexpr int kEosAcknowledgement = 122;
inline constexpr int kEosOther = 127;

// After a sequence's check character DX sends its end of sequence twice more.
inline constexpr int kTrailingDxEndOfSequenceCount = 2;

// "No information"; also what the RX position carries while DX sends the two
// trailing end-of-sequence symbols in front of an expansion sequence.
inline constexpr int kNoInformation = 126;

// First character of a frequency field announcing a position instead.
inline constexpr int kPositionFollows = 55;

// Expansion data specifier: enhanced position resolution.
inline constexpr int kEnhancedPositionSpecifier = 100;

// Format specifiers a receiver accepts.
inline constexpr int kFormatGeographicArea = 102;
inline constexpr int kFormatDistress = 112;
inline constexpr int kFormatGroup = 114;
inline constexpr int kFormatAllShips = 116;
inline constexpr int kFormatIndividual = 120;
inline constexpr int kFormatSemiAutomatic = 123;

// Telephone number indicators: odd or even count of digits.
inline constexpr int kOddDigitCountIndicator = 105;
inline constexpr int kEvenDigitCountIndicator = 106;

// Whether a value is a symbol at all (0..127), rather than kInvalidSymbol or
// anything else out of range.
constexpr bool IsSymbolValue(int value) {
  return value >= 0 && value <= kLargestSymbol;
}

constexpr bool IsEndOfSequence(int symbol) {
  return symbol == kEosAckRequest || symbol == kEosAcknowledgement || symbol == kEosOther;
}

constexpr bool IsAcceptedFormatSpecifier(int symbol) {
  return symbol == kFormatGeographicArea || symbol == kFormatDistress || symbol == kFormatGroup ||
         symbol == kFormatAllShips || symbol == kFormatIndividual || symbol == kFormatSemiAutomatic;
}

}  // namespace tolvik
