#include "dsc/Vocabularies.h"

#include <gtest/gtest.h>

namespace tolvik {
namespace {

TEST(Vocabularies, TextsWithCommasAndGapsInTheValues) {
  EXPECT_EQ(NatureText(100), "Fire , explosion");
  EXPECT_EQ(NatureText(104), "Listing , in danger of capsizing");
  EXPECT_EQ(NatureText(112), "EPIRB emission");
  EXPECT_EQ(FirstTelecommandText(121), "Position request");
  EXPECT_EQ(SecondTelecommandText(113), "Recommendation ITU-R M.1081");
  EXPECT_EQ(SecondTelecommandText(126), "No information");
  EXPECT_EQ(CategoryText(108), "Safety");
  // Values each table skips, and values outside every table.
  for (const int unlisted : {-1, 0, 99, 111, 127}) {
    EXPECT_EQ(NatureText(unlisted), "N/A") << unlisted;
    EXPECT_EQ(CategoryText(unlisted), "N/A") << unlisted;
  }
  for (const int unlisted : {-1, 0, 102, 107, 108, 111, 114, 116, 117, 119, 120, 122, 127}) {
    EXPECT_EQ(FirstTelecommandText(unlisted), "N/A") << unlisted;
  }
  for (const int unlisted : {-1, 99, 114, 125, 127}) {
    EXPECT_EQ(SecondTelecommandText(unlisted), "N/A") << unlisted;
  }
}

}  // namespace
}  // namespace tolvik
