#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "audio/CallObserver.h"

namespace tolvik {

// What an output records of a call beyond the call itself: when its row
// was written, and, when a recording is being decoded, where in it.
struct CallContext {
  std::string utc;                  // ISO 8601 with date and zone (IsoUtcText)
  std::optional<std::string> file;  // the input being decoded, "-" for standard input
  std::optional<double> offset_s;   // seconds of that input up to the end of the completing block
};

// One way of writing calls as lines of text (CSV, JSON lines), shared by
// the daily logs, tolvik-decode's printed rows and the MQTT messages.
class CallRecordFormat {
 public:
  virtual ~CallRecordFormat() = default;
  // The usual file name extension, without the dot: "csv", "jsonl".
  virtual std::string_view FileExtension() const = 0;
  // The line that opens a new file (CSV's column names); empty for none.
  virtual std::string HeaderLine() const = 0;
  // The call as one line, without a line end.
  virtual std::string Line(const WrittenCall& call, const CallContext& context) const = 0;
};

}  // namespace tolvik
