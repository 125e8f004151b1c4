#include "dsc/MmsiText.h"

#include "dsc/FieldDigits.h"
#include "dsc/FieldTexts.h"

namespace tolvik {

std::string FormatMmsi(const SymbolSequence& sequence, int start) {
  const auto digits = FieldDigits<kMmsiCharacters>(sequence, start);
  if (!digits) {
    return std::string(kNotAvailableText);
  }
  std::string text;
  text.reserve(kIdentityDigits);
  for (int i = 0; i < kIdentityDigits; ++i) {
    text.push_back(static_cast<char>('0' + (*digits)[i]));
  }
  return text;
}

}  // namespace tolvik
