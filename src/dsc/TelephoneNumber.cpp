#include "dsc/TelephoneNumber.h"

#include <algorithm>
#include <cstdio>

#include "dsc/FieldDigits.h"
#include "dsc/FieldTexts.h"

namespace tolvik {

namespace {

std::string TwoDigitForm(int character) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", character);
  return text;
}

}  // namespace

std::string FormatNumber(const SymbolSequence& sequence, int start, int length) {
  // The indicator and the character after it are always read.
  if (!FieldFits(start, 2)) {
    return std::string(kNotAvailableText);
  }
  const int indicator = sequence.Symbols[start];
  if (indicator != kOddDigitCountIndicator && indicator != kEvenDigitCountIndicator) {
    return std::string(kNotAvailableText);
  }
  // Clamping the length first keeps the sum from overflowing.
  const int bounded_length = std::clamp(length, 0, SymbolSequence::kCapacity);
  const int last = std::min(start + bounded_length - 1, SymbolSequence::kCapacity - 1);
  for (int i = start + 1; i <= last; ++i) {
    if (sequence.Symbols[i] > kLargestDigitPair) {
      return std::string(kNotAvailableText);
    }
  }
  const std::string first = TwoDigitForm(sequence.Symbols[start + 1]);
  std::string text = indicator == kOddDigitCountIndicator ? first.substr(1, 1) : first.substr(0, 2);
  for (int i = start + 2; i <= last; ++i) {
    text += TwoDigitForm(sequence.Symbols[i]);
  }
  return text;
}

}  // namespace tolvik
