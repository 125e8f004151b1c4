#include "dsc/FrequencyField.h"

#include <gtest/gtest.h>

#include "support/SymbolData.h"

namespace tolvik {
namespace {

using test::Sequence;

double Decoded(std::initializer_list<int> characters) {
  return DecodeFrequency(Sequence(characters), 0);
}

std::string FirstOnly(std::initializer_list<int> characters) {
  return FormatFrequencies(Decoded(characters), 0.0);
}

TEST(DecodeFrequency, FrequenciesInUnitsOf100Hz) {
  // Tenths of kHz come from 0.1 * digit and are not exact in binary.
  EXPECT_NEAR(Decoded({2, 18, 20}), 2182.0, 1e-9);
  EXPECT_NEAR(Decoded({8, 41, 45}), 8414.5, 1e-9);
  EXPECT_NEAR(Decoded({12, 57, 70}), 12577.0, 1e-9);
  EXPECT_NEAR(Decoded({29, 99, 99}), 29999.9, 1e-9);
}

TEST(DecodeFrequency, ChannelsAndCodesWithoutText) {
  EXPECT_EQ(Decoded({30, 12, 34}), -101234.0);
  // A VHF channel ignores the second and third digits.
  EXPECT_EQ(Decoded({90, 0, 16}), -200016.0);
  EXPECT_EQ(Decoded({95, 50, 16}), -200016.0);
  for (int first = 40; first < 90; first += 10) {
    EXPECT_EQ(Decoded({first, 12, 34}), 0.0) << first;
  }
  EXPECT_EQ(Decoded({126, 126, 126}), 0.0);
  EXPECT_EQ(Decoded({2, 18, 105}), 0.0);
  EXPECT_EQ(DecodeFrequency(SymbolSequence{}, SymbolSequence::kCapacity - 2), 0.0);
}

TEST(FormatFrequencies, FirstSecondAndBoth) {
  EXPECT_EQ(FirstOnly({2, 18, 20}), "2182.0kHz");
  EXPECT_EQ(FormatFrequencies(Decoded({8, 41, 45}), Decoded({8, 41, 45})),
            "Rx : 8414.5kHz , Tx : 8414.5kHz");
  EXPECT_EQ(FormatFrequencies(0.0, Decoded({12, 57, 70})), "Tx : 12577.0kHz");
  EXPECT_EQ(FormatFrequencies(0.0, 0.0), "");
  EXPECT_EQ(FormatFrequencies(Decoded({126, 126, 126}), Decoded({126, 126, 126})), "");
}

TEST(FormatFrequencies, Channels) {
  EXPECT_EQ(FirstOnly({90, 0, 16}), "VHF 16ch");
  EXPECT_EQ(FirstOnly({95, 50, 16}), "VHF 16ch");
  EXPECT_EQ(FirstOnly({99, 99, 99}), "VHF 999ch");
  EXPECT_EQ(FirstOnly({30, 12, 34}), "1234ch");
  // The largest MF/HF channel is still read as one.
  EXPECT_EQ(FirstOnly({39, 99, 99}), "99999ch");
  EXPECT_EQ(FirstOnly({30, 0, 0}), "0ch");
  EXPECT_EQ(FormatFrequencies(Decoded({30, 12, 34}), Decoded({30, 12, 35})),
            "Rx : 1234ch , Tx : 1235ch");
  EXPECT_EQ(FormatFrequencies(Decoded({90, 0, 6}), Decoded({2, 18, 20})),
            "Rx : VHF 6ch , Tx : 2182.0kHz");
  EXPECT_EQ(FormatFrequencies(0.0, Decoded({90, 0, 70})), "Tx : VHF 70ch");
  EXPECT_EQ(FormatFrequencies(0.0, Decoded({31, 0, 1})), "Tx : 10001ch");
}

}  // namespace
}  // namespace tolvik
