#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "outputs/CallRecords.h"
#include "outputs/CsvCallFormat.h"
#include "outputs/DailyCallLog.h"
#include "outputs/JsonCallFormat.h"

namespace tolvik {
namespace {

namespace fs = std::filesystem;
using testing::FixedUtcClock;
using testing::Received;
using testing::RecordedCall;
using testing::RoutineCall;
using testing::TemporaryFolder;

// What the log told its host.
class RecordingProblems final : public CallLogProblemSink {
 public:
  void ReportCallLogProblem(const std::string& message) override { problems.push_back(message); }
  void CallLogWritingAgain() override { ++recoveries; }
  std::vector<std::string> problems;
  int recoveries = 0;
};

std::vector<std::string> Lines(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class DailyCallLogTest : public ::testing::Test {
 protected:
  const UtcTime kMorning{2026, 12, 9, 7, 45, 3, 120};
  const RecordedCall call_ = Received(RoutineCall(), DistressKind::None);
  TemporaryFolder folder_;
  FixedUtcClock clock_{kMorning};
  RecordingProblems problems_;
  CsvCallFormat csv_;
  const std::string header_ = csv_.HeaderLine();

  fs::path LogOf(const char* date, const char* extension = "csv") const {
    return folder_.Path() / (std::string("tolvik-") + date + "." + extension);
  }
};

TEST_F(DailyCallLogTest, EachRowIsOnDiskBeforeTheNextOneComes) {
  DailyCallLog log(folder_.Path(), csv_, clock_, problems_);
  EXPECT_EQ(log.FileFor(kMorning), LogOf("2026-12-09"));
  log.CallWritten(call_.Written());
  // Read while the log still holds the file open: nothing waits in a buffer.
  EXPECT_EQ(Lines(LogOf("2026-12-09")).size(), 2u);
  log.CallWritten(call_.Written());
  const std::vector<std::string> lines = Lines(LogOf("2026-12-09"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], header_);
  EXPECT_NE(lines[1].find(",2026-12-09T07:45:03.120Z,left,"), std::string::npos) << lines[1];
  EXPECT_TRUE(problems_.problems.empty());
}

TEST_F(DailyCallLogTest, UtcMidnightBeginsANewFileWithItsOwnHeader) {
  DailyCallLog log(folder_.Path(), csv_, clock_, problems_);
  clock_.Set({2026, 12, 31, 23, 59, 59, 999});
  log.CallWritten(call_.Written());
  clock_.Set({2027, 1, 1, 0, 0, 0, 0});
  log.CallWritten(call_.Written());
  log.CallWritten(call_.Written());
  const std::vector<std::string> old_year = Lines(LogOf("2026-12-31"));
  const std::vector<std::string> new_year = Lines(LogOf("2027-01-01"));
  ASSERT_EQ(old_year.size(), 2u);
  ASSERT_EQ(new_year.size(), 3u);
  EXPECT_EQ(new_year[0], header_);
  EXPECT_NE(old_year[1].find("2026-12-31T23:59:59.999Z"), std::string::npos);
  EXPECT_NE(new_year[1].find("2027-01-01T00:00:00.000Z"), std::string::npos);
}

TEST_F(DailyCallLogTest, AnExistingFileIsAppendedWithoutASecondHeader) {
  { DailyCallLog(folder_.Path(), csv_, clock_, problems_).CallWritten(call_.Written()); }
  { DailyCallLog(folder_.Path(), csv_, clock_, problems_).CallWritten(call_.Written()); }
  const std::vector<std::string> lines = Lines(LogOf("2026-12-09"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], header_);
  EXPECT_EQ(lines[1], lines[2]);
}

TEST_F(DailyCallLogTest, AnEmptyFileGetsTheHeaderAndATornLineIsEnded) {
  std::ofstream(LogOf("2026-12-09")).close();
  { DailyCallLog(folder_.Path(), csv_, clock_, problems_).CallWritten(call_.Written()); }
  EXPECT_EQ(Lines(LogOf("2026-12-09")).front(), header_);

  // A line cut short by a crash or a full disk: the next row starts on its
  // own line.
  const fs::path yesterday = LogOf("2026-12-08");
  std::ofstream(yesterday, std::ios::binary) << header_ << "\nRoutine,3661";
  clock_.Set({2026, 12, 8, 12, 0, 0, 0});
  { DailyCallLog(folder_.Path(), csv_, clock_, problems_).CallWritten(call_.Written()); }
  const std::vector<std::string> lines = Lines(yesterday);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], "Routine,3661");
  EXPECT_EQ(lines[2].rfind("Routine,366123450,", 0), 0u);
  EXPECT_EQ(Contents(yesterday).back(), '\n');
}

TEST_F(DailyCallLogTest, ADayFileRemovedOrMovedAwayWhileOpenIsMadeAgain) {
  DailyCallLog log(folder_.Path(), csv_, clock_, problems_);
  const fs::path today = LogOf("2026-12-09");
  log.CallWritten(call_.Written());
  fs::remove(today);
  log.CallWritten(call_.Written());
  EXPECT_EQ(Lines(today).size(), 2u) << "the header and the row after the removal";

  // A rotation that renames the file keeps what it took; later rows start
  // the day's file afresh.
  const fs::path rotated = folder_.Path() / "rotated.csv";
  fs::rename(today, rotated);
  log.CallWritten(call_.Written());
  log.CallWritten(call_.Written());
  EXPECT_EQ(Lines(rotated).size(), 2u);
  const std::vector<std::string> lines = Lines(today);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], header_);
  EXPECT_TRUE(problems_.problems.empty());
}

