#pragma once

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "audio/device/CaptureControl.h"
#include "audio/device/CaptureConverter.h"
#include "audio/device/CaptureRing.h"
#include "audio/device/DeviceErrorSink.h"
#include "base/CaptureBlock.h"

class QAudioSource;
class QIODevice;

namespace tolvik {

// Live capture through Qt Multimedia in push mode. Qt hands the audio over
// in pieces of any size on the main thread; they are gathered into the
// CaptureRing (converted first when the device cannot give 48000 Hz, 16-bit
// stereo itself), and every buffer that fills becomes one queued call of the
// block handler on the main thread, in order. The call is queued rather than
// made on the spot so that the sound system's notification returns at once
// and blocks are processed one at a time from the event loop, also while a
// modal dialog runs its own.
//
// A device that goes away while capturing (unplugged, its server module
// unloaded, the sound server restarted) is noticed within about a second
// and named in a status text; the same device is then asked for again every
// two seconds, from a fresh device list, until it opens. Nothing of this
// blocks: the checks run on timers of the main thread between blocks.
class CaptureDevice final : public QObject, public CaptureControl {
 public:
  using BlockHandler = std::function<void(CaptureBuffer)>;

  // Takes the list of capture devices once, now.
  CaptureDevice(DeviceErrorSink& errors, BlockHandler on_block);
  ~CaptureDevice() override;

  // CaptureControl
  std::vector<std::string> DeviceNames() const override;
  bool OpenCapture(int input_device_index) override;
  bool CloseCapture() override;
  bool IsCaptureOpen() const override { return source_ != nullptr; }

  // Capture was open and its device went away; it is being asked for again.
  bool IsDeviceLost() const { return retry_timer_.isActive(); }

  void FeedCaptured(std::span<const std::byte> bytes) override;

  // Blocks completed and not yet processed.
  int BlocksWaiting() const { return ring_.CompletedCount(); }
  const CaptureRing& Ring() const { return ring_; }

 private:
  static constexpr std::size_t kReadChunkBytes = 19200;

  // How often an open stream is looked at, and how often a lost device is
  // asked for again.
  static constexpr int kWatchIntervalMs = 500;
  static constexpr int kRetryIntervalMs = 2000;
  // A stream that delivers nothing for this long has stopped. Qt delivers
  // every 50 ms while a source runs; the first buffer after opening took up
  // to 2 s on a server without norewinds, so 3 s cannot be a slow start.
  static constexpr qint64 kSilentStreamMs = 3000;
  // Qt 6.4 connects again once, about 3 s after its sound server went away;
  // a device still listed that fails to open for longer than this means the
  // server was not back by then, and Qt will not try again.
  static constexpr qint64 kServerGoneMs = 3500;

  enum class StreamStart { Running, NotOpened, Faulty };

  std::optional<QAudioDevice> DeviceOf(int input_device_index) const;
  StreamStart StartStream(const QAudioDevice& device);
  void StopStream();
  void WatchStream();
  bool ServerEndedStream() const;
  bool DeviceLeftOrFellSilent() const;
  void DeviceLost();
  void RetryLostDevice();
  void ReadAvailable();
  void Gather(std::span<const std::byte> bytes);
  void ProcessNextBlock(std::uint64_t generation);

  DeviceErrorSink& errors_;
  BlockHandler on_block_;
  QList<QAudioDevice> devices_;  // as found at start-up
  CaptureRing ring_;
  std::unique_ptr<QAudioSource> source_;  // null while closed
  // The source's push-mode stream. Qt deletes it itself when the server
  // ends the stream, hence the guard.
  QPointer<QIODevice> io_;
  std::optional<CaptureConverter> converter_;  // when the device needs converting
  std::vector<std::byte> read_buffer_;         // one read from the stream
  std::uint64_t generation_ = 0;               // counts closes: stale calls are dropped
  int open_index_ = 0;                         // the InputDeviceIndex capture runs for
  QAudioDevice open_device_;                   // the device the stream reads
  QTimer watch_timer_;                         // runs while a stream is open
  QTimer retry_timer_;                         // runs while the device is lost
  QElapsedTimer since_data_;                   // since the stream last delivered
  QElapsedTimer since_lost_;                   // since the device went away
  std::string lost_description_;               // the device gone, as the user knows it
  bool told_server_gone_ = false;
};

}  // namespace tolvik
