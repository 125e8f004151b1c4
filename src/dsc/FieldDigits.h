#pragma once

#include <array>
#include <optional>

#include "dsc/DscCall.h"
#include "dsc/DscSymbols.h"

namespace tolvik {

// Whether the characters start .. start + count - 1 all lie inside the stored
// array. Field positions come from fixed call layouts, but a formatter never
// reads outside the array, whatever position it is handed.
constexpr bool FieldFits(int start, int count) {
  return start >= 0 && count >= 0 && start <= SymbolSequence::kCapacity - count;
}

// Writes the Count characters of a digit field from position start as two
// decimal digits each ("%02d" per character), most significant first.
// Empty when the field does not fit the array or a character is above 99
// (kLargestDigitPair): 100 and above are symbols with a meaning of their own.
template <int Count>
std::optional<std::array<int, 2 * Count>> FieldDigits(const SymbolSequence& sequence, int start) {
  if (!FieldFits(start, Count)) {
    return std::nullopt;
  }
  std::array<int, 2 * Count> digits{};
  for (int i = 0; i < Count; ++i) {
    const int character = sequence.Symbols[start + i];
    if (character > kLargestDigitPair) {
      return std::nullopt;
    }
    digits[2 * i] = character / 10;
    digits[2 * i + 1] = character % 10;
  }
  return digits;
}

}  // namespace tolvik
