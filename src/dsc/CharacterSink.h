#pragma once

namespace tolvik {

// Receives what the symbol synchroniser finds once phasing is held: a reset
// at phasing, then one DX/RX symbol pair per character. The call assembler
// implements it; tests record the pairs.
class CharacterSink {
 public:
  virtual ~CharacterSink() = default;
  // A new reception starts: forget the previous call's state.
  virtual void Reset() = 0;
  // The DX-position copy of a character and its RX-position repetition,
  // each 0..127, or -1 when that copy failed its ten-bit check.
  virtual void CharacterStep(int dx, int rx) = 0;
};

}  // namespace tolvik
