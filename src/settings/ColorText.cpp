#include "settings/ColorText.h"

#include <array>
#include <cstddef>

namespace tolvik {
namespace {

constexpr std::size_t kColorTextLength = 6;
constexpr std::size_t kBytesPerColor = 3;
constexpr int kBitsPerByte = 8;
constexpr int kBitsPerDigit = 4;
constexpr ColorValue kByteMask = 0xFF;
constexpr ColorValue kDigitMask = 0xF;
constexpr ColorValue kColorMask = 0xFFFFFF;

// The character a missing position of a short colour text stands for.
constexpr char kMissingDigit = '0';

// The digit value of one character. Characters are taken as unsigned codes,
// so bytes above 127 fall under the letter rule like any code above 'A'.
int DigitValue(char c) {
  const int code = static_cast<unsigned char>(c);
  return code < 'A' ? code - '0' : code - 'A' + 10;
}

char CharacterAt(std::string_view text, std::size_t index) {
  return index < text.size() ? text[index] : kMissingDigit;
}

}  // namespace

ColorValue ParseColorText(std::string_view text) {
  ColorValue color = 0;
  for (std::size_t pair = 0; pair < kBytesPerColor; ++pair) {
    const int high = DigitValue(CharacterAt(text, 2 * pair));
    const int low = DigitValue(CharacterAt(text, 2 * pair + 1));
    // A negative sum converts modulo 2^32, which keeps its low eight bits too.
    const auto byte = static_cast<ColorValue>(high * 16 + low) & kByteMask;
    color = (color << kBitsPerByte) | byte;
  }
  return color;
}

std::string FormatColorText(ColorValue color) {
  static constexpr std::array<char, 16> kHexDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                      '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
  color &= kColorMask;
  std::string text(kColorTextLength, '0');
  for (std::size_t index = kColorTextLength; index-- > 0;) {
    text[index] = kHexDigits[color & kDigitMask];
    color >>= kBitsPerDigit;
  }
  return text;
}

}  // namespace tolvik
