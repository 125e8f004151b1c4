#pragma once

#include <string>

namespace tolvik {

// The texts of the sound device failures the user is told about.
inline constexpr const char* kCannotOpenRecordingDevice = "Can not open the recoding device";
inline constexpr const char* kCannotGetBuffer = "Can not get the buffer";
inline constexpr const char* kCannotOpenPlayDevice = "Can not open the play device";

// The status texts of a capture device that went away while running.
inline constexpr const char* kRecordingDeviceLost = "Recording device lost: ";
inline constexpr const char* kRecordingDeviceBack = "Recording device back: ";
inline constexpr const char* kSoundServerGone =
    " (the sound server does not answer; restart Tolvik if it was restarted)";

// Where the sound devices report a failure the user must see. The window
// side shows it in an error message box after the exclamation beep.
// A device that goes away while running, and its return, are told as a
// status text instead: that can happen many times in an unattended run, and
// a box per event would pile up in front of the list.
class DeviceErrorSink {
 public:
  virtual ~DeviceErrorSink() = default;
  virtual void ReportDeviceError(const std::string& text) = 0;
  virtual void ReportDeviceStatus(const std::string& text) = 0;
};

}  // namespace tolvik
