#pragma once

namespace tolvik {

// Why a reception ended, or what became of the call it carried. The status
// texts ("Parity error...", ...) are the user's view of these; the decoder
// itself deals only in them.
enum class ReceptionEnd {
  ParityError,    // the check character of the call did not match
  DataError,      // both copies of a character failed their ten-bit check
  DataSizeError,  // a sequence reached 128 characters
  FormatError,    // a checked call whose format specifier is not accepted: no row
  Completed,      // a checked call was interpreted and handed on
  Abandoned,      // the mode switch dropped the reception, without a message
  EndOfInput,     // the input ended while a checked call waited; it was handed on first
};

}  // namespace tolvik
