#include "dsc/DscSymbolCode.h"

#include <stdexcept>

#include "dsc/DscSymbols.h"

namespace tolvik {

SymbolBitArray SymbolBits(int value) {
  if (!IsSymbolValue(value)) {
    throw std::out_of_range("DSC symbol value out of range 0..127");
  }
  SymbolBitArray bits{};
  int zeros = 0;
  for (int i = 0; i < kInformationBits; ++i) {
    bits[i] = static_cast<std::uint8_t>((value >> i) & 1);
    zeros += 1 - bits[i];
  }
  for (int i = 0; i < kCheckBits; ++i) {
    bits[kInformationBits + i] = static_cast<std::uint8_t>((zeros >> (kCheckBits - 1 - i)) & 1);
  }
  return bits;
}

SymbolBitArray DamagedSymbolBits(int value) {
  SymbolBitArray bits = SymbolBits(value);
  bits[kBitsPerSymbol - 1] ^= 1;  // the zero count is then off by one
  return bits;
}

}  // namespace tolvik