TEST_F(DailyCallLogTest, AMissingFolderIsCreated) {
  const fs::path nested = folder_.Path() / "station" / "logs";
  DailyCallLog log(nested, csv_, clock_, problems_);
  log.CallWritten(call_.Written());
  EXPECT_EQ(Lines(nested / "tolvik-2026-12-09.csv").size(), 2u);
}

TEST_F(DailyCallLogTest, AnUnwritableFolderIsReportedOnceAndTheNextRowAfterItIsWritten) {
  // A file where the folder should be: no permission bits keep root out,
  // this does.
  const fs::path blocked = folder_.Path() / "logs";
  std::ofstream(blocked) << "not a folder";
  DailyCallLog log(blocked, csv_, clock_, problems_);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NO_THROW(log.CallWritten(call_.Written()));
  }
  ASSERT_EQ(problems_.problems.size(), 1u);
  EXPECT_NE(problems_.problems[0].find(blocked.string()), std::string::npos)
      << problems_.problems[0];
  EXPECT_EQ(problems_.recoveries, 0);

  fs::remove(blocked);
  log.CallWritten(call_.Written());
  EXPECT_EQ(Lines(blocked / "tolvik-2026-12-09.csv").size(), 2u);
  EXPECT_EQ(problems_.recoveries, 1);

  // A fresh problem after the recovery is reported again: the next day's
  // file name is taken by a folder.
  fs::create_directory(blocked / "tolvik-2026-12-10.csv");
  clock_.Set({2026, 12, 10, 0, 0, 1, 0});
  log.CallWritten(call_.Written());
  log.CallWritten(call_.Written());
  ASSERT_EQ(problems_.problems.size(), 2u);
  EXPECT_NE(problems_.problems[1].find("tolvik-2026-12-10.csv"), std::string::npos)
      << problems_.problems[1];
}

TEST_F(DailyCallLogTest, JsonLinesHaveNoHeaderAndEveryLineParses) {
  const JsonCallFormat json;
  DailyCallLog log(folder_.Path(), json, clock_, problems_);
  log.CallWritten(call_.Written());
  log.CallWritten(call_.Written());
  const std::vector<std::string> lines = Lines(LogOf("2026-12-09", "jsonl"));
  ASSERT_EQ(lines.size(), 2u);
  for (const std::string& line : lines) {
    const nlohmann::json object = nlohmann::json::parse(line);
    EXPECT_EQ(object["utc"], "2026-12-09T07:45:03.120Z");
    EXPECT_FALSE(object.contains("file"));
  }
}

}  // namespace
}  // namespace tolvik
