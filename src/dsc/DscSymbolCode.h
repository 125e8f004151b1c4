#pragma once

#include <array>
#include <cstdint>

namespace tolvik {

// The ten-bit DSC code as it goes on air: seven information bits, least
// significant first, then three check bits, most significant first, that
// count the 0 bits among the seven. 125 is sent as 1,0,1,1,1,1,1,0,0,1.
// Inverting all ten bits of a valid code for v gives the valid code for
// 127 - v, which is what automatic polarity relies on.
inline constexpr int kBitsPerSymbol = 10;
inline constexpr int kInformationBits = 7;
inline constexpr int kCheckBits = kBitsPerSymbol - kInformationBits;

using SymbolBitArray = std::array<std::uint8_t, kBitsPerSymbol>;

// The ten bits of symbol value (0..127), first transmitted first.
// Throws std::out_of_range for any other value.
SymbolBitArray SymbolBits(int value);

// Ten bits that fail the check: the code for value with its last check bit
// flipped. Stands for a symbol damaged on the way.
SymbolBitArray DamagedSymbolBits(int value);

}  // namespace tolvik
