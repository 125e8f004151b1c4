#pragma once

#include <string_view>

namespace tolvik {

// Orders two list texts the way the list sorts them: as zero-terminated
// strings of unsigned bytes. The first differing byte decides, a text that is
// a prefix of the other comes first, and a text holding a NUL byte counts only
// up to it. Case matters ("Z" sorts before "a") and bytes above 127 sort after
// ASCII. Returns a negative number, zero or a positive number.
int CompareTexts(std::string_view left, std::string_view right);

}  // namespace tolvik
