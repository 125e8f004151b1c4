#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "outputs/CallRecords.h"
#include "outputs/CsvCallFormat.h"
#include "outputs/DailyCallLog.h"
#include "outputs/Utf8Text.h"

namespace tolvik {
namespace {

using testing::DistressAlert;
using testing::FixedUtcClock;
using testing::Received;
using testing::RecordedCall;
using testing::RoutineCall;
using testing::TemporaryFolder;

TEST(CsvFieldTest, QuotedOnlyWhenAFieldHoldsASeparatorQuoteOrLineBreak) {
  EXPECT_EQ(CsvField("VHF 16ch"), "VHF 16ch");
  EXPECT_EQ(CsvField(""), "");
  EXPECT_EQ(CsvField(" N/A "), " N/A ");
  EXPECT_EQ(CsvField("N42-31 , W83-12"), "\"N42-31 , W83-12\"");
  EXPECT_EQ(CsvField("say \"hi\""), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(CsvField("\""), "\"\"\"\"");
  EXPECT_EQ(CsvField("a\nb"), "\"a\nb\"");
  EXPECT_EQ(CsvField("a\rb"), "\"a\rb\"");
}

TEST(ValidUtf8Test, WellFormedTextStaysAndEveryBadByteIsReplaced) {
  for (const std::string good : {"plain", "\xC3\xA4", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                 "\xF4\x8F\xBF\xBF", "\xED\x9F\xBF"}) {
    EXPECT_EQ(ValidUtf8(good), good);
  }
  // U+FFFD is EF BF BD.
  EXPECT_EQ(ValidUtf8("a\x80z"), "a\xEF\xBF\xBDz");                       // lone continuation
  EXPECT_EQ(ValidUtf8("\xC0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD");           // overlong NUL
  EXPECT_EQ(ValidUtf8("\xE0\x80\x80").substr(0, 3), "\xEF\xBF\xBD");      // overlong
  EXPECT_EQ(ValidUtf8("\xED\xA0\x80").substr(0, 3), "\xEF\xBF\xBD");      // a surrogate
  EXPECT_EQ(ValidUtf8("\xF4\x90\x80\x80").substr(0, 3), "\xEF\xBF\xBD");  // above U+10FFFF
  EXPECT_EQ(ValidUtf8("\xFF"), "\xEF\xBF\xBD");
  EXPECT_EQ(ValidUtf8("ok\xE2\x82"), "ok\xEF\xBF\xBD\xEF\xBF\xBD");  // cut short at the end
  EXPECT_EQ(ValidUtf8("\xE2\x82"
                      "A"),
            "\xEF\xBF\xBD\xEF\xBF\xBD"
            "A");
}

TEST(CsvCallFormatTest, SourceColumnsLeadOnlyWhenAsked) {
  const RecordedCall call = Received(RoutineCall(), DistressKind::None);
  const CallContext context{"2026-12-09T07:45:03.120Z", "a.wav", 8.84};
  const std::string plain = CsvCallFormat().Line(call.Written(), context);
  const std::string sourced =
      CsvCallFormat(CsvCallFormat::Columns::WithSource).Line(call.Written(), context);
  const std::string source = "a.wav,8.8,";
  EXPECT_EQ(sourced.substr(0, source.size()), source);
  EXPECT_EQ(sourced.substr(source.size()), plain);
  const std::string header = CsvCallFormat(CsvCallFormat::Columns::WithSource).HeaderLine();
  const std::string source_header = "file,offset_s,";
  EXPECT_EQ(header.substr(0, source_header.size()), source_header);
  EXPECT_EQ(header.substr(source_header.size()), CsvCallFormat().HeaderLine());
  EXPECT_EQ(CsvCallFormat().HeaderLine().rfind("category,from,to,", 0), 0u);
}

// The texts every field of a CSV reader can trip on.
const std::vector<ReceiveEntry> kAwkwardRows = {
    {"Routine", "366123450", "211234560", "FM simplex telephony", "VHF 26ch , Number 0123456789",
     "", "Req", "09:30:00"},
    {"Distress", "338040079", "All stations", "say \"Mayday\"", "one\ntwo", "N42-31 , W83-12", "",
     "09:30:01"},
    {"Safety", "\"", "a\r\nb", "\r", ",", "\"\"", " spaced ", "09:30:02"},
    {"Urgency", "\xff\xfe", "caf\xC3\xA9", "", "", "", "", "09:30:03"},
};

nlohmann::ordered_json ExpectedRow(const RecordedCall& call, const std::string& utc,
                                   const std::string& distress_utc, const std::string& primary) {
  const ReceiveEntry& r = call.row;
  return {{"category", ValidUtf8(r.Category)},
          {"from", ValidUtf8(r.From)},
          {"to", ValidUtf8(r.To)},
          {"request_status", r.RequestStatus},
          {"information", r.Information},
          {"position", r.Position},
          {"ack", r.Ack},
          {"time", r.Time},
          {"distress", std::to_string(static_cast<int>(call.kind))},
          {"repaired", call.repaired ? "true" : "false"},
          {"decoder", call.decoder == CallDecoder::Enhanced ? "enhanced" : "standard"},
          {"utc", utc},
          {"channel", call.channel == 1 ? "right" : "left"},
          {"distress_utc", distress_utc},
          {"primary_symbols", primary},
          {"expansion_symbols", ""}};
}

std::string SpaceSeparated(const SymbolSequence& sequence) {
  std::string text;
  for (int i = 0; i < sequence.Count; ++i) {
    if (i > 0)
      text += ' ';
    text += std::to_string(sequence.Symbols[i]);
  }
  return text;
}

// Python's csv module, not our own reading, decides whether the log holds
// every field intact.
TEST(CsvCallFormatTest, PythonReadsBackEveryFieldOfALog) {
  TemporaryFolder folder;
  FixedUtcClock clock(UtcTime{2026, 12, 9, 7, 45, 3, 120});
  struct NoProblems final : CallLogProblemSink {
    void ReportCallLogProblem(const std::string& message) override { ADD_FAILURE() << message; }
  } problems;
  const CsvCallFormat format;
  nlohmann::ordered_json expected = nlohmann::ordered_json::array();
  {
    DailyCallLog log(folder.Path(), format, clock, problems);
    int second = 0;
    for (const ReceiveEntry& row : kAwkwardRows) {
      const bool alert = row.Category == "Distress";
      RecordedCall call = alert ? Received(DistressAlert(DscTime{20, 19}), DistressKind::Alert, row)
                                : Received(RoutineCall(), DistressKind::None, row);
      call.channel = second % 2;
      clock.Set(UtcTime{2026, 12, 9, 7, 45, second++, 120});
      log.CallWritten(call.Written());
      expected.push_back(ExpectedRow(call, IsoUtcText(clock.Now()), alert ? "20:19" : "",
                                     SpaceSeparated(call.symbols.Primary)));
    }
  }
  const std::filesystem::path expected_file = folder.Path() / "expected.json";
  std::ofstream(expected_file) << expected.dump();
  const std::filesystem::path log_file = folder.Path() / "tolvik-2026-12-09.csv";
  ASSERT_TRUE(std::filesystem::exists(log_file));
  const std::string command = std::string("python3 ") + TOLVIK_CSV_READ_CHECK + " '" +
                              log_file.string() + "' '" + expected_file.string() + "'";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

}  // namespace
}  // namespace tolvik
