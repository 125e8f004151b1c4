#include "gen/FieldValues.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "dsc/AreaField.h"
#include "dsc/DscFieldCodes.h"
#include "dsc/PositionField.h"

namespace tolvik {
namespace {

// What the decoder shows for the characters a position value is sent as.
std::string ShownPosition(const DscPosition& position) {
  DscCall call;
  const auto characters = PositionCharacters(position);
  std::copy(characters.begin(), characters.end(), call.Primary.Symbols.begin());
  call.Primary.Count = static_cast<int>(characters.size());
  bool enhanced = false;
  const auto decoded = DecodePosition(call, 0, enhanced);
  return decoded ? FormatPosition(decoded->Latitude, decoded->Longitude, enhanced) : "N/A";
}

std::string ShownArea(const DscArea& area) {
  SymbolSequence sequence;
  const auto characters = AreaCharacters(area);
  std::copy(characters.begin(), characters.end(), sequence.Symbols.begin());
  sequence.Count = static_cast<int>(characters.size());
  const auto decoded = DecodeArea(sequence, 0);
  return decoded ? FormatArea(*decoded) : "N/A";
}

TEST(FieldValuesTest, PositionsInTheDecodersFormComeBackAsTheyWereWritten) {
  // One per quadrant: the letters pick the quadrant digit.
  for (const char* text : {"N35-41,E139-45", "N50-07,W4-30", "S33-52,E151-12", "S10-05,W120-00"}) {
    const auto position = ParsePositionValue(text);
    ASSERT_TRUE(position.has_value()) << text;
    std::string shown = text;
    shown.replace(shown.find(','), 1, " , ");
    EXPECT_EQ(ShownPosition(*position), shown);
  }
  const auto spaced = ParsePositionValue("N35-41 , E139-45");
  ASSERT_TRUE(spaced.has_value());
  EXPECT_EQ(spaced->Quadrant, 0);
  EXPECT_EQ(spaced->LongitudeDegrees, 139);
  EXPECT_EQ(ParsePositionValue("unknown"), std::nullopt);
}

TEST(FieldValuesTest, PositionsOutOfRangeOrMisshapenAreRejected) {
  for (const char* text : {"N91-00,E10-00", "N10-00,E181-00", "N10-60,E10-00", "N10-00,E10-60",
                           "E35-41,N139-45", "N35-41E139-45", "N35,E139", "N35-41,E139-45,W1-00",
                           "N35-141,E139-45", "Nx-41,E139-45", ""}) {
    EXPECT_THROW(ParsePositionValue(text), std::invalid_argument) << text;
  }
}

TEST(FieldValuesTest, AreasInTheDecodersFormComeBackAsTheyWereWritten) {
  const DscArea area = ParseAreaValue("N35E139-N30E149");
  EXPECT_EQ(area.Quadrant, 0);
  EXPECT_EQ(area.LatitudeDegrees, 35);
  EXPECT_EQ(area.LongitudeDegrees, 139);
  EXPECT_EQ(area.LatitudeExtent, 5);
  EXPECT_EQ(area.LongitudeExtent, 10);
  // Across the equator and the prime meridian, and in the south-west.
  for (const char* text : {"N35E139-N30E149", "N5W10-S5E10", "S10W20-S15W10", "N60E170-N50E185"}) {
    EXPECT_EQ(ShownArea(ParseAreaValue(text)), text);
  }
}

TEST(FieldValuesTest, AreasWhoseFarCornerIsNotSouthEastWithinReachAreRejected) {
  for (const char* text :
       {"N30E139-N35E149", "N35E149-N30E139", "N50E10-S50E10", "N35E10-N30E110", "N91E10-N90E20",
        "N35E139", "N35E139-N30E149-N20E150", "X35E139-N30E149", "N35-N30E149"}) {
    EXPECT_THROW(ParseAreaValue(text), std::invalid_argument) << text;
  }
}

TEST(FieldValuesTest, FrequenciesAndChannels) {
  const DscFrequency khz = ParseFrequencyValue("8414.5");
  EXPECT_EQ(khz.Type, DscFrequency::Kind::KiloHertz);
  EXPECT_DOUBLE_EQ(khz.KiloHertz, 8414.5);
  EXPECT_DOUBLE_EQ(ParseFrequencyValue("2182").KiloHertz, 2182.0);
  EXPECT_EQ(FrequencyCharacters(ParseFrequencyValue("29999.9")),
            (std::array<std::uint8_t, 3>{29, 99, 99}));
  const DscFrequency channel = ParseFrequencyValue("ch1234");
  EXPECT_EQ(channel.Type, DscFrequency::Kind::MfHfChannel);
  EXPECT_EQ(channel.Channel, 1234);
  const DscFrequency vhf = ParseFrequencyValue("VHF16");
  EXPECT_EQ(vhf.Type, DscFrequency::Kind::VhfChannel);
  EXPECT_EQ(vhf.Channel, 16);
  // More than one decimal would be rounded away by the 100 Hz field.
  for (const char* text : {"8414.55", "30000", "vhf1000", "ch100000", "ch", "vhf-1", "12a", "-5",
                           ".5", "5.", "1.2.3"}) {
    EXPECT_THROW(ParseFrequencyValue(text), std::invalid_argument) << text;
  }
}

TEST(FieldValuesTest, VocabularyWordsAndTheirNumbers) {
  EXPECT_EQ(ParseFormatValue("semi-auto"), 123);
  EXPECT_EQ(ParseFormatValue("All-Ships"), 116);
  EXPECT_EQ(ParseFormatValue("102"), 102);
  EXPECT_THROW(ParseFormatValue("104"), std::invalid_argument);
  EXPECT_EQ(ParseCategoryValue("urgency"), 110);
  EXPECT_EQ(ParseCategoryValue("108"), 108);
  EXPECT_THROW(ParseCategoryValue("101"), std::invalid_argument);
  EXPECT_EQ(ParseNatureValue("mob"), 110);
  EXPECT_EQ(ParseNatureValue("epirb"), 112);
  EXPECT_EQ(ParseNatureValue("111"), 111);
  EXPECT_THROW(ParseNatureValue("113"), std::invalid_argument);
  EXPECT_THROW(ParseNatureValue("storm"), std::invalid_argument);
  EXPECT_EQ(ParseEndOfSequenceValue("req"), 117);
  EXPECT_EQ(ParseEndOfSequenceValue("ack"), 122);
  EXPECT_EQ(ParseEndOfSequenceValue("127"), 127);
  EXPECT_THROW(ParseEndOfSequenceValue("126"), std::invalid_argument);
}

TEST(FieldValuesTest, TimesEnhancementsNumbersIdentitiesAndSymbolLists) {
  const auto time = ParseTimeValue("23:59");
  ASSERT_TRUE(time.has_value());
  EXPECT_EQ(time->Hours, 23);
  EXPECT_EQ(time->Minutes, 59);
  EXPECT_EQ(ParseTimeValue("unknown"), std::nullopt);
  for (const char* text : {"24:00", "12:60", "1:30", "12-30", "ab:cd"}) {
    EXPECT_THROW(ParseTimeValue(text), std::invalid_argument) << text;
  }

  const DscEnhancedPosition enhancement = ParseEnhancementValue("0123,5678");
  EXPECT_EQ(enhancement.LatitudeDecimals, 123);
  EXPECT_EQ(enhancement.LongitudeDecimals, 5678);
  // Four digits each: "123" could mean .0123 or .123.
  for (const char* text : {"123,5678", "1234", "1234,56789", "12a4,5678"}) {
    EXPECT_THROW(ParseEnhancementValue(text), std::invalid_argument) << text;
  }

  EXPECT_EQ(ParseTelephoneNumberValue("0044123"), "0044123");
  EXPECT_THROW(ParseTelephoneNumberValue("+44123"), std::invalid_argument);
  EXPECT_EQ(ParseIdentityValue("002320001"), "002320001");
  EXPECT_THROW(ParseIdentityValue("23200100"), std::invalid_argument);
  EXPECT_THROW(ParseIdentityValue("2320010000"), std::invalid_argument);

  EXPECT_EQ(ParseSymbolListValue("120,120, 5,127"), (std::vector<int>{120, 120, 5, 127}));
  for (const char* text : {"120,,127", "128", "-1", "120,", "x"}) {
    EXPECT_THROW(ParseSymbolListValue(text), std::invalid_argument) << text;
  }
  EXPECT_EQ(ParseIntegerValue("20", 0, 2000), 20);
  EXPECT_THROW(ParseIntegerValue("2001", 0, 2000), std::invalid_argument);
}

}  // namespace
}  // namespace tolvik
