#pragma once

#include <string>
#include <string_view>

namespace tolvik {

// `text` with every byte that does not belong to a well-formed UTF-8
// sequence replaced by U+FFFD. Texts from the air may hold any byte, and a
// log that a spreadsheet or a script opens as UTF-8 must not stop at one.
std::string ValidUtf8(std::string_view text);

}  // namespace tolvik
