#pragma once

#include <cstdint>
#include <span>

#include "base/BlockFormat.h"
#include "demod/DemodulatorTraces.h"

namespace tolvik {

// One block of monitor audio: interleaved 16-bit stereo frames.
using MonitorFrames = std::span<const std::int16_t, kFramesPerBlock * kChannelsPerFrame>;

// What the block pipeline drives outside the core after each block: the
// monitor output, the two signal displays and the receive lamp. The desktop
// program implements it with its devices and widgets; headless hosts leave
// most of it empty.
class PipelineHost {
 public:
  virtual ~PipelineHost() = default;

  // Submits one block to the monitor output. Must do nothing when the
  // output device is not open.
  virtual void WriteMonitorBlock(MonitorFrames frames) = 0;

  virtual bool IsEyePatternShowing() const = 0;
  virtual void RedrawEyePattern(const DemodulatorTraces& traces) = 0;
  virtual void UpdateSpectrumStrip(const DemodulatorTraces& traces) = 0;

  // Green while phasing is held (a call is being received), black otherwise.
  virtual void SetReceiveLamp(bool phased) = 0;
};

}  // namespace tolvik
