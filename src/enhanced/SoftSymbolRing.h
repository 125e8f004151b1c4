#pragma once

#include <array>
#include <optional>

#include "enhanced/CodewordMetrics.h"
#include "enhanced/EnhancedParameters.h"

namespace tolvik {

// The last symbols of a reception, clocked in bit by bit along the phasing
// timeline, with one or more values kept per bit (the soft bit, and what
// else a decoder weighs it by). Characters come as DX/RX pairs: the RX copy
// sits at odd symbol times from 17 on, five symbol periods after the DX
// copy of the same character, so a character is complete when such an RX
// symbol is.
template <int Values>
class SoftSymbolRing {
 public:
  using BitValues = std::array<double, Values>;

  // A new reception whose first clocked bit belongs to `symbol_time`.
  void Start(int symbol_time) {
    symbol_time_ = symbol_time;
    bit_in_symbol_ = 0;
  }

  // Stores the next bit's values. Returns the symbol time of the RX copy
  // this bit completed when that completes a character, nothing otherwise.
  std::optional<int> Push(const BitValues& bit) {
    for (int value = 0; value < Values; ++value) {
      symbols_[value][symbol_time_ % kSlots][bit_in_symbol_] = bit[value];
    }
    if (++bit_in_symbol_ < kBitsPerSymbol) {
      return std::nullopt;
    }
    bit_in_symbol_ = 0;
    const int completed = symbol_time_++;
    if (completed >= kFirstRxCharacterSymbol && (completed - kFirstRxCharacterSymbol) % 2 == 0) {
      return completed;
    }
    return std::nullopt;
  }

  // The character's copies of value `value`, by the RX copy's symbol time.
  const SymbolSoftBits& Dx(int rx_symbol, int value = 0) const {
    return symbols_[value][(rx_symbol - kRxDelaySymbols) % kSlots];
  }
  const SymbolSoftBits& Rx(int rx_symbol, int value = 0) const {
    return symbols_[value][rx_symbol % kSlots];
  }

 private:
  static constexpr int kSlots = 8;  // more than the DX-RX distance
  static_assert(kSlots > kRxDelaySymbols);

  std::array<std::array<SymbolSoftBits, kSlots>, Values> symbols_{};  // by value, symbol time
  int symbol_time_ = 0;  // of the symbol being read, in the phasing timeline
  int bit_in_symbol_ = 0;
};

}  // namespace tolvik
