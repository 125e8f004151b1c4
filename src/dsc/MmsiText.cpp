#include "dsc/MmsiText.h"

#include "dsc/FieldDigits.h"
#include "dsc/FieldTexts.h"

namespace tolvik {

namespace {
constexpr int kShownDigits = 9;
}  // namespace

std::string FormatMmsi(const SymbolSequence& sequence, int start) {
  const auto digits = FieldDigits<kMmsiCharacters>(sequence, start);
  if (!digits) {
    return std::string(kNotAvailableText);
  }
  std::string text;
  text.reserve(kShownDigits);
  for (int i = 0; i < kShownDigits; ++i) {
    text.push_back(static_cast<char>('0' + (*digits)[i]));
  }
  return text;
}

}  // namespace tolvik
