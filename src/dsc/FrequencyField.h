#pragma once

#include <string>

#include "dsc/DscCall.h"
#include "dsc/DscDigitFields.h"

namespace tolvik {

// Frequency codes: above 0 a frequency in kHz; 0 none or invalid;
// -(100000 + n) the MF/HF channel n; -(200000 + n) the VHF channel n.
inline constexpr double kHfChannelCodeBase = 100000.0;
inline constexpr double kVhfChannelCodeBase = 200000.0;

// Decodes the three characters from position start into a frequency code.
// 0 when a character is above 99 or the first digit is 4 to 8.
double DecodeFrequency(const SymbolSequence& sequence, int start);

// The text of a frequency field: "2182.0kHz" (first only),
// "Rx : 8414.5kHz , Tx : 8414.5kHz" (both), "Tx : 12577.0kHz" (second only),
// channels as "%dch" and "VHF %dch"; empty when both codes are 0.
std::string FormatFrequencies(double first, double second);

}  // namespace tolvik
