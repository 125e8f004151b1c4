#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "audio/CallObserver.h"
#include "audio/HeadlessHost.h"
#include "base/StatusTextSink.h"
#include "base/TimeOfDayClock.h"
#include "decode/DecodeOptions.h"
#include "decode/RowPrinter.h"
#include "list/ReceiveListObserver.h"

namespace tolvik {

// Runs one input after another through a fresh receiver each, printing
// every call the moment its row is written. Headless: no displays, no
// monitor, no alert dialog or sound.
class InputDecoder final : private ReceiveListObserver,
                           private StatusTextSink,
                           private HeadlessHost {
 public:
  // `calls`, when given, is told of every row with its call's symbols (the
  // NMEA outputs) and must outlive the decoder.
  InputDecoder(const DecodeOptions& options, std::FILE* out, std::FILE* err,
               CallObserver* calls = nullptr);

  // Decodes `name` ("-" for standard input). False, with a message on the
  // error stream, when it cannot be read.
  bool Decode(const std::string& name);

 private:
  void DecodeBlocks(class SampleSource& source, const struct CentrePlan& centre);
  // The progress line for the input being decoded; null when none is shown
  // (not a terminal, --no-progress, a file shorter than a minute).
  std::unique_ptr<class ProgressIndicator> ProgressFor(const SampleSource& source) const;

  // ReceiveListObserver
  void RowWritten(int row, const ReceiveEntry& entry, DistressKind kind) override;
  // StatusTextSink
  void ShowStatusText(StatusPanel panel, const std::string& text) override;

  const DecodeOptions& options_;
  std::FILE* out_;
  std::FILE* err_;
  CallObserver* calls_;
  SystemTimeOfDayClock clock_;
  std::string current_name_;                     // the input being decoded
  class ProgressIndicator* progress_ = nullptr;  // the progress line on screen, if any
  const class Receiver* receiver_ = nullptr;     // decoding the input, while it runs
  double offset_s_ = 0;                          // seconds to the end of the block being processed
};

}  // namespace tolvik
