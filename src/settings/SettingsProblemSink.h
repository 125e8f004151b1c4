#pragma once

#include <string>

namespace tolvik {

// Told when the settings could not be written. The host shows the message (or
// ignores it); saving has already given up by then and the program goes on
// closing.
class SettingsProblemSink {
 public:
  virtual ~SettingsProblemSink() = default;

  // message names the settings file and says why it could not be written.
  virtual void ReportSettingsProblem(const std::string& message) = 0;
};

}  // namespace tolvik
