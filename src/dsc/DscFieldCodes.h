#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "dsc/DscMessage.h"

namespace tolvik {

// Turns the fields of a call into DSC characters. Every field is a run of
// decimal digits sent two to a character (values 0..99). Each function
// throws std::invalid_argument for a value that cannot be sent.

using Characters = std::vector<std::uint8_t>;

// A nine-digit identity: five characters, the tenth digit 0.
std::array<std::uint8_t, kMmsiCharacters> IdentityCharacters(std::string_view identity);

// Quadrant, latitude (2 + 2 digits), longitude (3 + 2 digits); an unknown
// position goes out as 99 99 99 99 99.
std::array<std::uint8_t, kPositionCharacters> PositionCharacters(
    const std::optional<DscPosition>& position);

// Quadrant, corner latitude (2 digits) and longitude (3), extents (2 + 2).
std::array<std::uint8_t, kAreaCharacters> AreaCharacters(const DscArea& area);

// Hours and minutes; an unknown time goes out as 88 88.
std::array<std::uint8_t, kTimeCharacters> TimeCharacters(const std::optional<DscTime>& time);

// Six digits: a frequency in units of 100 Hz (first digit 0..2), 3 and an
// MF/HF channel number, or 9, 00 and a VHF channel number. nullopt gives
// 126 126 126.
std::array<std::uint8_t, kFrequencyCharacters> FrequencyCharacters(
    const std::optional<DscFrequency>& frequency);

// Indicator 105 (odd count of digits) or 106 (even), then the digits two to
// a character; with an odd count the first character holds one digit.
Characters TelephoneNumberCharacters(std::string_view digits);

// Expansion data specifier 100 and four characters: latitude then longitude
// decimals, two characters each.
std::array<std::uint8_t, 1 + kEnhancementCharacters> EnhancedPositionCharacters(
    const DscEnhancedPosition& enhancement);

}  // namespace tolvik
