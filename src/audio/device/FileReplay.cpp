#include "audio/device/FileReplay.h"

#include "audio/device/CaptureControl.h"

namespace tolvik {

FileReplay::FileReplay(CaptureControl& capture, std::function<void()> finished)
    : capture_(capture), finished_(std::move(finished)) {
  tick_.setInterval(kTickMs);
  QObject::connect(&tick_, &QTimer::timeout, this, &FileReplay::HandOverDueBlocks);
}

void FileReplay::Start(const std::filesystem::path& file) {
  auto source = std::make_unique<SoundFileSource>(file);  // throws before anything changes
  Stop();
  source_ = std::move(source);
  reader_ = std::make_unique<InputBlockReader>(*source_);
  clock_.start();
  tick_.start();
}

void FileReplay::Stop() {
  tick_.stop();
  reader_.reset();
  source_.reset();
}

void FileReplay::HandOverDueBlocks() {
  // Blocks fall due by the wall clock, not by the ticks, so the replay keeps
  // to real time however late a tick comes.
  const auto due = static_cast<std::uint64_t>(clock_.elapsed() / kBlockMs) + 1;
  while (reader_ != nullptr && reader_->BlocksRead() < due) {
    if (!reader_->NextBlock(block_)) {
      Stop();
      finished_();
      return;
    }
    capture_.FeedCaptured(block_);
  }
}

}  // namespace tolvik
