#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>

#include "audio/input/InputBlockReader.h"
#include "audio/input/SoundFileSource.h"
#include "base/CaptureBlock.h"

namespace tolvik {

class CaptureControl;

// Plays a recording into the capture path at real time: the same file input
// as the command-line decoder, cut into the same capture buffers, handed to
// the capture ring one block per 100 ms of wall-clock time, so the
// window decodes it exactly as it would the sound card's audio.
class FileReplay final : public QObject {
 public:
  // `finished` runs once the last block has been handed over.
  FileReplay(CaptureControl& capture, std::function<void()> finished);

  // Starts playing `file`; throws InputError (naming why) when it cannot be
  // read as audio. A replay already running is given up.
  void Start(const std::filesystem::path& file);
  void Stop();
  bool IsRunning() const { return reader_ != nullptr; }

 private:
  static constexpr int kTickMs = 20;  // pacing checks between blocks
  static constexpr int kBlockMs = 100;

  void HandOverDueBlocks();

  CaptureControl& capture_;
  std::function<void()> finished_;
  std::unique_ptr<SoundFileSource> source_;
  std::unique_ptr<InputBlockReader> reader_;  // null while no replay runs
  CaptureBlock block_{};
  QElapsedTimer clock_;  // since the start of the replay
  QTimer tick_;
};

}  // namespace tolvik
