// Keys the receiver would not show because of the call's other fields:
// tolvik-gen refuses them with the reason; the library sends them when asked.

#include "gen/DroppedKeys.h"

#include <gtest/gtest.h>

#include <string>

#include "audio/Receiver.h"
#include "gen/CallDescriptionParser.h"
#include "gen/SignalGenerator.h"
#include "support/RowCollector.h"

namespace tolvik {
namespace {

std::string RefusalOf(const std::string& text) {
  try {
    ParseCallDescription(text, DroppedKeys::Refuse);
  } catch (const CallDescriptionError& error) {
    return error.what();
  }
  return "";
}

struct DroppedCase {
  std::string call;
  std::string message;  // the start of the refusal: the key and value, and why
};

TEST(DroppedKeysTest, EachKeyTheReceiverWouldNotShowIsRefusedNamingItsReason) {
  const std::string individual = "format=individual to=211234560 from=232001000 ";
  const std::string all_ships = "format=all-ships from=002320001 ";
  const std::vector<DroppedCase> cases = {
      {individual + "freq=vhf16",
       "freq=vhf16: the receiver would not show it: it reads no frequency, position or number "
       "after tc1=126 (no information, the default)"},
      {individual + "tc1=118 freq2=2182",
       "freq2=2182: the receiver would not show it: it reads "
       "no frequency, position or number after tc1=118 (test)"},
      {all_ships + "tc1=103 position=N35-41,E139-45",
       "position=N35-41,E139-45: the receiver would not show it: it reads no frequency, position "
       "or number after tc1=103 (polling)"},
      {"format=semi-auto to=002320001 from=232001000 number=0123456789",
       "number=0123456789: the receiver would not show it"},
      {all_ships + "category=distress tc1=100 ship=232001000",
       "ship=232001000: the receiver would not show it: it reads the distress information of an "
       "all-ships call of category distress only with tc1=110 (acknowledgement) or tc1=112 "
       "(relay), not tc1=100"},
      {individual + "category=distress tc1=110 ship=232001234",
       "tc1=110: the receiver would not show it: it reads an area, group, individual or "
       "semi-automatic call of category distress as a relay"},
      {individual + "tc1=100 freq=0",
       "freq=0: the receiver would not show it: it reads a "
       "frequency of 0 kHz as none"},
      {individual + "tc1=100 freq=2182 freq2=0.0", "freq2=0.0: the receiver would not show it"},
      {individual + "tc1=100 freq=2182 enhance=1234,5678",
       "enhance=1234,5678: the receiver would not show it: the call sends no position to refine"},
      {"format=distress from=232001000 enhance=1234,5678",
       "enhance=1234,5678: the receiver would not show it: the distress position is unknown"},
  };
  for (const auto& [call, message] : cases) {
    SCOPED_TRACE(call);
    EXPECT_EQ(RefusalOf(call).rfind(message, 0), 0u) << RefusalOf(call);
    // Sent as it stands when asked: the encoder has nothing against it.
    EXPECT_NO_THROW(ParseCallDescription(call));
  }
}

TEST(DroppedKeysTest, CallsWhoseEveryKeyIsShownPass) {
  for (const char* call : {
           "format=individual to=211234560 from=232001000 tc1=100 freq=vhf16 eos=req",
           "format=individual to=211234560 from=232001000 tc1=118",
           "format=semi-auto to=002320001 from=232001000 tc1=100 freq2=2182 number=123",
           "format=area area=N35E139-N30E149 from=002320001 tc1=109 position=N35-41,E139-45 "
           "enhance=1234,5678",
           "format=all-ships category=distress tc1=110 from=002320001 ship=232001000",
           "format=group to=023200000 from=232001000 category=distress ship=232001000 tc1=112",
           "format=distress from=232001000 dpos=N50-07,W4-30 enhance=1234,5678 utc=12:00",
           "raw=120,120,21,12,34,56,0,100,23,20,1,0,0,126,126,90,0,16,126,126,126,117",
       }) {
    EXPECT_EQ(RefusalOf(call), "") << call;
  }
}

// The rows the receiver writes for `calls` sent one after another on VHF.
std::vector<ReceiveEntry> RowsFor(const std::vector<CallDescription>& calls) {
  SignalOptions options;
  options.Vhf = true;
  options.GapS = 0.3;
  const std::vector<double> samples = GenerateSignal(calls, options);
  AppSettings settings;
  settings.DecVHF = true;
  settings.CheckAdd = false;
  settings.NoMsgAdd = false;  // rows with nothing to show are what this is about
  return testing::DecodeRows(samples, settings);
}

// The refusals follow what the decoder does: sent anyway, each refused
// field is missing from its row.
TEST(DroppedKeysTest, TheReceiverIndeedLeavesTheRefusedFieldsOut) {
  const std::string individual = "format=individual to=211234560 from=232001000 ";
  const std::vector<CallDescription> calls = {
      ParseCallDescription(individual + "freq=vhf16"),
      ParseCallDescription("format=all-ships from=002320001 tc1=103 position=N35-41,E139-45"),
      ParseCallDescription("format=semi-auto to=002320001 from=232001000 tc1=118 number=012345"),
      ParseCallDescription(
          "format=all-ships from=002320001 category=distress tc1=100 ship=232001234"),
      ParseCallDescription(individual + "category=distress tc1=110 ship=232001234"),
      ParseCallDescription(individual + "tc1=100 freq=0"),
      ParseCallDescription(individual + "tc1=100 freq=2182 enhance=1234,5678"),
  };
  const std::vector<ReceiveEntry> rows = RowsFor(calls);
  ASSERT_EQ(rows.size(), calls.size());
  EXPECT_EQ(rows[0].RequestStatus, "No information");
  EXPECT_EQ(rows[0].Information, "");
  EXPECT_EQ(rows[1].RequestStatus, "Polling");
  EXPECT_EQ(rows[1].Position, "");
  EXPECT_EQ(rows[2].Information, "");  // no "Number ..."
  EXPECT_EQ(rows[3].Information, "");  // no "(Distress from 232001234)"
  EXPECT_EQ(rows[3].To, "All stations");
  // Read as a relay: no "Ack", and the ship in distress in the information.
  EXPECT_EQ(rows[4].Ack, "");
  EXPECT_EQ(rows[4].Information, "Undesignated distress (Distress from 232001234)");
  EXPECT_EQ(rows[5].Information, "");
  EXPECT_EQ(rows[6].Information, "2182.0kHz");
  EXPECT_EQ(rows[6].Position, "");
}

}  // namespace
}  // namespace tolvik
