#pragma once

#include <string>

namespace tolvik {

// The three panels of the main window's status bar.
enum class StatusPanel {
  Decoder = 0,  // reception status: "Receiving data...", "Parity error...", ...
  Mode = 1,     // "HF DSC" or "VHF DSC"
  Clock = 2,    // "hh:mm:ss", advanced by the block pipeline
};

// Where the core writes its status texts. The desktop program shows them in
// its status bar; the command-line decoder prints them; tests record them.
class StatusTextSink {
 public:
  virtual ~StatusTextSink() = default;
  virtual void ShowStatusText(StatusPanel panel, const std::string& text) = 0;
};

}  // namespace tolvik
