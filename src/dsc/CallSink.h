#pragma once

#include "dsc/CallTexts.h"

namespace tolvik {

// Receives each completed call's texts: the receive list in the program,
// a recorder in tests.
class CallSink {
 public:
  virtual ~CallSink() = default;
  virtual void AddReceiveEntry(const CallTexts& call) = 0;
};

}  // namespace tolvik
