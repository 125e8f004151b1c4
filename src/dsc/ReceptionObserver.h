#pragma once

#include "dsc/ReceptionEnd.h"

namespace tolvik {

// Told when a decoder channel starts and ends receiving a call.
//
// Every reception that starts ends with one report: ParityError, DataError,
// DataSizeError, Abandoned or EndOfInput, or, when it ends with its call,
// Completed or FormatError. A reception whose checked call still waits for
// its look-ahead or for the rest of an expansion sequence when a data error,
// a data size error or the end of the input ends it hands that call on
// first: Completed or FormatError is reported just before the reason.
// Completed comes just before the call reaches the CallSink.
class ReceptionObserver {
 public:
  virtual ~ReceptionObserver() = default;
  // Phasing was found: a reception starts.
  virtual void ReceptionStarted() = 0;
  virtual void ReceptionEnded(ReceptionEnd end) = 0;
};

}  // namespace tolvik
