#pragma once

#include <initializer_list>

#include "dsc/DscCall.h"

namespace tolvik::test {

// Stores the given characters from position 0 on; Count is their number.
inline SymbolSequence Sequence(std::initializer_list<int> characters) {
  SymbolSequence sequence;
  for (const int character : characters) {
    sequence.Symbols[sequence.Count++] = static_cast<std::uint8_t>(character);
  }
  return sequence;
}

// A call with the given primary characters and no expansion sequence.
inline DscCall Call(std::initializer_list<int> primary) {
  DscCall call;
  call.Primary = Sequence(primary);
  return call;
}

}  // namespace tolvik::test
