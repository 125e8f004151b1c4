#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dsc/DscMessage.h"

namespace tolvik {

// Readers for the values of a call description. Each throws
// std::invalid_argument with a short reason (without the key) for a value
// it cannot read; the caller puts the key and value in front.

// A whole decimal number within low..high.
int ParseIntegerValue(std::string_view text, int low, int high);

// Nine decimal digits.
std::string ParseIdentityValue(std::string_view text);

// distress, all-ships, area, group, individual, semi-auto, or 102, 112,
// 114, 116, 120, 123.
int ParseFormatValue(std::string_view text);

// routine, safety, urgency, distress, or 100, 108, 110, 112.
int ParseCategoryValue(std::string_view text);

// 100..112, or a word: fire, flooding, collision, grounding, listing,
// sinking, adrift, undesignated, abandoning, piracy, mob, epirb.
int ParseNatureValue(std::string_view text);

// req, ack, other, or 117, 122, 127.
int ParseEndOfSequenceValue(std::string_view text);

// "2182" or "8414.5" (kHz, at most one decimal), "ch1234" (MF/HF channel),
// "vhf16" (VHF channel).
DscFrequency ParseFrequencyValue(std::string_view text);

// "N35-41,E139-45" (degrees-minutes; spaces around the comma allowed), or
// "unknown" (nullopt).
std::optional<DscPosition> ParsePositionValue(std::string_view text);

// "N35E139-N30E149": the reference corner, then the far corner southward
// and eastward of it, whole degrees.
DscArea ParseAreaValue(std::string_view text);

// "HH:MM", or "unknown" (nullopt).
std::optional<DscTime> ParseTimeValue(std::string_view text);

// "1234,5678": four decimals of the latitude minutes, four of the longitude.
DscEnhancedPosition ParseEnhancementValue(std::string_view text);

// One or more decimal digits.
std::string ParseTelephoneNumberValue(std::string_view text);

// Comma-separated symbols, each 0..127; at least one.
std::vector<int> ParseSymbolListValue(std::string_view text);

}  // namespace tolvik
