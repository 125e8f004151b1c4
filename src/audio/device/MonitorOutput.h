#pragma once

#include <QElapsedTimer>
#include <QIODevice>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

#include "audio/device/DeviceErrorSink.h"
#include "audio/device/MonitorControl.h"
#include "audio/device/MonitorRing.h"

class QAudioSink;

namespace tolvik {

// Monitor playback through Qt Multimedia in push mode on the system's
// default output. Blocks go into the MonitorRing and from there into the
// output as fast as it has room; a short timer keeps topping it up while
// blocks wait. An output the sound server has ended (it died or was
// restarted) is opened again, quietly, at most every two seconds while
// blocks come.
class MonitorOutput final : public QObject, public MonitorControl {
 public:
  explicit MonitorOutput(DeviceErrorSink& errors);
  ~MonitorOutput() override;

  bool OpenMonitor() override;
  void CloseMonitor() override;
  void WriteMonitorBlock(MonitorFrames frames) override;
  void WriteSilenceBlock() override;
  // Also while an output the server ended waits to be opened again.
  bool IsMonitorOpen() const override { return open_; }

  const MonitorRing& Ring() const { return ring_; }

 private:
  static constexpr int kTopUpIntervalMs = 20;
  // Qt 6.4 reaches a restarted server again about 3 s after it died; a
  // retry every 2 s finds it soon after without opening streams per block.
  static constexpr qint64 kReopenIntervalMs = 2000;

  bool StartSink();
  bool SinkHasEnded() const;
  void ReopenEndedSink();
  void TopUp();

  DeviceErrorSink& errors_;
  MonitorRing ring_;
  bool open_ = false;                 // from a good OpenMonitor to CloseMonitor
  std::unique_ptr<QAudioSink> sink_;  // null while closed or being opened again
  // The sink's push-mode stream; Qt deletes it itself when the server ends
  // the stream, hence the guard.
  QPointer<QIODevice> io_;
  QElapsedTimer since_reopen_;  // since the ended output was last tried
  QTimer top_up_timer_;         // runs while blocks wait
};

}  // namespace tolvik
