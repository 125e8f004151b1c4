#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "audio/CallObserver.h"
#include "audio/HeadlessHost.h"
#include "audio/Receiver.h"
#include "base/CaptureBlock.h"
#include "dsc/ReceptionObserver.h"
#include "list/ReceiveListObserver.h"

namespace tolvik {

// One row the receiver wrote, with when it was written.
struct BenchRow {
  ReceiveEntry Entry;
  DistressKind Kind = DistressKind::None;
  double OffsetS = 0.0;  // input seconds up to the end of the block that completed the call
};

// How often the decoder found phasing and how often a reception ended in
// each way; the error counts are those of the status texts shown.
struct StatusCounts {
  std::int64_t Receiving = 0;  // phasing found: "Receiving data..."
  std::int64_t Parity = 0;     // ReceptionEnd::ParityError, "Parity error..."
  std::int64_t Data = 0;       // ReceptionEnd::DataError, "Data error..."
  std::int64_t DataSize = 0;   // ReceptionEnd::DataSizeError, "Data size error..."
  std::int64_t Format = 0;     // ReceptionEnd::FormatError, "DSC format error..."
  std::int64_t Completed = 0;  // ReceptionEnd::Completed: a call handed on
};

// A whole receiver fed from 48 kHz mono samples of any length, piece by
// piece, as one continuous input: the samples are cut into capture buffers
// (16-bit, left channel) exactly as a recording would be. Collects every row
// and counts how the receptions end. Shows nothing and plays nothing; every call
// makes a row of its own (no overwriting, no dropping of empty calls). Its
// clock starts at 12:00:00 and follows the input, so rows carry the time at
// which they were written into the input.
class StreamDecoder final : private ReceiveListObserver,
                            private ReceptionObserver,
                            private StatusTextSink,
                            private HeadlessHost,
                            private TimeOfDayClock {
 public:
  // `auto_frequency` is the HF frequency correction taken at phasing;
  // `enhanced` is DecENH, the enhanced decoder making the HF rows.
  explicit StreamDecoder(bool vhf, bool auto_frequency = true, bool enhanced = false);
  StreamDecoder(const StreamDecoder&) = delete;
  StreamDecoder& operator=(const StreamDecoder&) = delete;

  // Appends samples (16-bit units, rounded and clipped here) to the input.
  void Feed(std::span<const double> samples);

  // Pads the last block with silence and hands on a call that waits only
  // for its look-ahead.
  void Finish();

  // Deletes rows older than `ten_minute_steps` x 10 minutes of input, as an
  // unattended receiver with "Delete time passed data" does, so that the
  // list stays bounded over a long run.
  void AgeRowsOlderThan(int ten_minute_steps);

  // The outputs' observer (nullptr: none), told of every row on the decoding
  // thread, as tolvik-decode's NMEA and log outputs are.
  void SetCallObserver(CallObserver* observer) { receiver_.SetCallObserver(observer); }

  const std::vector<BenchRow>& Rows() const { return rows_; }
  // The rows collected since the last call, handed over and forgotten here,
  // so that a long run keeps only what it has not looked at yet.
  std::vector<BenchRow> TakeRows();
  // Rows in the receiver's list now.
  int ListRows() const { return receiver_.List().Count(); }
  const StatusCounts& Statuses() const { return statuses_; }
  double SecondsFed() const { return static_cast<double>(samples_fed_) / kCaptureRateHz; }

 private:
  void ProcessPendingBlock();

  // ReceiveListObserver
  void RowWritten(int row, const ReceiveEntry& entry, DistressKind kind) override;
  // ReceptionObserver
  void ReceptionStarted() override { ++statuses_.Receiving; }
  void ReceptionEnded(ReceptionEnd end) override;
  // StatusTextSink: the enhanced decoder's receptions are counted from its
  // texts, since only the standard chain reports to a ReceptionObserver.
  void ShowStatusText(StatusPanel panel, const std::string& text) override;
  // TimeOfDayClock: 12:00:00 plus the input fed so far; the Time column is
  // not compared
  TimeOfDay Now() const override;

  AppSettings settings_;                           // the decoder's settings, read live
  Receiver receiver_;                              // the whole decoder
  std::array<double, kFramesPerBlock> pending_{};  // samples of the block being gathered
  std::size_t frames_pending_ = 0;                 // how many of them are filled
  CaptureBlock buffer_{};                          // the block as a sound card delivers it
  std::uint64_t samples_fed_ = 0;                  // input samples taken in
  std::vector<BenchRow> rows_;                     // every row written, oldest first
  StatusCounts statuses_;                          // receptions by how they ended
};

}  // namespace tolvik
