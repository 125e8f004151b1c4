#pragma once

#include "dsc/DscCall.h"

namespace tolvik {

// Whether a call's stored length (format specifier twice up to and including
// the end of sequence) is one its format has: individual, group and area
// calls 22, or 29 when they relay a distress alert; distress alerts 17; all
// ships calls 17, or 24 for a distress acknowledgement or relay; semi-
// automatic calls 23 to 40, as the telephone number takes.
bool CallLengthFitsFormat(const SymbolSequence& primary);

}  // namespace tolvik
