#pragma once

#include <span>
#include <string>
#include <vector>

#include "audio/HeadlessHost.h"
#include "audio/Receiver.h"
#include "base/CaptureBlock.h"
#include "list/ReceiveListObserver.h"

namespace tolvik::testing {

// A whole receiver that shows nothing, fed one continuous input of 48 kHz
// mono samples (16-bit units) cut into capture buffers exactly as a
// recording is. Keeps every row it writes, in the order written.
class RowCollector final : private HeadlessHost,
                           private StatusTextSink,
                           private TimeOfDayClock,
                           private ReceiveListObserver {
 public:
  explicit RowCollector(const AppSettings& settings)
      : settings_(settings), receiver_(settings_, {*this, *this, *this, *this}) {
    receiver_.List().SetObserver(this);
    pending_.reserve(kFramesPerBlock);
  }

  explicit RowCollector(bool vhf) : RowCollector(SettingsFor(vhf)) {}

  void Feed(std::span<const double> samples) {
    for (double sample : samples) {
      pending_.push_back(sample);
      if (pending_.size() == kFramesPerBlock) {
        FlushBlock();
      }
    }
  }

  // The end of the input: the last block padded with silence, and a call
  // that waits only for its look-ahead handed on.
  void Finish() {
    if (!pending_.empty()) {
      FlushBlock();
    }
    receiver_.FinishInput();
  }

  const std::vector<ReceiveEntry>& Rows() const { return rows_; }

 private:
  static AppSettings SettingsFor(bool vhf) {
    AppSettings settings;
    settings.DecVHF = vhf;
    return settings;
  }

  void FlushBlock() {
    FillCaptureBlock(pending_, buffer_);
    receiver_.ProcessBlock(CaptureBuffer(buffer_));
    pending_.clear();
  }

  void ShowStatusText(StatusPanel, const std::string&) override {}
  TimeOfDay Now() const override { return {12, 0, 0, 0}; }
  void RowWritten(int, const ReceiveEntry& entry, DistressKind) override { rows_.push_back(entry); }

  AppSettings settings_;            // read live by the receiver
  Receiver receiver_;               // the whole decoder
  std::vector<double> pending_;     // samples of the block being gathered
  CaptureBlock buffer_{};           // that block as a sound card delivers it
  std::vector<ReceiveEntry> rows_;  // every row written, oldest first
};

// All of `samples` through a fresh receiver with these settings.
inline std::vector<ReceiveEntry> DecodeRows(std::span<const double> samples,
                                            const AppSettings& settings) {
  RowCollector collector(settings);
  collector.Feed(samples);
  collector.Finish();
  return collector.Rows();
}

}  // namespace tolvik::testing
