#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "audio/HeadlessHost.h"
#include "audio/Receiver.h"
#include "base/CaptureBlock.h"
#include "list/ReceiveListObserver.h"

namespace tolvik {

// One row the receiver wrote, with when it was written.
struct DecodedRow {
  ReceiveEntry Entry;
  DistressKind Kind = DistressKind::None;
  double OffsetS = 0.0;  // input seconds up to the end of the block that completed the call
};

// How often each kind of decoder status text was shown.
struct StatusCounts {
  std::int64_t Receiving = 0;  // "Receiving data...", with or without the frequency error
  std::int64_t Parity = 0;     // "Parity error..."
  std::int64_t Data = 0;       // "Data error..."
  std::int64_t DataSize = 0;   // "Data size error..."
  std::int64_t Format = 0;     // "DSC format error..."
  std::int64_t Other = 0;      // any other non-empty text
};

// A whole receiver fed from 48 kHz mono samples of any length, piece by
// piece, as one continuous input: the samples are cut into capture buffers
// (16-bit, left channel) exactly as a recording would be. Collects every row
// and counts the status texts. Shows nothing and plays nothing; every call
// makes a row of its own (no overwriting, no dropping of empty calls).
class StreamDecoder final : private ReceiveListObserver,
                            private StatusTextSink,
                            private HeadlessHost,
                            private TimeOfDayClock {
 public:
  // `auto_frequency` is the HF frequency correction taken at phasing.
  explicit StreamDecoder(bool vhf, bool auto_frequency = true);
  StreamDecoder(const StreamDecoder&) = delete;
  StreamDecoder& operator=(const StreamDecoder&) = delete;

  // Appends samples (16-bit units, rounded and clipped here) to the input.
  void Feed(std::span<const double> samples);

  // Pads the last block with silence and hands on a call that waits only
  // for its look-ahead.
  void Finish();

  const std::vector<DecodedRow>& Rows() const { return rows_; }
  const StatusCounts& Statuses() const { return statuses_; }
  double SecondsFed() const { return static_cast<double>(samples_fed_) / kCaptureRateHz; }

 private:
  void ProcessPendingBlock();

  // ReceiveListObserver
  void RowWritten(int row, const ReceiveEntry& entry, DistressKind kind) override;
  // StatusTextSink
  void ShowStatusText(StatusPanel panel, const std::string& text) override;
  // TimeOfDayClock: a fixed time, the Time column is not compared
  TimeOfDay Now() const override { return {12, 0, 0, 0}; }

  AppSettings settings_;                           // the decoder's settings, read live
  Receiver receiver_;                              // the whole decoder
  std::array<double, kFramesPerBlock> pending_{};  // samples of the block being gathered
  std::size_t frames_pending_ = 0;                 // how many of them are filled
  CaptureBlock buffer_{};                          // the block as a sound card delivers it
  std::uint64_t samples_fed_ = 0;                  // input samples taken in
  std::vector<DecodedRow> rows_;                   // every row written, oldest first
  StatusCounts statuses_;                          // decoder status texts by kind
};

}  // namespace tolvik
