#pragma once

#include <string>

namespace tolvik {

// The texts of the sound device failures the user is told about.
inline constexpr const char* kCannotOpenRecordingDevice = "Can not open the recoding device";
inline constexpr const char* kCannotGetBuffer = "Can not get the buffer";
inline constexpr const char* kCannotOpenPlayDevice = "Can not open the play device";

// Where the sound devices report a failure the user must see. The window
// side shows it in an error message box after the exclamation beep.
class DeviceErrorSink {
 public:
  virtual ~DeviceErrorSink() = default;
  virtual void ReportDeviceError(const std::string& text) = 0;
};

}  // namespace tolvik
