#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tolvik {

// How the values of the settings file are read and written: integers, booleans
// and texts. Colours have their own file (ColorText.h).

// Longest text value kept when reading, in bytes; anything beyond is cut off.
inline constexpr std::size_t kMaxSettingsTextLength = 2047;

// An integer in decimal ("42", "-1", "+7") or in hexadecimal after 0x, 0X or $
// ("0x1F", "$1f", "-$10"). Nothing else may stand in the text: no spaces, no
// trailing characters. Empty text, a prefix without digits or a value outside
// the range of int gives nothing.
std::optional<int> ParseIntegerText(std::string_view text);

// The typed readers take the raw value of a key, or nullptr when the key is
// missing, and fall back to the default on a missing or unreadable value.

// The integer the value holds, or fallback.
int ReadIntegerValue(const char* value, int fallback);

// An integer read as a boolean: 0 is false, any other integer (1, 2, -1) true;
// a value that is not an integer gives fallback.
bool ReadBooleanValue(const char* value, bool fallback);

// The text, cut at kMaxSettingsTextLength bytes, or fallback when missing.
std::string ReadTextValue(const char* value, std::string_view fallback);

// Cuts a text at kMaxSettingsTextLength bytes. When the cut would fall inside
// a UTF-8 sequence the whole sequence is dropped, so the result stays valid.
std::string CutSettingsText(std::string_view text);

// "1" or "0".
std::string FormatBooleanValue(bool value);

// The text as it is, but with every line break turned into a space: a line
// break in a value would end the line early and make the rest of the text
// read back as a key of its own.
std::string FormatTextValue(std::string_view text);

}  // namespace tolvik
