#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "outputs/CallRecords.h"
#include "outputs/JsonCallFormat.h"

namespace tolvik {
namespace {

using nlohmann::json;
using testing::AllShipsDistressCall;
using testing::DistressAlert;
using testing::IndividualRelay;
using testing::Received;
using testing::RecordedCall;
using testing::RoutineCall;

const CallContext kLive{"2026-12-09T07:45:03.120Z", std::nullopt, std::nullopt};

json Parsed(const RecordedCall& call, const CallContext& context = kLive) {
  const std::string line = JsonCallFormat().Line(call.Written(), context);
  EXPECT_EQ(line.find('\n'), std::string::npos) << "one object, one line";
  return json::parse(line);
}

std::vector<std::string> Keys(const std::string& line) {
  std::vector<std::string> keys;
  const nlohmann::ordered_json object = nlohmann::ordered_json::parse(line);
  for (const auto& [key, value] : object.items()) {
    keys.push_back(key);
  }
  return keys;
}

std::vector<int> Stored(const SymbolSequence& sequence) {
  return {sequence.Symbols.begin(), sequence.Symbols.begin() + sequence.Count};
}

TEST(JsonCallFormatTest, OldKeysKeepTheirPlaceAndTheNewOnesFollow) {
  const RecordedCall call = Received(RoutineCall(), DistressKind::None,
                                     {"Routine", "366123450", "211234560", "FM simplex telephony",
                                      "VHF 16ch", "", "Req", "09:30:00"});
  const CallContext recording{"2026-12-09T07:45:03.120Z", "rec \"1\".wav", 12.34999};
  const std::string line = JsonCallFormat().Line(call.Written(), recording);
  EXPECT_EQ(Keys(line), (std::vector<std::string>{"file", "offset_s", "category", "from", "to",
                                                  "request_status", "information", "position",
                                                  "ack", "time", "distress", "repaired", "decoder",
                                                  "utc", "channel", "symbols", "distress_utc"}));
  const json object = json::parse(line);
  EXPECT_EQ(object["file"], "rec \"1\".wav");
  EXPECT_EQ(object["offset_s"], 12.3);  // to the tenth of a second a block lasts
  EXPECT_EQ(object["information"], "VHF 16ch");
  EXPECT_EQ(object["ack"], "Req");
  EXPECT_EQ(object["distress"], -1);
  EXPECT_EQ(object["repaired"], false);
  EXPECT_EQ(object["decoder"], "standard");
  EXPECT_EQ(object["utc"], "2026-12-09T07:45:03.120Z");
  EXPECT_EQ(object["channel"], "left");
  EXPECT_EQ(object["symbols"]["primary"].get<std::vector<int>>(), Stored(call.symbols.Primary));
  EXPECT_EQ(object["symbols"]["primary"].front(), kFormatIndividual);
  EXPECT_EQ(object["symbols"]["primary"].back(), kEosAckRequest);
  EXPECT_TRUE(object["symbols"]["expansion"].empty());
  EXPECT_TRUE(object["distress_utc"].is_null());
}

TEST(JsonCallFormatTest, LiveRowsHaveNoFileOrOffset) {
  const std::string line =
      JsonCallFormat().Line(Received(RoutineCall(), DistressKind::None).Written(), kLive);
  EXPECT_EQ(Keys(line).front(), "category");
  EXPECT_FALSE(json::parse(line).contains("file"));
  EXPECT_FALSE(json::parse(line).contains("offset_s"));
}

TEST(JsonCallFormatTest, DistressTimeOfAlertsAcknowledgementsAndRelays) {
  EXPECT_EQ(Parsed(Received(DistressAlert(DscTime{20, 19}), DistressKind::Alert))["distress_utc"],
            "20:19");
  EXPECT_EQ(Parsed(Received(DistressAlert(DscTime{7, 5}), DistressKind::Alert))["distress_utc"],
            "07:05");
  const RecordedCall acknowledgement =
      Received(AllShipsDistressCall(kTelecommandDistressAcknowledgement, DscTime{23, 59}),
               DistressKind::Acknowledgement);
  EXPECT_EQ(Parsed(acknowledgement)["distress_utc"], "23:59");
  const RecordedCall relay = Received(
      AllShipsDistressCall(kTelecommandDistressRelay, DscTime{12, 30}), DistressKind::Relay);
  EXPECT_EQ(Parsed(relay)["distress_utc"], "12:30");
  // Addressed relays carry the distress information five characters later.
  EXPECT_EQ(Parsed(Received(IndividualRelay(DscTime{0, 0}), DistressKind::Relay))["distress_utc"],
            "00:00");
}

TEST(JsonCallFormatTest, UnknownOrMissingDistressTimeIsNull) {
  // Sent as 88 88.
  EXPECT_TRUE(
      Parsed(Received(DistressAlert(std::nullopt), DistressKind::Alert))["distress_utc"].is_null());
  EXPECT_TRUE(Parsed(Received(IndividualRelay(std::nullopt), DistressKind::Relay))["distress_utc"]
                  .is_null());
  // Digits that are no time of day.
  RecordedCall out_of_range = Received(DistressAlert(DscTime{20, 19}), DistressKind::Alert);
  out_of_range.symbols.Primary.Symbols[13] = 24;
  EXPECT_TRUE(Parsed(out_of_range)["distress_utc"].is_null());
  out_of_range.symbols.Primary.Symbols[13] = 23;
  out_of_range.symbols.Primary.Symbols[14] = 60;
  EXPECT_TRUE(Parsed(out_of_range)["distress_utc"].is_null());
  // A call ending before its time field: the array still holds the digits
  // of the call before, which must not be taken for this one's.
  RecordedCall short_call = Received(DistressAlert(DscTime{20, 19}), DistressKind::Alert);
  short_call.symbols.Primary.Count = 15;  // the end of sequence where the minutes were
  EXPECT_TRUE(Parsed(short_call)["distress_utc"].is_null());
  // A call that is not about distress has no distress time, whatever its
  // digits at those places.
  EXPECT_TRUE(Parsed(Received(DistressAlert(DscTime{20, 19}), DistressKind::None))["distress_utc"]
                  .is_null());
}

TEST(JsonCallFormatTest, ExpansionRightChannelAndEnhancedDecoder) {
  DscMessage alert = DistressAlert(DscTime{20, 19});
  alert.Enhancement = DscEnhancedPosition{4589, 4494};
  RecordedCall call = Received(alert, DistressKind::Alert);
  call.channel = 1;
  call.decoder = CallDecoder::Enhanced;
  call.repaired = true;
  const json object = Parsed(call);
  EXPECT_EQ(object["channel"], "right");
  EXPECT_EQ(object["decoder"], "enhanced");
  EXPECT_EQ(object["repaired"], true);
  EXPECT_EQ(object["symbols"]["expansion"].get<std::vector<int>>(),
            (std::vector<int>{kEnhancedPositionSpecifier, 45, 89, 44, 94, kEosOther}));
  EXPECT_EQ(object["distress"], 0);
}

TEST(JsonCallFormatTest, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  const RecordedCall call = Received(RoutineCall(), DistressKind::None,
                                     {"Routine", "\xff\xfe", "ok \xc3", "", "", "", "", ""});
  std::string line;
  ASSERT_NO_THROW(line = JsonCallFormat().Line(call.Written(), kLive));
  const json object = json::parse(line);
  EXPECT_EQ(object["from"], "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(object["to"].get<std::string>().rfind("ok ", 0), 0u);
  EXPECT_EQ(object["category"], "Routine");
}

}  // namespace
}  // namespace tolvik
