#include "list/TextOrder.h"

#include <algorithm>
#include <cstddef>

namespace tolvik {

namespace {

// The part of a text a zero-terminated string would hold.
std::string_view UpToFirstNul(std::string_view text) {
  const std::size_t nul = text.find('\0');
  return nul == std::string_view::npos ? text : text.substr(0, nul);
}

}  // namespace

int CompareTexts(std::string_view left, std::string_view right) {
  left = UpToFirstNul(left);
  right = UpToFirstNul(right);
  const std::size_t common = std::min(left.size(), right.size());
  for (std::size_t i = 0; i < common; ++i) {
    // Plain char may be signed; bytes above 127 must sort after ASCII.
    const int left_byte = static_cast<unsigned char>(left[i]);
    const int right_byte = static_cast<unsigned char>(right[i]);
    if (left_byte != right_byte) {
      return left_byte - right_byte;
    }
  }
  if (left.size() == right.size()) {
    return 0;
  }
  return left.size() < right.size() ? -1 : 1;
}

}  // namespace tolvik
