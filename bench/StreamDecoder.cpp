#include "StreamDecoder.h"

#include <algorithm>
#include <utility>

namespace tolvik {

namespace {

AppSettings HeadlessSettings(bool vhf, bool auto_frequency, bool enhanced) {
  AppSettings settings;
  settings.DecENH = enhanced;
  settings.DecVHF = vhf;
  settings.DecAFC = auto_frequency;
  settings.ShowSpec = false;
  // Every call makes a row of its own, so that each can be matched.
  settings.CheckAdd = false;
  settings.NoMsgAdd = false;
  settings.TimeDel = false;
  return settings;
}

constexpr std::uint64_t kClockStartS = 12 * 3600;
constexpr std::uint64_t kSecondsPerDay = 24 * 3600;

}  // namespace

StreamDecoder::StreamDecoder(bool vhf, bool auto_frequency, bool enhanced)
    : settings_(HeadlessSettings(vhf, auto_frequency, enhanced)),
      receiver_(settings_, {*this, *this, *this, *this, this}) {
  receiver_.List().SetObserver(this);
}

void StreamDecoder::AgeRowsOlderThan(int ten_minute_steps) {
  settings_.TimeDel = true;
  settings_.DelMin = ten_minute_steps;
}

std::vector<BenchRow> StreamDecoder::TakeRows() {
  std::vector<BenchRow> taken;
  taken.swap(rows_);
  return taken;
}

TimeOfDay StreamDecoder::Now() const {
  const std::uint64_t milliseconds = samples_fed_ * 1000 / kCaptureRateHz;
  const std::uint64_t seconds = (kClockStartS + milliseconds / 1000) % kSecondsPerDay;
  return {static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
          static_cast<int>(seconds % 60), static_cast<int>(milliseconds % 1000)};
}

void StreamDecoder::Feed(std::span<const double> samples) {
  for (const double sample : samples) {
    pending_[frames_pending_] = sample;
    ++samples_fed_;
    if (++frames_pending_ == kFramesPerBlock) {
      ProcessPendingBlock();
    }
  }
}

void StreamDecoder::Finish() {
  if (frames_pending_ > 0) {
    ProcessPendingBlock();  // the rest of the block is silence
  }
  receiver_.FinishInput();
}

void StreamDecoder::ProcessPendingBlock() {
  FillCaptureBlock(std::span<const double>(pending_).first(frames_pending_), buffer_);
  receiver_.ProcessBlock(CaptureBuffer(buffer_));
  frames_pending_ = 0;
}

void StreamDecoder::RowWritten(int, const ReceiveEntry& entry, DistressKind kind) {
  // The block that completed the call ends at the next block boundary.
  const std::uint64_t blocks = (samples_fed_ + kFramesPerBlock - 1) / kFramesPerBlock;
  rows_.push_back({entry, kind, static_cast<double>(blocks) * kFramesPerBlock / kCaptureRateHz});
}

void StreamDecoder::ReceptionEnded(ReceptionEnd end) {
  switch (end) {
    case ReceptionEnd::ParityError:
      ++statuses_.Parity;
      break;
    case ReceptionEnd::DataError:
      ++statuses_.Data;
      break;
    case ReceptionEnd::DataSizeError:
      ++statuses_.DataSize;
      break;
    case ReceptionEnd::FormatError:
      ++statuses_.Format;
      break;
    case ReceptionEnd::Completed:
      ++statuses_.Completed;
      break;
    case ReceptionEnd::Abandoned:
    case ReceptionEnd::EndOfInput:
      break;
  }
}

void StreamDecoder::ShowStatusText(StatusPanel panel, const std::string& text) {
  if (panel != StatusPanel::Decoder || !receiver_.EnhancedDecoding()) {
    return;
  }
  if (text.starts_with("Receiving data...")) {
    ++statuses_.Receiving;
  } else if (text == "Parity error...") {
    ++statuses_.Parity;
  } else if (text == "Data error...") {
    ++statuses_.Data;
  } else if (text == "Data size error...") {
    ++statuses_.DataSize;
  } else if (text == "DSC format error...") {
    ++statuses_.Format;
  }
}

}  // namespace tolvik
