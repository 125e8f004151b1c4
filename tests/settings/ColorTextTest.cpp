#include "settings/ColorText.h"

#include <gtest/gtest.h>

namespace tolvik {
namespace {

TEST(ParseColorTextTest, ReadsBlueGreenRedPairs) {
  EXPECT_EQ(ParseColorText("0000FF"), 0x0000FFu);  // pure red
  EXPECT_EQ(ParseColorText("FF0000"), 0xFF0000u);  // pure blue
  EXPECT_EQ(ParseColorText("000000"), 0x000000u);
  EXPECT_EQ(ParseColorText("FFFFFF"), 0xFFFFFFu);
  EXPECT_EQ(ParseColorText("12AB9C"), 0x12AB9Cu);
}

TEST(ParseColorTextTest, ShortTextsReadMissingCharactersAsZero) {
  EXPECT_EQ(ParseColorText(""), 0x000000u);
  EXPECT_EQ(ParseColorText("FF"), 0xFF0000u);
  EXPECT_EQ(ParseColorText("FFF"), 0xFFF000u);
  EXPECT_EQ(ParseColorText("00000F"), 0x00000Fu);
  EXPECT_EQ(ParseColorText("00000"), 0x000000u);
  // A text cut short inside a larger buffer is not read past its end.
  const char buffer[] = "12FFFF";
  EXPECT_EQ(ParseColorText(std::string_view(buffer, 2)), 0x120000u);
}

TEST(ParseColorTextTest, IgnoresCharactersAfterTheSixth) {
  EXPECT_EQ(ParseColorText("0000FF99"), 0x0000FFu);
  EXPECT_EQ(ParseColorText("ABCDEF\n"), 0xABCDEFu);
}

TEST(ParseColorTextTest, OtherCharactersFollowTheDigitRuleLowBitsKept) {
  // 'f' = 102: 102 - 65 + 10 = 47; "ff" = 47 * 16 + 47 = 799, low byte 0x1F.
  EXPECT_EQ(ParseColorText("0000ff"), 0x00001Fu);
  // 'G' = 16 under the letter rule: "0G" = 16 = 0x10.
  EXPECT_EQ(ParseColorText("0G0000"), 0x100000u);
  // ' ' = 32 is below 'A': 32 - 48 = -16; " 0" = -256, low byte 0x00;
  // "0 " = -16, low byte 0xF0.
  EXPECT_EQ(ParseColorText(" 00 00"), 0x00F000u);
  // A byte above 127 counts as a code above 'A': 0xC3 - 65 + 10 = 140;
  // "0\xC3" = 140 = 0x8C.
  EXPECT_EQ(ParseColorText("0\xC3"
                           "0000"),
            0x8C0000u);
}

TEST(FormatColorTextTest, WritesSixUpperCaseDigits) {
  EXPECT_EQ(FormatColorText(0x0000FF), "0000FF");
  EXPECT_EQ(FormatColorText(0xFF0000), "FF0000");
  EXPECT_EQ(FormatColorText(0x000000), "000000");
  EXPECT_EQ(FormatColorText(0xabcdef), "ABCDEF");
  // Only the colour's 24 bits: the text must read back as the same colour.
  EXPECT_EQ(FormatColorText(0x01123456), "123456");
}

TEST(ColorTextTest, RoundTripsEveryChannelValue) {
  for (ColorValue level = 0; level <= 0xFF; ++level) {
    const ColorValue color = (level << 16) | ((0xFF - level) << 8) | (level ^ 0x5A);
    EXPECT_EQ(ParseColorText(FormatColorText(color)), color);
  }
}

}  // namespace
}  // namespace tolvik
