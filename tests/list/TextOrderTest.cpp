#include "list/TextOrder.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvik {
namespace {

using namespace std::string_literals;

TEST(CompareTexts, OrdersByFirstDifferingByteAsUnsigned) {
  EXPECT_EQ(CompareTexts("abc", "abc"), 0);
  EXPECT_LT(CompareTexts("abc", "abd"), 0);
  EXPECT_GT(CompareTexts("b", "abc"), 0);
  // Upper case sorts before lower case; no folding of case.
  EXPECT_LT(CompareTexts("Z", "a"), 0);
  EXPECT_LT(CompareTexts("Routine", "routine"), 0);
  // Bytes above 127 sort after every ASCII byte, which a signed char would get wrong.
  EXPECT_GT(CompareTexts("\xC3\xA9", "z"), 0);
  EXPECT_LT(CompareTexts("~", "\x80"), 0);
  // Digits of times compare as text.
  EXPECT_LT(CompareTexts("00:00:05", "23:59:50"), 0);
}

TEST(CompareTexts, PrefixSortsFirst) {
  EXPECT_LT(CompareTexts("", "a"), 0);
  EXPECT_LT(CompareTexts("N/A", "N/A "), 0);
  EXPECT_GT(CompareTexts("002320001", "00232"), 0);
  EXPECT_EQ(CompareTexts("", ""), 0);
}

TEST(CompareTexts, TextEndsAtItsFirstNulByte) {
  EXPECT_EQ(CompareTexts("ab\0zz"s, "ab"), 0);
  EXPECT_EQ(CompareTexts("ab\0zz"s, "ab\0aa"s), 0);
  EXPECT_LT(CompareTexts("ab\0zz"s, "abc"), 0);
  EXPECT_LT(CompareTexts("\0z"s, "A"), 0);
}

}  // namespace
}  // namespace tolvik
