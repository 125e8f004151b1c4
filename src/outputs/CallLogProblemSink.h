#pragma once

#include <string>

namespace tolvik {

// Where a call log says that it cannot write, and that it writes again.
// The desktop program shows the message in a status panel, tolvik-decode
// on standard error. Told on the decoding thread: must not block.
class CallLogProblemSink {
 public:
  virtual ~CallLogProblemSink() = default;
  // Names the folder or file and says why; told once until a row is
  // written again.
  virtual void ReportCallLogProblem(const std::string& message) = 0;
  // A row was written after a problem had been reported.
  virtual void CallLogWritingAgain() {}
};

}  // namespace tolvik
