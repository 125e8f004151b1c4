#include "nmea/CallSentences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DecodedCall.h"
#include "NmeaSentenceCheck.h"
#include "dsc/DscEncoder.h"
#include "nmea/NmeaFraming.h"

namespace tolvik {
namespace {

using testing::CheckedFields;
using testing::DecodedCall;

constexpr std::size_t kDscFieldsWithName = 12;  // "CDDSC" and its eleven fields

// The position of the radio examples: 42°31'N 083°12'W.
constexpr DscPosition kLakeErie{kQuadrantNorthWest, 42, 31, 83, 12};

DscMessage RadioDistressAlert() {
  DscMessage alert;
  alert.FormatSpecifier = kFormatDistress;
  alert.Distress = DscDistressInfo{"338040079", kNatureDisabledAndAdrift, kLakeErie,
                                   DscTime{20, 19}, kTelecommandFmSimplex};
  alert.Enhancement = DscEnhancedPosition{4589, 4494};
  return alert;
}

DscMessage IndividualCall() {
  DscMessage call;
  call.FormatSpecifier = kFormatIndividual;
  call.Address = "211234560";
  call.SelfId = "232001000";
  call.FirstTelecommand = kTelecommandFmSimplex;
  call.FirstFrequency = DscFrequency::Vhf(72);
  call.EndOfSequence = kEosAckRequest;
  return call;
}

// The eleven fields of the call's $CDDSC, after the reader's own check.
std::vector<std::string> DscFieldsOf(const DscMessage& message) {
  const std::vector<std::string> fields =
      CheckedFields(EncodeCallSentences(DecodedCall::Of(message)).dsc);
  EXPECT_EQ(fields.size(), kDscFieldsWithName);
  return fields.empty() ? std::vector<std::string>(kDscFieldsWithName) : fields;
}

// The radio examples, made by our encoder, received and written again.

TEST(CallSentencesTest, DistressAlertWithEnhancedPositionAsARadioWritesIt) {
  const CallSentences sentences = EncodeCallSentences(DecodedCall::Of(RadioDistressAlert()));
  EXPECT_EQ(sentences.dsc, "$CDDSC,12,3380400790,12,06,00,1423108312,2019,,,S,E*6A\r\n");
  ASSERT_TRUE(sentences.dse);
  EXPECT_EQ(*sentences.dse, "$CDDSE,1,1,A,3380400790,00,45894494*1B\r\n");
}

TEST(CallSentencesTest, PositionReplyWithItsTimeAsARadioWritesIt) {
  // Radios send the time of the position after it, before the end of
  // sequence; the encoder has no field for it, so it goes in by hand.
  DscMessage reply;
  reply.FormatSpecifier = kFormatIndividual;
  reply.Address = "211234560";
  reply.SelfId = "338158137";
  reply.FirstTelecommand = kTelecommandPositionRequest;
  reply.WorkingPosition = kLakeErie;
  reply.EndOfSequence = kEosAcknowledgement;
  reply.Enhancement = DscEnhancedPosition{1200, 3400};
  Characters characters = BuildCallCharacters(reply);
  characters.insert(characters.end() - 1, {19, 2});
  const CallSentences sentences =
      EncodeCallSentences(DecodedCall::Of(characters, BuildExpansionCharacters(reply)));
  EXPECT_EQ(sentences.dsc, "$CDDSC,20,3381581370,00,21,26,1423108312,1902,,,B,E*7B\r\n");
  ASSERT_TRUE(sentences.dse);
  EXPECT_EQ(*sentences.dse, "$CDDSE,1,1,A,3381581370,00,12003400*11\r\n");
}

TEST(CallSentencesTest, AllShipsRelayNamesTheShipInDistressInFieldsEightAndNine) {
  DscMessage relay;
  relay.FormatSpecifier = kFormatAllShips;
  relay.Category = kCategoryDistress;
  relay.SelfId = "235076393";
  relay.FirstTelecommand = kTelecommandDistressRelay;
  relay.Distress =
      DscDistressInfo{"503110520", kNatureSinking, DscPosition{kQuadrantSouthEast, 38, 8, 144, 28},
                      DscTime{18, 0}, kTelecommandFmSimplex};
  relay.Enhancement = DscEnhancedPosition{0, 0};
  const CallSentences sentences = EncodeCallSentences(DecodedCall::Of(relay));
  EXPECT_EQ(sentences.dsc,
            "$CDDSC,16,2350763930,12,12,00,2380814428,1800,5031105200,05,S,E*65\r\n");
  ASSERT_TRUE(sentences.dse);
  EXPECT_EQ(CheckedFields(*sentences.dse),
            (std::vector<std::string>{"CDDSE", "1", "1", "A", "2350763930", "00", "00000000"}));
}

// Every other layout, field by field.

TEST(CallSentencesTest, DistressAlertWithoutPositionOrTime) {
  DscMessage alert = RadioDistressAlert();
  alert.Distress->Position.reset();
  alert.Distress->Time.reset();
  alert.Distress->Nature = kNatureEpirb;
  alert.Enhancement.reset();
  const CallSentences sentences = EncodeCallSentences(DecodedCall::Of(alert));
  EXPECT_EQ(CheckedFields(sentences.dsc),
            (std::vector<std::string>{"CDDSC", "12", "3380400790", "12", "12", "00", "9999999999",
                                      "8888", "", "", "S", ""}));
  EXPECT_FALSE(sentences.dse);
}

TEST(CallSentencesTest, AllShipsAcknowledgementCarriesTheShipInDistressAndTheAck) {
  DscMessage ack;
  ack.FormatSpecifier = kFormatAllShips;
  ack.Category = kCategoryDistress;
  ack.SelfId = "002320001";
  ack.FirstTelecommand = kTelecommandDistressAcknowledgement;
  ack.Distress = DscDistressInfo{"232001000", kNatureFire, DscPosition{0, 50, 7, 1, 30},
                                 DscTime{23, 59}, kTelecommandSsbTelephony};
  ack.EndOfSequence = kEosAcknowledgement;
  EXPECT_EQ(DscFieldsOf(ack),
            (std::vector<std::string>{"CDDSC", "16", "0023200010", "12", "10", "09", "0500700130",
                                      "2359", "2320010000", "00", "B", ""}));
}

TEST(CallSentencesTest, IndividualRelayIsReadAsARelayWhateverItsTelecommand) {
  DscMessage relay = IndividualCall();
  relay.Category = kCategoryDistress;
  relay.FirstTelecommand = kTelecommandDistressRelay;
  relay.FirstFrequency.reset();
  relay.Distress = DscDistressInfo{"503110520", kNatureCollision, std::nullopt, std::nullopt,
                                   kTelecommandFmSimplex};
  EXPECT_EQ(DscFieldsOf(relay),
            (std::vector<std::string>{"CDDSC", "20", "2320010000", "12", "12", "00", "9999999999",
                                      "8888", "5031105200", "02", "R", ""}));
}

TEST(CallSentencesTest, AreaCallCarriesTheAreaAsItsAddress) {
  DscMessage area = IndividualCall();
  area.FormatSpecifier = kFormatGeographicArea;
  area.Address.reset();
  area.AreaAddress = DscArea{kQuadrantSouthWest, 35, 9, 5, 10};
  area.Category = kCategoryUrgency;
  area.FirstFrequency = DscFrequency::Khz(2182.0);
  area.SecondFrequency = DscFrequency::Khz(8414.5);
  area.EndOfSequence = kEosOther;
  EXPECT_EQ(DscFieldsOf(area),
            (std::vector<std::string>{"CDDSC", "02", "3350090510", "10", "00", "26", "021820084145",
                                      "8888", "", "", "S", ""}));
}

TEST(CallSentencesTest, ChannelsAreTheDigitsOfTheFrequencyField) {
  DscMessage vhf = IndividualCall();
  EXPECT_EQ(DscFieldsOf(vhf)[6], "900072");
  DscMessage hf = IndividualCall();
  hf.FormatSpecifier = kFormatGroup;
  hf.Address = "023200000";
  hf.FirstFrequency = DscFrequency::MfHf(1234);
  hf.SecondFrequency = DscFrequency::MfHf(401);
  const std::vector<std::string> group = DscFieldsOf(hf);
  EXPECT_EQ(group[1], "14");
  EXPECT_EQ(group[2], "2320010000");
  EXPECT_EQ(group[6], "301234300401");
}

TEST(CallSentencesTest, WorkingPositionWithoutTimeSaysTimeNotAvailable) {
  DscMessage call;
  call.FormatSpecifier = kFormatAllShips;
  call.Category = kCategorySafety;
  call.SelfId = "002320001";
  call.FirstTelecommand = kTelecommandPositionRequest;
  call.WorkingPosition = DscPosition{kQuadrantSouthEast, 33, 52, 151, 12};
  EXPECT_EQ(DscFieldsOf(call),
            (std::vector<std::string>{"CDDSC", "16", "0023200010", "08", "21", "26", "2335215112",
                                      "8888", "", "", "S", ""}));
}

TEST(CallSentencesTest, CallWithoutFrequencyOrPositionLeavesFieldSixEmpty) {
  DscMessage test = IndividualCall();
  test.FirstTelecommand = kTelecommandTest;
  test.FirstFrequency.reset();
  const std::vector<std::string> fields = DscFieldsOf(test);
  EXPECT_EQ(fields[4], "18");
  EXPECT_EQ(fields[6], "");
}

TEST(CallSentencesTest, SemiAutomaticCallsCarryTheTelephoneNumberInFieldSeven) {
  DscMessage call = IndividualCall();
  call.FormatSpecifier = kFormatSemiAutomatic;
  call.FirstFrequency = DscFrequency::Vhf(26);
  call.TelephoneNumber = "0123456789";
  const std::vector<std::string> even = DscFieldsOf(call);
  EXPECT_EQ(even[1], "23");
  EXPECT_EQ(even[6], "900026");
  EXPECT_EQ(even[7], "0123456789");
  // An odd count of digits goes out behind a leading 0 that is not part of
  // the number.
  call.TelephoneNumber = "441234567";
  call.SecondFrequency = DscFrequency::Vhf(27);
  const std::vector<std::string> odd = DscFieldsOf(call);
  EXPECT_EQ(odd[6], "900026900027");
  EXPECT_EQ(odd[7], "441234567");
}

TEST(CallSentencesTest, ANumberTooLongForTheSentenceIsLeftOutRatherThanCut) {
  DscMessage call = IndividualCall();
  call.FormatSpecifier = kFormatSemiAutomatic;
  call.FirstFrequency = DscFrequency::Khz(2182.0);
  call.SecondFrequency = DscFrequency::Khz(8414.5);
  // 29 digits still fit in 82 characters with both frequencies; 31 do not.
  call.TelephoneNumber = std::string(29, '7');
  const std::string longest = EncodeCallSentences(DecodedCall::Of(call)).dsc;
  EXPECT_EQ(longest.size(), kNmeaMaxSentenceLength);
  EXPECT_EQ(CheckedFields(longest)[7], std::string(29, '7'));
  call.TelephoneNumber = std::string(31, '7');
  const std::vector<std::string> cut = DscFieldsOf(call);
  EXPECT_EQ(cut[7], "");
  EXPECT_EQ(cut[6], "021820084145");
}

TEST(CallSentencesTest, SymbolsOfAnEarlierLongerCallAreNotRead) {
  DscCall call = DecodedCall::Of(RadioDistressAlert());
  // A short call stored over it: 116, category, identity, 126, 126, end.
  const std::vector<std::uint8_t> short_call{116, 116, 100, 0, 23, 20, 1, 0, 126, 126, 127};
  std::copy(short_call.begin(), short_call.end(), call.Primary.Symbols.begin());
  call.Primary.Count = static_cast<int>(short_call.size());
  call.Expansion.Count = 0;
  const CallSentences sentences = EncodeCallSentences(call);
  EXPECT_EQ(CheckedFields(sentences.dsc),
            (std::vector<std::string>{"CDDSC", "16", "0023200100", "00", "26", "26", "", "8888", "",
                                      "", "S", ""}));
  EXPECT_FALSE(sentences.dse);
}

TEST(CallSentencesTest, DamagedDigitFieldsAreLeftEmpty) {
  DscCall call = DecodedCall::Of(RadioDistressAlert());
  call.Primary.Symbols[9] = 110;    // a position character above 99
  call.Expansion.Symbols[2] = 120;  // and an enhancement character
  const CallSentences sentences = EncodeCallSentences(call);
  const std::vector<std::string> fields = CheckedFields(sentences.dsc);
  ASSERT_EQ(fields.size(), kDscFieldsWithName);
  EXPECT_EQ(fields[6], "");
  EXPECT_EQ(fields[7], "2019");
  EXPECT_EQ(fields[11], "");
  EXPECT_FALSE(sentences.dse);
}

}  // namespace
}  // namespace tolvik
