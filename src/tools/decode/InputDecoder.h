#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "audio/CallObserver.h"
#include "audio/HeadlessHost.h"
#include "base/StatusTextSink.h"
#include "base/TimeOfDayClock.h"
#include "base/UtcClock.h"
#include "decode/DecodeOptions.h"
#include "decode/RowPrinter.h"
#include "list/ReceiveListObserver.h"
#include "outputs/CallRecordFormat.h"

namespace tolvik {

// Runs one input after another through a fresh receiver each, printing
// every call the moment its row is written (aligned text, JSON or CSV).
// Headless: no displays, no monitor, no alert dialog or sound.
class InputDecoder final : private ReceiveListObserver,
                           private CallObserver,
                           private StatusTextSink,
                           private HeadlessHost {
 public:
  // `calls`, when given, is told of every row with its call's symbols (the
  // NMEA outputs, the log) after it is printed, and must outlive the decoder.
  InputDecoder(const DecodeOptions& options, std::FILE* out, std::FILE* err,
               CallObserver* calls = nullptr);

  // Decodes `name` ("-" for standard input). False, with a message on the
  // error stream, when it cannot be read.
  bool Decode(const std::string& name);

  // Where a row written now stands: the time, the input and the offset
  // into it that --json prints, for an output that sends the same object.
  CallContext RowContext() const;

 private:
  void DecodeBlocks(class SampleSource& source, const struct CentrePlan& centre);
  // The progress line for the input being decoded; null when none is shown
  // (not a terminal, --no-progress, a file shorter than a minute).
  std::unique_ptr<class ProgressIndicator> ProgressFor(const SampleSource& source) const;

  // The CSV header, before anything else on the output.
  void PrintHeaderOnce();
  // The row of `call` as the options ask: a line, or nothing for --nmea.
  void PrintRow(const WrittenCall& call);

  // ReceiveListObserver
  void RowWritten(int row, const ReceiveEntry& entry, DistressKind kind) override;
  // CallObserver
  void CallWritten(const WrittenCall& call) override;
  // StatusTextSink: channel 0's texts and the mode's
  void ShowStatusText(StatusPanel panel, const std::string& text) override;
  // A decoder text for --status, marked with its channel when both are
  // decoded.
  void PrintStatus(StatusPanel panel, const std::string& text, const char* channel);

  // Decoder channel 1's status texts.
  class RightChannelStatus final : public StatusTextSink {
   public:
    explicit RightChannelStatus(InputDecoder& decoder) : decoder_(decoder) {}
    void ShowStatusText(StatusPanel panel, const std::string& text) override {
      decoder_.PrintStatus(panel, text, "R");
    }

   private:
    InputDecoder& decoder_;
  };

  const DecodeOptions& options_;
  std::FILE* out_;
  std::FILE* err_;
  CallObserver* calls_;
  SystemTimeOfDayClock clock_;
  SystemUtcClock utc_clock_;                      // the rows' "utc"
  std::unique_ptr<CallRecordFormat> row_format_;  // --json or --csv; none for aligned text
  bool header_printed_ = false;
  std::string current_name_;                     // the input being decoded
  class ProgressIndicator* progress_ = nullptr;  // the progress line on screen, if any
  double offset_s_ = 0;                          // seconds to the end of the block being processed
  RightChannelStatus right_status_{*this};
};

}  // namespace tolvik
