#pragma once

#include <string_view>

namespace tolvik {

// What a formatter shows for a field whose characters are out of range.
inline constexpr std::string_view kNotAvailableText = "N/A";

}  // namespace tolvik
