#pragma once

#include "audio/PipelineHost.h"
#include "list/AlertHost.h"

namespace tolvik {

// What a receiver without windows, devices or sound gives it: no monitor
// output, no displays, no lamp, and alerts that are rows like any other.
// The command-line decoder, the benchmarks and the tests start from it and
// override only what they watch.
class HeadlessHost : public PipelineHost, public AlertHost {
 public:
  // PipelineHost
  void WriteMonitorBlock(MonitorFrames) override {}
  bool IsEyePatternShowing() const override { return false; }
  void RedrawEyePattern(const DemodulatorTraces&) override {}
  void UpdateSpectrumStrip(const DemodulatorTraces&) override {}
  void SetReceiveLamp(bool) override {}

  // AlertHost
  bool IsSignallingAlert() const override { return false; }
  void PlayAlertSound() override {}
  void LoadEntry(int, DistressKind) override {}
  bool IsDialogShowing() const override { return false; }
  void ShowDialog() override {}
};

}  // namespace tolvik
