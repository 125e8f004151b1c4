#include "dsc/AreaField.h"

#include <gtest/gtest.h>

#include "support/SymbolData.h"

namespace tolvik {
namespace {

using test::Sequence;

std::string AreaText(const SymbolSequence& sequence) {
  const auto area = DecodeArea(sequence, 0);
  return area ? FormatArea(*area) : "invalid";
}

TEST(DecodeArea, CornerAndExtentSouthwardAndEastward) {
  // Quadrant 0, corner 35 N 139 E, 5 degrees south, 10 degrees east.
  const auto area = DecodeArea(Sequence({3, 51, 39, 5, 10}), 0);
  ASSERT_TRUE(area.has_value());
  EXPECT_EQ(area->Latitude, 35.0);
  EXPECT_EQ(area->Longitude, 139.0);
  EXPECT_EQ(area->SecondLatitude, 30.0);
  EXPECT_EQ(area->SecondLongitude, 149.0);
  EXPECT_EQ(FormatArea(*area), "N35E139-N30E149");
}

TEST(DecodeArea, QuadrantsAndCrossingTheEquatorAndMeridian) {
  EXPECT_EQ(AreaText(Sequence({13, 51, 39, 5, 10})), "N35W139-N30W129");
  EXPECT_EQ(AreaText(Sequence({23, 51, 39, 5, 10})), "S35E139-S40E149");
  EXPECT_EQ(AreaText(Sequence({33, 51, 39, 5, 10})), "S35W139-S40W129");
  // 5 N 5 W extending 10 south and 10 east ends at 5 S 5 E.
  EXPECT_EQ(AreaText(Sequence({10, 50, 5, 10, 10})), "N5W5-S5E5");
  // A zero coordinate takes the second letter.
  EXPECT_EQ(AreaText(Sequence({0, 0, 0, 0, 0})), "S0W0-S0W0");
}

TEST(DecodeArea, CharacterAbove99IsInvalid) {
  EXPECT_FALSE(DecodeArea(Sequence({3, 51, 39, 5, 110}), 0).has_value());
  EXPECT_FALSE(DecodeArea(SymbolSequence{}, SymbolSequence::kCapacity - 4).has_value());
}

}  // namespace
}  // namespace tolvik
