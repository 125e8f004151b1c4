#pragma once

#include "audio/PipelineHost.h"

namespace tolvik {

// The monitor output as the main window sees it: opened once at start-up on
// the system's default output, fed one block per captured block while the
// Monitor button is down, closed at the end.
class MonitorControl {
 public:
  virtual ~MonitorControl() = default;

  // False (after telling the user) when the output cannot be opened.
  virtual bool OpenMonitor() = 0;
  virtual void CloseMonitor() = 0;

  // Queues one block for playing; does nothing while the output is not open.
  virtual void WriteMonitorBlock(MonitorFrames frames) = 0;

  // The block of silence that leads the monitored audio when the Monitor
  // button goes down.
  virtual void WriteSilenceBlock() = 0;

  virtual bool IsMonitorOpen() const = 0;
};

}  // namespace tolvik
