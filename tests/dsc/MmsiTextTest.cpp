#include "dsc/MmsiText.h"

#include <gtest/gtest.h>

#include "support/SymbolData.h"

namespace tolvik {
namespace {

using test::Sequence;

TEST(FormatMmsi, ShowsNineOfTheTenDigitsWithLeadingZeros) {
  EXPECT_EQ(FormatMmsi(Sequence({21, 12, 34, 56, 0}), 0), "211234560");
  EXPECT_EQ(FormatMmsi(Sequence({0, 2, 11, 12, 30}), 0), "000211123");
  // The tenth digit is dropped whatever it holds.
  EXPECT_EQ(FormatMmsi(Sequence({99, 99, 99, 99, 99}), 0), "999999999");
  EXPECT_EQ(FormatMmsi(Sequence({120, 120, 21, 12, 34, 56, 7}), 2), "211234560");
}

TEST(FormatMmsi, CharacterAbove99GivesNotAvailable) {
  EXPECT_EQ(FormatMmsi(Sequence({100, 12, 34, 56, 0}), 0), "N/A");
  EXPECT_EQ(FormatMmsi(Sequence({21, 12, 34, 56, 127}), 0), "N/A");
}

TEST(FormatMmsi, FieldOutsideTheArrayGivesNotAvailable) {
  const SymbolSequence sequence;
  EXPECT_EQ(FormatMmsi(sequence, SymbolSequence::kCapacity - 5), "000000000");
  EXPECT_EQ(FormatMmsi(sequence, SymbolSequence::kCapacity - 4), "N/A");
  EXPECT_EQ(FormatMmsi(sequence, -1), "N/A");
}

}  // namespace
}  // namespace tolvik
