#include "dsc/TelephoneNumber.h"

#include <gtest/gtest.h>

#include "support/SymbolData.h"

namespace tolvik {
namespace {

using test::Sequence;

TEST(FormatNumber, OddAndEvenDigitCounts) {
  EXPECT_EQ(FormatNumber(Sequence({105, 1, 23, 45, 117}), 0, 4), "12345");
  EXPECT_EQ(FormatNumber(Sequence({106, 1, 23, 45, 117}), 0, 4), "012345");
  EXPECT_EQ(FormatNumber(Sequence({106, 0, 0, 7, 117}), 0, 4), "000007");
  // The start need not be 0.
  EXPECT_EQ(FormatNumber(Sequence({1, 2, 105, 9, 117}), 2, 2), "9");
}

TEST(FormatNumber, BadIndicatorOrCharacterGivesNotAvailable) {
  EXPECT_EQ(FormatNumber(Sequence({107, 1, 23, 45, 117}), 0, 4), "N/A");
  EXPECT_EQ(FormatNumber(Sequence({45, 1, 23, 45, 117}), 0, 4), "N/A");
  EXPECT_EQ(FormatNumber(Sequence({105, 1, 100, 45, 117}), 0, 4), "N/A");
  // The end-of-sequence symbol is past the length and not checked...
  EXPECT_EQ(FormatNumber(Sequence({105, 1, 23, 117}), 0, 3), "123");
  // ...but a length reaching it takes it in.
  EXPECT_EQ(FormatNumber(Sequence({105, 1, 23, 117}), 0, 4), "N/A");
}

TEST(FormatNumber, LengthOneOrLessStillWritesTheNextCharacter) {
  EXPECT_EQ(FormatNumber(Sequence({105, 7, 117}), 0, 1), "7");
  EXPECT_EQ(FormatNumber(Sequence({106, 7, 117}), 0, 1), "07");
  // The next character may be the end-of-sequence symbol itself: of "117"
  // the second digit for 105, the first two for 106.
  EXPECT_EQ(FormatNumber(Sequence({105, 117}), 0, 1), "1");
  EXPECT_EQ(FormatNumber(Sequence({106, 122}), 0, 0), "12");
  EXPECT_EQ(FormatNumber(Sequence({105, 127}), 0, -5), "2");
}

TEST(FormatNumber, NeverReadsPastTheArray) {
  SymbolSequence sequence;
  sequence.Symbols[120] = 106;
  for (int i = 121; i < SymbolSequence::kCapacity; ++i) {
    sequence.Symbols[i] = static_cast<std::uint8_t>(i - 100);
  }
  // The length runs far past the array; the number stops at its last character.
  EXPECT_EQ(FormatNumber(sequence, 120, 1000), "21222324252627");
  EXPECT_EQ(FormatNumber(sequence, 120, 2147483647), "21222324252627");
  // No character after an indicator in the last place.
  sequence.Symbols[SymbolSequence::kCapacity - 1] = 105;
  EXPECT_EQ(FormatNumber(sequence, SymbolSequence::kCapacity - 1, 1), "N/A");
  EXPECT_EQ(FormatNumber(sequence, -1, 3), "N/A");
}

}  // namespace
}  // namespace tolvik
