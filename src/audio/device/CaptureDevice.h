#pragma once

#include <QAudioDevice>
#include <QList>
#include <QObject>

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

  void FeedCaptured(std::span<const std::byte> bytes) override;

  // Blocks completed and not yet processed.
  int BlocksWaiting() const { return ring_.CompletedCount(); }
  const CaptureRing& Ring() const { return ring_; }

 private:
  static constexpr std::size_t kReadChunkBytes = 19200;

  std::optional<QAudioDevice> DeviceOf(int input_device_index) const;
  void ReadAvailable();
  void Gather(std::span<const std::byte> bytes);
  void ProcessNextBlock(std::uint64_t generation);

  DeviceErrorSink& errors_;
  BlockHandler on_block_;
  QList<QAudioDevice> devices_;  // as found at start-up
  CaptureRing ring_;
  std::unique_ptr<QAudioSource> source_;       // null while closed
  QIODevice* io_ = nullptr;                    // the source's push-mode stream
  std::optional<CaptureConverter> converter_;  // when the device needs converting
  std::vector<std::byte> read_buffer_;         // one read from the stream
  std::uint64_t generation_ = 0;               // counts closes: stale calls are dropped
};

}  // namespace tolvik
