#pragma once

#include <array>
#include <cstdint>

namespace tolvik {

// The characters of one received sequence, in the order they were stored.
struct SymbolSequence {
  static constexpr int kCapacity = 128;
  std::array<std::uint8_t, kCapacity> Symbols{};  // symbol values 0..127
  int Count = 0;                                  // stored characters, 0..128
};

// The call being received on one decoder channel. Primary holds the call
// from its first format specifier up to and including the end-of-sequence
// symbol (the check character is not stored); Expansion holds an expansion
// sequence received right after it, Count 0 when there was none. The arrays
// are not cleared between calls: positions past Count still hold characters
// of an earlier call.
struct DscCall {
  SymbolSequence Primary;
  SymbolSequence Expansion;
};

}  // namespace tolvik
