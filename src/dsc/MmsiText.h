#pragma once

#include <string>

#include "dsc/DscCall.h"
#include "dsc/DscDigitFields.h"

namespace tolvik {

// The nine-digit identity held by the five characters from position start,
// or "N/A" when any of them is above 99. The tenth digit is always 0 in a
// call and is not shown.
std::string FormatMmsi(const SymbolSequence& sequence, int start);

}  // namespace tolvik
