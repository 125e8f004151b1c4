#pragma once

#include <QObject>
#include <QTimer>

#include <memory>

#include "audio/device/DeviceErrorSink.h"
#include "audio/device/MonitorControl.h"
#include "audio/device/MonitorRing.h"

class QAudioSink;
class QIODevice;

namespace tolvik {

// Monitor playback through Qt Multimedia in push mode on the system's
// default output. Blocks go into the MonitorRing and from there into the
// output as fast as it has room; a short timer keeps topping it up while
// blocks wait.
class MonitorOutput final : public QObject, public MonitorControl {
 public:
  explicit MonitorOutput(DeviceErrorSink& errors);
  ~MonitorOutput() override;

  bool OpenMonitor() override;
  void CloseMonitor() override;
  void WriteMonitorBlock(MonitorFrames frames) override;
  void WriteSilenceBlock() override;
  bool IsMonitorOpen() const override { return sink_ != nullptr; }

  const MonitorRing& Ring() const { return ring_; }

 private:
  static constexpr int kTopUpIntervalMs = 20;

  void TopUp();

  DeviceErrorSink& errors_;
  MonitorRing ring_;
  std::unique_ptr<QAudioSink> sink_;  // null while closed
  QIODevice* io_ = nullptr;           // the sink's push-mode stream
  QTimer top_up_timer_;               // runs while blocks wait
};

}  // namespace tolvik
