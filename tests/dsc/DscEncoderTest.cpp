#include "dsc/DscEncoder.h"
#include "support/WorkedExample.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "dsc/DscSymbolCode.h"

namespace tolvik {
namespace {

using testing::kWorkedExampleCharacters;
using testing::kWorkedExampleCheckCharacter;
using testing::WorkedExampleMessage;

using Chars = std::vector<std::uint8_t>;

template <typename Array>
Chars AsChars(const Array& a) {
  return Chars(a.begin(), a.end());
}

Chars Slice(const Chars& c, int from, int count) {
  return Chars(c.begin() + from, c.begin() + from + count);
}

TEST(DscSymbolCodeTest, SendsInformationBitsLsbFirstThenZeroCountMsbFirst) {
  EXPECT_EQ(AsChars(SymbolBits(125)), (Chars{1, 0, 1, 1, 1, 1, 1, 0, 0, 1}));
  EXPECT_EQ(AsChars(SymbolBits(2)), (Chars{0, 1, 0, 0, 0, 0, 0, 1, 1, 0}));
  EXPECT_EQ(AsChars(SymbolBits(0)), (Chars{0, 0, 0, 0, 0, 0, 0, 1, 1, 1}));
  EXPECT_EQ(AsChars(SymbolBits(127)), (Chars{1, 1, 1, 1, 1, 1, 1, 0, 0, 0}));
  EXPECT_NE(DamagedSymbolBits(5), SymbolBits(5));
  EXPECT_THROW(SymbolBits(-1), std::out_of_range);
  EXPECT_THROW(SymbolBits(128), std::out_of_range);
}

TEST(DscFieldCodesTest, IdentitiesGoOutAsFiveDigitPairsWithATrailingZero) {
  EXPECT_EQ(AsChars(IdentityCharacters("211234560")), (Chars{21, 12, 34, 56, 0}));
  EXPECT_EQ(AsChars(IdentityCharacters("002191000")), (Chars{0, 21, 91, 0, 0}));
  EXPECT_THROW(IdentityCharacters("21123456"), std::invalid_argument);
  EXPECT_THROW(IdentityCharacters("2112345601"), std::invalid_argument);
  EXPECT_THROW(IdentityCharacters("21123456x"), std::invalid_argument);
}

TEST(DscFieldCodesTest, PositionsAreasAndTimes) {
  // N35 41, E139 45 in the north-east quadrant: digits 0 35 41 139 45.
  EXPECT_EQ(AsChars(PositionCharacters(DscPosition{0, 35, 41, 139, 45})),
            (Chars{3, 54, 11, 39, 45}));
  // S33 52, W151 12 (south-west): 3 33 52 151 12.
  EXPECT_EQ(AsChars(PositionCharacters(DscPosition{3, 33, 52, 151, 12})),
            (Chars{33, 35, 21, 51, 12}));
  EXPECT_EQ(AsChars(PositionCharacters(std::nullopt)), (Chars{99, 99, 99, 99, 99}));
  EXPECT_THROW(PositionCharacters(DscPosition{4, 0, 0, 0, 0}), std::invalid_argument);
  EXPECT_THROW(PositionCharacters(DscPosition{0, 91, 0, 0, 0}), std::invalid_argument);
  EXPECT_THROW(PositionCharacters(DscPosition{0, 0, 60, 0, 0}), std::invalid_argument);
  EXPECT_THROW(PositionCharacters(DscPosition{0, 0, 0, 181, 0}), std::invalid_argument);

  // Corner N35 E139, 5 degrees south, 10 east: 0 35 139 05 10.
  EXPECT_EQ(AsChars(AreaCharacters(DscArea{0, 35, 139, 5, 10})), (Chars{3, 51, 39, 5, 10}));
  EXPECT_THROW(AreaCharacters(DscArea{0, 35, 139, 100, 10}), std::invalid_argument);

  EXPECT_EQ(AsChars(TimeCharacters(DscTime{12, 30})), (Chars{12, 30}));
  EXPECT_EQ(AsChars(TimeCharacters(std::nullopt)), (Chars{88, 88}));
  EXPECT_THROW(TimeCharacters(DscTime{24, 0}), std::invalid_argument);
}

TEST(DscFieldCodesTest, FrequenciesAndChannels) {
  EXPECT_EQ(AsChars(FrequencyCharacters(DscFrequency::Khz(8414.5))), (Chars{8, 41, 45}));
  EXPECT_EQ(AsChars(FrequencyCharacters(DscFrequency::Khz(2182.0))), (Chars{2, 18, 20}));
  EXPECT_EQ(AsChars(FrequencyCharacters(DscFrequency::Khz(29999.9))), (Chars{29, 99, 99}));
  EXPECT_EQ(AsChars(FrequencyCharacters(DscFrequency::MfHf(1234))), (Chars{30, 12, 34}));
  EXPECT_EQ(AsChars(FrequencyCharacters(DscFrequency::Vhf(16))), (Chars{90, 0, 16}));
  EXPECT_EQ(AsChars(FrequencyCharacters(std::nullopt)), (Chars{126, 126, 126}));
  EXPECT_THROW(FrequencyCharacters(DscFrequency::Khz(30000.0)), std::invalid_argument);
  EXPECT_THROW(FrequencyCharacters(DscFrequency::Khz(-1.0)), std::invalid_argument);
  EXPECT_THROW(FrequencyCharacters(DscFrequency::Vhf(1000)), std::invalid_argument);
  EXPECT_THROW(FrequencyCharacters(DscFrequency::MfHf(100000)), std::invalid_argument);
}

TEST(DscFieldCodesTest, TelephoneNumbersCarryTheirParityIndicator) {
  EXPECT_EQ(TelephoneNumberCharacters("12345"), (Chars{105, 1, 23, 45}));
  EXPECT_EQ(TelephoneNumberCharacters("1234"), (Chars{106, 12, 34}));
  EXPECT_EQ(TelephoneNumberCharacters("7"), (Chars{105, 7}));
  EXPECT_THROW(TelephoneNumberCharacters(""), std::invalid_argument);
  EXPECT_THROW(TelephoneNumberCharacters("12-34"), std::invalid_argument);
  EXPECT_EQ(AsChars(EnhancedPositionCharacters({1234, 5678})), (Chars{100, 12, 34, 56, 78}));
}

DscDistressInfo SampleDistress() {
  return {"211234560", 103, DscPosition{0, 35, 41, 139, 45}, DscTime{12, 30}, 109};
}

TEST(DscEncoderLayoutTest, IndividualCallMatchesTheWorkedExample) {
  const Chars call = BuildCallCharacters(WorkedExampleMessage());
  EXPECT_EQ(call, kWorkedExampleCharacters);
  EXPECT_EQ(CallCheckCharacter(call), kWorkedExampleCheckCharacter);
}

TEST(DscEncoderLayoutTest, DistressAlert) {
  DscMessage m;
  m.FormatSpecifier = 112;
  m.Distress = SampleDistress();
  const Chars c = BuildCallCharacters(m);
  ASSERT_EQ(c.size(), 17u);
  EXPECT_EQ(Slice(c, 0, 2), (Chars{112, 112}));
  EXPECT_EQ(Slice(c, 2, 5), (Chars{21, 12, 34, 56, 0}));
  EXPECT_EQ(c[7], 103);
  EXPECT_EQ(Slice(c, 8, 5), (Chars{3, 54, 11, 39, 45}));
  EXPECT_EQ(Slice(c, 13, 2), (Chars{12, 30}));
  EXPECT_EQ(c[15], 109);
  EXPECT_EQ(c[16], 127);
  m.Distress.reset();
  EXPECT_THROW(BuildCallCharacters(m), std::invalid_argument);
}

TEST(DscEncoderLayoutTest, AllShipsCallsWithFrequenciesPositionOrDistressInfo) {
  DscMessage m;
  m.FormatSpecifier = 116;
  m.Category = 108;
  m.SelfId = "002191000";
  m.FirstTelecommand = 109;
  m.FirstFrequency = DscFrequency::Khz(8414.5);
  m.SecondFrequency = DscFrequency::MfHf(1234);
  Chars c = BuildCallCharacters(m);
  ASSERT_EQ(c.size(), 17u);
  EXPECT_EQ(c[2], 108);
  EXPECT_EQ(Slice(c, 3, 5), (Chars{0, 21, 91, 0, 0}));
  EXPECT_EQ(c[8], 109);
  EXPECT_EQ(c[9], 126);
  EXPECT_EQ(Slice(c, 10, 6), (Chars{8, 41, 45, 30, 12, 34}));
  EXPECT_EQ(c[16], 127);

  m.WorkingPosition = DscPosition{0, 35, 41, 139, 45};
  c = BuildCallCharacters(m);
  ASSERT_EQ(c.size(), 17u);
  EXPECT_EQ(Slice(c, 10, 6), (Chars{55, 3, 54, 11, 39, 45}));

  // Category 112: the distress information follows the first telecommand.
  m.Category = 112;
  m.FirstTelecommand = 112;
  m.Distress = SampleDistress();
  c = BuildCallCharacters(m);
  ASSERT_EQ(c.size(), 24u);
  EXPECT_EQ(c[8], 112);
  EXPECT_EQ(Slice(c, 9, 5), (Chars{21, 12, 34, 56, 0}));
  EXPECT_EQ(c[14], 103);
  EXPECT_EQ(Slice(c, 15, 5), (Chars{3, 54, 11, 39, 45}));
  EXPECT_EQ(Slice(c, 20, 2), (Chars{12, 30}));
  EXPECT_EQ(c[22], 109);
  EXPECT_EQ(c[23], 127);
}

TEST(DscEncoderLayoutTest, AddressedCallsAreaGroupAndRelay) {
  DscMessage m = WorkedExampleMessage();
  m.FormatSpecifier = 102;
  m.Address.reset();
  EXPECT_THROW(BuildCallCharacters(m), std::invalid_argument);
  m.AreaAddress = DscArea{0, 35, 139, 5, 10};
  Chars c = BuildCallCharacters(m);
  ASSERT_EQ(c.size(), 22u);
  EXPECT_EQ(Slice(c, 2, 5), (Chars{3, 51, 39, 5, 10}));

  m = WorkedExampleMessage();
  m.FormatSpecifier = 114;
  m.Address = "021100000";
  c = BuildCallCharacters(m);
  EXPECT_EQ(Slice(c, 0, 7), (Chars{114, 114, 2, 11, 0, 0, 0}));

  m = WorkedExampleMessage();
  m.Category = 112;
  m.FirstTelecommand = 112;
  m.Distress = SampleDistress();
  m.Distress->Position.reset();
  m.Distress->Time.reset();
  c = BuildCallCharacters(m);
  ASSERT_EQ(c.size(), 29u);
  EXPECT_EQ(c[7], 112);
  EXPECT_EQ(c[13], 112);
  EXPECT_EQ(Slice(c, 14, 5), (Chars{21, 12, 34, 56, 0}));
  EXPECT_EQ(c[19], 103);
  EXPECT_EQ(Slice(c, 20, 5), (Chars{99, 99, 99, 99, 99}));
  EXPECT_EQ(Slice(c, 25, 2), (Chars{88, 88}));
  EXPECT_EQ(c[27], 109);
  EXPECT_EQ(c[28], 117);
}

TEST(DscEncoderLayoutTest, SemiAutomaticCallsPlaceTheNumberAfterOneOrTwoFrequencies) {
  DscMessage m = WorkedExampleMessage();
  m.FormatSpecifier = 123;
  m.TelephoneNumber = "12345";
  Chars c = BuildCallCharacters(m);
  ASSERT_EQ(c.size(), 23u);
  EXPECT_EQ(Slice(c, 15, 3), (Chars{90, 0, 16}));
  EXPECT_EQ(Slice(c, 18, 5), (Chars{105, 1, 23, 45, 117}));

  m.SecondFrequency = DscFrequency::Vhf(16);
  c = BuildCallCharacters(m);
  ASSERT_EQ(c.size(), 26u);
  EXPECT_EQ(Slice(c, 21, 5), (Chars{105, 1, 23, 45, 117}));

  m.SecondFrequency.reset();
  m.WorkingPosition = DscPosition{0, 35, 41, 139, 45};
  m.TelephoneNumber = "1234";
  c = BuildCallCharacters(m);
  EXPECT_EQ(c[15], 55);
  EXPECT_EQ(Slice(c, 21, 4), (Chars{106, 12, 34, 117}));
}

TEST(DscEncoderLayoutTest, RefusesUnsendableCalls) {
  DscMessage m = WorkedExampleMessage();
  m.FormatSpecifier = 100;
  EXPECT_THROW(BuildCallCharacters(m), std::invalid_argument);
  m = WorkedExampleMessage();
  m.EndOfSequence = 126;
  EXPECT_THROW(BuildCallCharacters(m), std::invalid_argument);
  m = WorkedExampleMessage();
  m.Category = 112;  // a relay without distress information
  EXPECT_THROW(BuildCallCharacters(m), std::invalid_argument);
  m = WorkedExampleMessage();
  m.FirstTelecommand = 128;
  EXPECT_THROW(BuildCallCharacters(m), std::invalid_argument);
}

TEST(DscEncoderTimelineTest, PhasingDiversityAndEndingSitInTheirTimeSlots) {
  const Chars call = BuildCallCharacters(WorkedExampleMessage());
  std::vector<int> with_check(call.begin(), call.end());
  with_check.push_back(CallCheckCharacter(call));
  const std::vector<int> t = InterleaveCall(with_check);
  const int n = static_cast<int>(call.size());  // 22, the check character is character n

  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(t[2 * k], 125);
  }
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(t[2 * k + 1], 111 - k);
  }
  for (int k = 0; k <= n; ++k) {
    EXPECT_EQ(t[DxTime(k)], with_check[k]) << k;
    EXPECT_EQ(t[RxTime(k)], with_check[k]) << k;
  }
  // DX: end of sequence, check, end of sequence, end of sequence; RX ends
  // with its copy of the check character.
  EXPECT_EQ(t[DxTime(n + 1)], 117);
  EXPECT_EQ(t[DxTime(n + 2)], 117);
  EXPECT_EQ(static_cast<int>(t.size()), RxTime(n) + 1);
}

