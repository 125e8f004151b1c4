#include "dsc/PositionField.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "support/SymbolData.h"

namespace tolvik {
namespace {

using test::Call;
using test::Sequence;

// Decodes the position at start and formats it, "invalid" when it does not
// decode.
std::string PositionText(const DscCall& call, int start, bool& enhanced) {
  const auto position = DecodePosition(call, start, enhanced);
  if (!position) {
    return "invalid";
  }
  return FormatPosition(position->Latitude, position->Longitude, enhanced);
}

// Quadrant 0, N35-41 , E139-45: digits 0 3541 13945.
DscCall TokyoBay() {
  return Call({3, 54, 11, 39, 45});
}

TEST(DecodePosition, PlainPositionAndItsPackedValues) {
  bool enhanced = true;
  const auto position = DecodePosition(TokyoBay(), 0, enhanced);
  ASSERT_TRUE(position.has_value());
  EXPECT_FALSE(enhanced);
  // Sums of tenths and hundredths are not exact in binary.
  EXPECT_NEAR(position->Latitude, 35.41, 1e-12);
  EXPECT_NEAR(position->Longitude, 139.45, 1e-12);
  EXPECT_EQ(FormatPosition(position->Latitude, position->Longitude, enhanced), "N35-41 , E139-45");
}

TEST(DecodePosition, EnhancementAddsFourMinuteDigitsPerCoordinate) {
  DscCall call = TokyoBay();
  call.Expansion = Sequence({100, 12, 34, 56, 78, 117});
  bool enhanced = false;
  EXPECT_EQ(PositionText(call, 0, enhanced), "N35-41.1234 , E139-45.5678");
  EXPECT_TRUE(enhanced);

  call.Expansion = Sequence({100, 99, 99, 0, 0, 117});
  EXPECT_EQ(PositionText(call, 0, enhanced), "N35-41.9999 , E139-45.0000");
}

TEST(DecodePosition, EnhancementNeedsACompleteEnhancedPositionExpansion) {
  DscCall call = TokyoBay();
  bool enhanced = true;

  // No expansion received, though the array still holds an earlier one.
  call.Expansion = Sequence({100, 12, 34, 56, 78, 117});
  call.Expansion.Count = 0;
  EXPECT_EQ(PositionText(call, 0, enhanced), "N35-41 , E139-45");
  EXPECT_FALSE(enhanced);

  // Another expansion specifier.
  call.Expansion = Sequence({101, 12, 34, 56, 78, 117});
  EXPECT_EQ(PositionText(call, 0, enhanced), "N35-41 , E139-45");
  EXPECT_FALSE(enhanced);

  // A character of the enhancement above 99.
  call.Expansion = Sequence({100, 12, 34, 100, 78, 117});
  EXPECT_EQ(PositionText(call, 0, enhanced), "N35-41 , E139-45");
  EXPECT_FALSE(enhanced);

  // Too short to hold the four characters: the rest are an earlier call's.
  call.Expansion = Sequence({100, 12, 34, 56, 78, 117});
  call.Expansion.Count = 3;
  EXPECT_EQ(PositionText(call, 0, enhanced), "N35-41 , E139-45");
  EXPECT_FALSE(enhanced);
}

TEST(DecodePosition, QuadrantDigitSetsTheHemispheres) {
  bool enhanced = false;
  EXPECT_EQ(PositionText(Call({3, 54, 11, 39, 45}), 0, enhanced), "N35-41 , E139-45");
  EXPECT_EQ(PositionText(Call({13, 54, 11, 39, 45}), 0, enhanced), "N35-41 , W139-45");
  EXPECT_EQ(PositionText(Call({23, 54, 11, 39, 45}), 0, enhanced), "S35-41 , E139-45");
  EXPECT_EQ(PositionText(Call({33, 54, 11, 39, 45}), 0, enhanced), "S35-41 , W139-45");
  // Digits 4 to 9 are no quadrant and read as north-east.
  EXPECT_EQ(PositionText(Call({43, 54, 11, 39, 45}), 0, enhanced), "N35-41 , E139-45");
  EXPECT_EQ(PositionText(Call({93, 54, 11, 39, 45}), 0, enhanced), "N35-41 , E139-45");
}

TEST(DecodePosition, EquatorAndGreenwichShowSouthAndWest) {
  bool enhanced = false;
  EXPECT_EQ(PositionText(Call({0, 0, 0, 0, 0}), 0, enhanced), "S0-00 , W0-00");
  EXPECT_EQ(PositionText(Call({0, 0, 10, 0, 0}), 0, enhanced), "N0-01 , W0-00");
  EXPECT_EQ(PositionText(Call({0, 0, 0, 0, 1}), 0, enhanced), "S0-00 , E0-01");
}

TEST(IsUnknownPosition, OnlyTenNinesSayThePositionIsNotKnown) {
  EXPECT_TRUE(IsUnknownPosition(Call({99, 99, 99, 99, 99}), 0));
  EXPECT_TRUE(IsUnknownPosition(Call({112, 99, 99, 99, 99, 99}), 1));
  EXPECT_FALSE(IsUnknownPosition(Call({99, 99, 99, 99, 98}), 0));
  EXPECT_FALSE(IsUnknownPosition(Call({89, 99, 99, 99, 99}), 0));
  EXPECT_FALSE(IsUnknownPosition(TokyoBay(), 0));
  // Symbols above 99 are no digits, and a field past the array is none.
  EXPECT_FALSE(IsUnknownPosition(Call({126, 126, 126, 126, 126}), 0));
  EXPECT_FALSE(IsUnknownPosition(Call({99, 99, 99, 99, 99}), SymbolSequence::kCapacity - 4));
}

TEST(DecodePosition, EveryDegreeAndMinuteSurvivesTruncation) {
  // Values like 35.41 are stored just below; each must still show its own
  // minute, with and without the enhancement. Latitude 0-00 would show S.
  for (const bool with_expansion : {false, true}) {
    for (int latitude = 1; latitude < 100; latitude += 7) {
      const int longitude = latitude + 80;
      for (int minutes = 0; minutes < 60; ++minutes) {
        // Digits: quadrant 0, latitude degrees and minutes, longitude degrees and minutes.
        DscCall call = Call({latitude / 10, (latitude % 10) * 10 + minutes / 10,
                             (minutes % 10) * 10 + longitude / 100, longitude % 100, minutes});
        if (with_expansion) {
          call.Expansion = Sequence({100, 0, 0, 0, 0, 117});
        }
        const char* format =
            with_expansion ? "N%d-%02d.0000 , E%d-%02d.0000" : "N%d-%02d , E%d-%02d";
        char expected[64];
        std::snprintf(expected, sizeof expected, format, latitude, minutes, longitude, minutes);
        bool enhanced = false;
        EXPECT_EQ(PositionText(call, 0, enhanced), expected) << latitude << " " << minutes;
      }
    }
  }
}

TEST(DecodePosition, CharacterAbove99IsInvalidAndClearsTheFlag) {
  DscCall call = Call({3, 54, 100, 39, 45});
  call.Expansion = Sequence({100, 12, 34, 56, 78, 117});
  bool enhanced = true;
  EXPECT_FALSE(DecodePosition(call, 0, enhanced).has_value());
  EXPECT_FALSE(enhanced);
  EXPECT_FALSE(DecodePosition(call, SymbolSequence::kCapacity - 4, enhanced).has_value());
}

}  // namespace
}  // namespace tolvik
