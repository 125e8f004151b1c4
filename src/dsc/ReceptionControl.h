#pragma once

namespace tolvik {

// Lets the call assembler end a reception: the synchroniser returns to its
// phasing search and the HF centre goes back to the user's setting.
class ReceptionControl {
 public:
  virtual ~ReceptionControl() = default;
  virtual void StopReception() = 0;
};

}  // namespace tolvik
