#include "settings/SettingsValues.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace tolvik {
namespace {

TEST(ParseIntegerTextTest, ReadsDecimalWithOrWithoutSign) {
  EXPECT_EQ(ParseIntegerText("0"), 0);
  EXPECT_EQ(ParseIntegerText("42"), 42);
  EXPECT_EQ(ParseIntegerText("-1"), -1);
  EXPECT_EQ(ParseIntegerText("+7"), 7);
  EXPECT_EQ(ParseIntegerText("007"), 7);
}

TEST(ParseIntegerTextTest, ReadsHexadecimalAfterEachPrefix) {
  EXPECT_EQ(ParseIntegerText("0x1F"), 31);
  EXPECT_EQ(ParseIntegerText("0X1F"), 31);
  EXPECT_EQ(ParseIntegerText("$1F"), 31);
  EXPECT_EQ(ParseIntegerText("$1f"), 31);
  EXPECT_EQ(ParseIntegerText("-$10"), -16);
  // Without a prefix, hexadecimal letters are not digits.
  EXPECT_EQ(ParseIntegerText("1F"), std::nullopt);
}

TEST(ParseIntegerTextTest, RefusesAnythingButDigits) {
  for (const char* text : {"", "-", "+", "0x", "$", "abc", "12abc", "1 2", " 12", "12 ", "1.5",
                           "--5", "0x-5", "$+5", "0x1G", "0b101"}) {
    EXPECT_EQ(ParseIntegerText(text), std::nullopt) << '"' << text << '"';
  }
}

TEST(ParseIntegerTextTest, RefusesValuesBeyondInt) {
  EXPECT_EQ(ParseIntegerText("2147483647"), INT_MAX);
  EXPECT_EQ(ParseIntegerText("-2147483648"), INT_MIN);
  EXPECT_EQ(ParseIntegerText("0x7FFFFFFF"), INT_MAX);
  EXPECT_EQ(ParseIntegerText("2147483648"), std::nullopt);
  EXPECT_EQ(ParseIntegerText("-2147483649"), std::nullopt);
  EXPECT_EQ(ParseIntegerText("0xFFFFFFFF"), std::nullopt);
  EXPECT_EQ(ParseIntegerText("99999999999999999999999"), std::nullopt);
}

TEST(ReadBooleanValueTest, AnyNonZeroIntegerIsTrue) {
  EXPECT_TRUE(ReadBooleanValue("1", false));
  EXPECT_TRUE(ReadBooleanValue("2", false));
  EXPECT_TRUE(ReadBooleanValue("-1", false));
  EXPECT_TRUE(ReadBooleanValue("0x10", false));
  EXPECT_FALSE(ReadBooleanValue("0", true));
  EXPECT_FALSE(ReadBooleanValue("$0", true));
}

TEST(ReadBooleanValueTest, NonNumericGivesTheDefault) {
  for (bool fallback : {false, true}) {
    EXPECT_EQ(ReadBooleanValue(nullptr, fallback), fallback);
    EXPECT_EQ(ReadBooleanValue("abc", fallback), fallback);
    EXPECT_EQ(ReadBooleanValue("true", fallback), fallback);
    EXPECT_EQ(ReadBooleanValue("", fallback), fallback);
    EXPECT_EQ(ReadBooleanValue("1x", fallback), fallback);
  }
}

TEST(CutSettingsTextTest, CutsLongTextsAtTheLimit) {
  EXPECT_EQ(CutSettingsText(std::string(2047, 'a')).size(), 2047u);
  EXPECT_EQ(CutSettingsText(std::string(2048, 'a')).size(), 2047u);
  EXPECT_EQ(CutSettingsText(std::string(3000, 'a')), std::string(2047, 'a'));
  EXPECT_EQ(ReadTextValue(std::string(3000, 'b').c_str(), "x"), std::string(2047, 'b'));
  EXPECT_EQ(ReadTextValue(nullptr, "Tahoma"), "Tahoma");
  EXPECT_EQ(ReadTextValue("", "Tahoma"), "");
}

TEST(CutSettingsTextTest, NeverSplitsAUtf8Sequence) {
  // "ø" is two bytes; placed so that its second byte would be byte 2048.
  const std::string two_byte = std::string(2046, 'a') + "\xC3\xB8" + "zz";
  EXPECT_EQ(CutSettingsText(two_byte), std::string(2046, 'a'));
  // A four-byte sequence starting at byte 2045 would lose its last byte.
  const std::string four_byte = std::string(2044, 'a') + "\xF0\x9F\x93\xA1" + "zz";
  EXPECT_EQ(CutSettingsText(four_byte), std::string(2044, 'a'));
  // A sequence ending exactly at the limit is kept whole.
  const std::string fits = std::string(2045, 'a') + "\xC3\xB8" + "zz";
  EXPECT_EQ(CutSettingsText(fits), std::string(2045, 'a') + "\xC3\xB8");
  // Bytes that are not UTF-8 (no lead byte nearby) are simply cut at the limit.
  const std::string latin1 = std::string(2047, '\xA0') + "\xA0\xA0";
  EXPECT_EQ(CutSettingsText(latin1).size(), 2047u);
}

}  // namespace
}  // namespace tolvik
