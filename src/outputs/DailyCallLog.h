#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "audio/CallObserver.h"
#include "base/UtcClock.h"
#include "outputs/CallLogProblemSink.h"
#include "outputs/CallRecordFormat.h"

namespace tolvik {

// Writes every call as a line of a format to one file per UTC day,
// <folder>/tolvik-YYYY-MM-DD.<extension>, the day being the one in which
// its row was written. Each line is appended and flushed at once, so that a
// crash of the program loses nothing already written; the format's header
// line opens a file only when the file is new or empty.
//
// A missing folder is created, and so is a day's file that was removed or
// moved away while open. When the folder or the file cannot be
// written the problem sink hears of it once, the row is lost, and the next
// row tries again; nothing is thrown at the decoder.
class DailyCallLog final : public CallObserver {
 public:
  // The format, the clock and the sink must outlive the log.
  DailyCallLog(std::filesystem::path folder, const CallRecordFormat& format, const UtcClock& clock,
               CallLogProblemSink& problems);
  ~DailyCallLog() override;
  DailyCallLog(const DailyCallLog&) = delete;
  DailyCallLog& operator=(const DailyCallLog&) = delete;

  void CallWritten(const WrittenCall& call) override;

  // The file the rows of the day of `time` go to.
  std::filesystem::path FileFor(const UtcTime& time) const;

 private:
  // Keeps the file of `time`'s day open; false, reported, when it cannot be.
  bool OpenFileOf(const UtcTime& time);
  // Whether `path` is still the file held open. A user or a log rotation
  // that removes or moves the day's file away would otherwise have every
  // later row of the day written where nobody can find it.
  bool PathStillNamesOpenFile(const std::filesystem::path& path) const;
  // Appends `line` and its line end and flushes; false, reported, when
  // that failed (the file is then closed, to be opened afresh next time).
  bool WriteLine(const std::string& line);
  // A line cut short (a crash, a full disk) is ended before the next one.
  void EndTornLine();
  void Close();
  void Report(const std::string& message);

  std::filesystem::path folder_;
  const CallRecordFormat& format_;
  const UtcClock& clock_;
  CallLogProblemSink& problems_;
  std::FILE* file_ = nullptr;        // the open day's file, or none
  std::filesystem::path open_path_;  // its path, which names its day
  bool problem_reported_ = false;
};

}  // namespace tolvik
