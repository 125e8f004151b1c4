#pragma once

#include <string>

#include "dsc/DscCall.h"

namespace tolvik {

// The telephone number of a semi-automatic call: the indicator at position
// start (105 for an odd count of digits, 106 for an even count) and the
// characters after it; length counts the characters from the indicator up to
// the end-of-sequence symbol, that symbol excluded. "N/A" for another
// indicator or a digit character above 99. With a length of 1 or less no
// character is checked, yet the one after the indicator is still written
// (possibly the end-of-sequence symbol itself, of whose three-digit form the
// second digit is kept for 105 and the first two for 106). Characters past the
// end of the stored array are never read: the number stops at its last one.
std::string FormatNumber(const SymbolSequence& sequence, int start, int length);

}  // namespace tolvik
