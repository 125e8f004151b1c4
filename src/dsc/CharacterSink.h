#pragma once

namespace tolvik {

// Receives what the symbol synchroniser finds once phasing is held: a reset
// at phasing, then one DX/RX symbol pair per character, and the news when
// the mode switch abandons the reception. The call assembler implements it;
// tests record the pairs.
class CharacterSink {
 public:
  virtual ~CharacterSink() = default;
  // A new reception starts: forget the previous call's state.
  virtual void Reset() = 0;
  // The DX-position copy of a character and its RX-position repetition,
  // each 0..127, or -1 when that copy failed its ten-bit check.
  virtual void CharacterStep(int dx, int rx) = 0;
  // The reception is dropped without a message: forget the call being
  // assembled, hand nothing on. Also comes while no reception is open.
  virtual void Abandon() = 0;
};

}  // namespace tolvik