TEST(DscEncoderTimelineTest, ExpansionIsAnnouncedBy126InTheRxPositions) {
  const std::vector<int> call = {120, 120, 1, 127, 1};
  const std::vector<int> expansion = {100, 12, 34, 56, 78, 127, 2};
  const std::vector<int> t = InterleaveCall(call, expansion);
  const int n = 4;  // the call's check character is character 4
  EXPECT_EQ(t[DxTime(n + 1)], 127);
  EXPECT_EQ(t[RxTime(n + 1)], 126);
  EXPECT_EQ(t[DxTime(n + 2)], 127);
  EXPECT_EQ(t[RxTime(n + 2)], 126);
  for (int j = 0; j < 7; ++j) {
    EXPECT_EQ(t[DxTime(n + 3 + j)], expansion[j]);
    EXPECT_EQ(t[RxTime(n + 3 + j)], expansion[j]);
  }
  EXPECT_EQ(t[DxTime(n + 10)], 127);
  EXPECT_EQ(t[DxTime(n + 11)], 127);
  EXPECT_EQ(static_cast<int>(t.size()), RxTime(n + 9) + 1);
  EXPECT_THROW(InterleaveCall(std::vector<int>{1}), std::invalid_argument);
}

TEST(DscEncoderTimelineTest, BitStreamStartsWithTheDotPatternAndInvertsCleanly) {
  const std::vector<int> timeline = {125, 111};
  const std::vector<std::uint8_t> bits = EncodeSymbols(timeline, 6);
  ASSERT_EQ(bits.size(), 26u);
  EXPECT_EQ(Slice(bits, 0, 6), (Chars{1, 0, 1, 0, 1, 0}));
  EXPECT_EQ(Slice(bits, 6, 10), AsChars(SymbolBits(125)));
  EXPECT_EQ(Slice(bits, 16, 10), AsChars(SymbolBits(111)));
  const std::vector<std::uint8_t> inverted = InvertBits(bits);
  for (std::size_t i = 0; i < bits.size(); ++i) {
    EXPECT_EQ(inverted[i], 1 - bits[i]);
  }
  EXPECT_EQ(EncodeSymbols(std::vector<int>{kDamagedSymbol}, 0).size(), 10u);
  EXPECT_THROW(EncodeSymbols(std::vector<int>{128}, 0), std::out_of_range);
  EXPECT_EQ(EncodeMessage(WorkedExampleMessage(), kLongDotPatternBits).size(),
            200u + 10u * (RxTime(22) + 1));
}

}  // namespace
}  // namespace tolvik
