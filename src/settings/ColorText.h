#pragma once

#include <string>
#include <string_view>

#include "settings/AppSettings.h"

namespace tolvik {

// A colour in the settings file: six hexadecimal digits, blue pair first, then
// green, then red ("0000FF" is pure red, "FF0000" pure blue).

// Reads the first six characters as three pairs of digits. A character below
// 'A' counts as a decimal digit (its code minus '0'), any other as an
// upper-case letter (its code minus 'A', plus 10); each pair gives one byte,
// first digit * 16 + second digit, low eight bits kept. Characters missing
// from a shorter text count as '0' ("FF" is blue 0xFF0000); characters after
// the sixth are ignored. Lower-case letters go through the same letter rule,
// so they do not read as their upper-case digits.
ColorValue ParseColorText(std::string_view text);

// Six upper-case hexadecimal digits of the colour's low 24 bits.
std::string FormatColorText(ColorValue color);

}  // namespace tolvik
