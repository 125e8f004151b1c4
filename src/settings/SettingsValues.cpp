#include "settings/SettingsValues.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

namespace tolvik {
namespace {

constexpr int kDecimalBase = 10;
constexpr int kHexadecimalBase = 16;

// The most bytes a UTF-8 sequence may have after its lead byte.
constexpr std::size_t kMaxUtf8ContinuationBytes = 3;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsUtf8ContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool IsUtf8LeadByte(char c) {
  return static_cast<unsigned char>(c) >= 0xC0;
}

// The number base the digits are in, and the text with its base prefix removed.
int TakeBasePrefix(std::string_view& digits) {
  for (std::string_view prefix : {"0x", "0X", "$"}) {
    if (StartsWith(digits, prefix)) {
      digits.remove_prefix(prefix.size());
      return kHexadecimalBase;
    }
  }
  return kDecimalBase;
}

}  // namespace

std::optional<int> ParseIntegerText(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const int base = TakeBasePrefix(text);

  // Digits only from here: from_chars into an unsigned type takes no sign,
  // so "--5" or "0x-5" are refused as they should be.
  std::uint64_t magnitude = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, magnitude, base);
  if (text.empty() || error != std::errc{} || stop != end) {
    return std::nullopt;
  }

  const std::uint64_t largest_positive = std::numeric_limits<int>::max();
  const std::uint64_t largest_negative = largest_positive + 1;
  if (magnitude > (negative ? largest_negative : largest_positive)) {
    return std::nullopt;
  }
  const auto value = static_cast<std::int64_t>(magnitude);
  return static_cast<int>(negative ? -value : value);
}

int ReadIntegerValue(const char* value, int fallback) {
  if (value == nullptr) {
    return fallback;
  }
  return ParseIntegerText(value).value_or(fallback);
}

bool ReadBooleanValue(const char* value, bool fallback) {
  if (value == nullptr) {
    return fallback;
  }
  const std::optional<int> number = ParseIntegerText(value);
  return number ? *number != 0 : fallback;
}

std::string ReadTextValue(const char* value, std::string_view fallback) {
  return CutSettingsText(value == nullptr ? fallback : std::string_view(value));
}

std::string CutSettingsText(std::string_view text) {
  if (text.size() <= kMaxSettingsTextLength) {
    return std::string(text);
  }
  // text[cut] is the first byte dropped. If it continues a UTF-8 sequence, step
  // back to that sequence's lead byte and drop the sequence whole. Text that
  // is not UTF-8 (no lead byte close enough) is cut at the limit.
  std::size_t cut = kMaxSettingsTextLength;
  for (std::size_t back = 0; back < kMaxUtf8ContinuationBytes; ++back) {
    if (!IsUtf8ContinuationByte(text[cut - back])) {
      break;
    }
    if (IsUtf8LeadByte(text[cut - back - 1])) {
      cut -= back + 1;
      break;
    }
  }
  return std::string(text.substr(0, cut));
}

std::string FormatBooleanValue(bool value) {
  return value ? "1" : "0";
}

std::string FormatTextValue(std::string_view text) {
  std::string single_line(text);
  for (char& c : single_line) {
    if (c == '\r' || c == '\n') {
      c = ' ';
    }
  }
  return single_line;
}

}  // namespace tolvik
