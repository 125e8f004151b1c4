#include "outputs/DailyCallLog.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <system_error>
#include <utility>

namespace tolvik {

namespace {

constexpr char kLineEnd = '\n';
constexpr std::string_view kFilePrefix = "tolvik-";

std::string ErrnoText(int error) {
  return std::strerror(error);
}

}  // namespace

DailyCallLog::DailyCallLog(std::filesystem::path folder, const CallRecordFormat& format,
                           const UtcClock& clock, CallLogProblemSink& problems)
    : folder_(std::move(folder)), format_(format), clock_(clock), problems_(problems) {}

DailyCallLog::~DailyCallLog() {
  Close();
}

std::filesystem::path DailyCallLog::FileFor(const UtcTime& time) const {
  std::string name(kFilePrefix);
  name += IsoUtcDateText(time);
  name += '.';
  name += format_.FileExtension();
  return folder_ / name;
}

void DailyCallLog::CallWritten(const WrittenCall& call) {
  // A log must never stop the decoder: whatever goes wrong is reported.
  try {
    const UtcTime now = clock_.Now();
    if (!OpenFileOf(now))
      return;
    const std::string line = format_.Line(call, CallContext{IsoUtcText(now), {}, {}});
    if (WriteLine(line) && problem_reported_) {
      problem_reported_ = false;
      problems_.CallLogWritingAgain();
    }
  } catch (const std::exception& error) {
    Close();
    Report(std::string("The call log could not be written: ") + error.what());
  }
}

bool DailyCallLog::OpenFileOf(const UtcTime& time) {
  const std::filesystem::path path = FileFor(time);
  if (file_ != nullptr && path == open_path_ && PathStillNamesOpenFile(path))
    return true;
  Close();  // a new UTC day begins a new file, a removed one is made again
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (error) {
    Report("The call log folder " + folder_.string() + " cannot be created: " + error.message());
    return false;
  }
  // "a+": every write goes to the end, even if another program appends
  // too; reading tells whether the file is empty or ends in a torn line.
  file_ = std::fopen(path.c_str(), "a+b");
  if (file_ == nullptr) {
    Report("The call log " + path.string() + " cannot be opened: " + ErrnoText(errno));
    return false;
  }
  open_path_ = path;
  if (std::fseek(file_, 0, SEEK_END) == 0 && std::ftell(file_) == 0) {
    const std::string header = format_.HeaderLine();
    return header.empty() || WriteLine(header);
  }
  EndTornLine();
  return true;
}

bool DailyCallLog::PathStillNamesOpenFile(const std::filesystem::path& path) const {
  // Windows keeps a file that is open from being removed or renamed, and
  // its st_ino is always 0: the two always agree there, as they should.
  struct stat named {};
  struct stat open {};
  return ::stat(path.c_str(), &named) == 0 && ::fstat(fileno(file_), &open) == 0 &&
         named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

void DailyCallLog::EndTornLine() {
  if (std::fseek(file_, -1, SEEK_END) != 0)
    return;
  const int last = std::fgetc(file_);
  // A stream opened for update must be positioned between reading and
  // writing.
  std::fseek(file_, 0, SEEK_END);
  if (last != EOF && last != kLineEnd) {
    std::fputc(kLineEnd, file_);
  }
}

bool DailyCallLog::WriteLine(const std::string& line) {
  errno = 0;
  const bool written = std::fwrite(line.data(), 1, line.size(), file_) == line.size() &&
                       std::fputc(kLineEnd, file_) != EOF && std::fflush(file_) == 0;
  if (!written) {
    const int error = errno;
    const std::filesystem::path path = open_path_;  // Close forgets it
    Close();
    Report("The call log " + path.string() +
           " cannot be written: " + (error != 0 ? ErrnoText(error) : std::string("write failed")));
  }
  return written;
}

void DailyCallLog::Close() {
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
  }
  open_path_.clear();
}

void DailyCallLog::Report(const std::string& message) {
  if (problem_reported_)
    return;
  problem_reported_ = true;
  problems_.ReportCallLogProblem(message);
}

}  // namespace tolvik
