#pragma once

namespace tolvik {

// The digit fields of a DSC call: how many characters each takes (two
// decimal digits per character) and what their digits mean.

// Station identity: ten digits, nine of them the identity, the tenth 0.
inline constexpr int kMmsiCharacters = 5;
inline constexpr int kIdentityDigits = 9;

// Position: quadrant digit, latitude degrees and minutes (2 + 2 digits),
// longitude degrees and minutes (3 + 2 digits). All pairs 99: unknown.
inline constexpr int kPositionCharacters = 5;
inline constexpr int kUnknownPositionPair = 99;

// Geographic area: quadrant digit, reference corner latitude (2 digits) and
// longitude (3 digits) in whole degrees, then its extent southward (2
// digits) and eastward (2 digits) in degrees.
inline constexpr int kAreaCharacters = 5;

// Quadrant digit of a position or an area.
inline constexpr int kQuadrantNorthEast = 0;
inline constexpr int kQuadrantNorthWest = 1;
inline constexpr int kQuadrantSouthEast = 2;
inline constexpr int kQuadrantSouthWest = 3;

// What the coordinate digits can hold.
inline constexpr int kLargestLatitudeDegrees = 90;
inline constexpr int kLargestLongitudeDegrees = 180;
inline constexpr int kLargestMinutes = 59;
inline constexpr int kLargestAreaExtentDegrees = 99;

// Time of day (UTC): hours and minutes. Both pairs 88: unknown.
inline constexpr int kTimeCharacters = 2;
inline constexpr int kUnknownTimePair = 88;
inline constexpr int kLargestHours = 23;

// One frequency of a frequency field: six digits. A first digit of 0 to 2
// makes them a frequency in units of 100 Hz; 3 an MF/HF channel number in
// the other five; 9 a VHF channel number in the last three (the two between
// are 0). The first character may instead be kPositionFollows (DscSymbols.h).
inline constexpr int kFrequencyCharacters = 3;
inline constexpr int kHighestFrequencyLeadDigit = 2;
inline constexpr int kMfHfChannelLeadDigit = 3;
inline constexpr int kVhfChannelLeadDigit = 9;
inline constexpr int kLargestFrequencyTenthsKhz = 299999;  // 29999.9 kHz
inline constexpr int kLargestMfHfChannel = 99999;
inline constexpr int kLargestVhfChannel = 999;

// Enhanced position (expansion sequence after kEnhancedPositionSpecifier):
// four characters, four more decimals of the latitude minutes, then four of
// the longitude minutes.
inline constexpr int kEnhancementCharacters = 4;
inline constexpr int kEnhancementDigitsPerCoordinate = 4;
inline constexpr int kLargestEnhancementDecimals = 9999;

}  // namespace tolvik
