#include "list/TimeText.h"

#include <gtest/gtest.h>

namespace tolvik {
namespace {

TEST(TimeText, FormatsTwoDigitFieldsAndDropsMilliseconds) {
  EXPECT_EQ(FormatTimeText({7, 5, 9, 0}), "07:05:09");
  EXPECT_EQ(FormatTimeText({0, 0, 0, 999}), "00:00:00");
  EXPECT_EQ(FormatTimeText({23, 59, 59, 999}), "23:59:59");
}

TEST(TimeText, ParsesWhatItFormats) {
  for (const TimeOfDay time : {TimeOfDay{0, 0, 0, 0}, TimeOfDay{7, 5, 9, 0},
                               TimeOfDay{12, 34, 56, 0}, TimeOfDay{23, 59, 59, 0}}) {
    const std::optional<int> parsed = ParseTimeText(FormatTimeText(time));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(*parsed, MillisecondsSinceMidnight(time));
  }
  EXPECT_EQ(ParseTimeText("10:00:00"), 10 * 3'600'000);
}

TEST(TimeText, RejectsAnythingButAValidTimeOfDay) {
  for (const char* text : {"", "1:00:00", "10:00", "10:00:000", "10-00-00", "24:00:00", "12:60:00",
                           "12:00:60", "ab:cd:ef", " 9:00:00", "-1:00:00"}) {
    EXPECT_FALSE(ParseTimeText(text).has_value()) << text;
  }
}

}  // namespace
}  // namespace tolvik
