#include "ui/AddressKind.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace tolvik {
namespace {

TEST(ClassifyAddress, NineCharactersAreJudgedByTheirFirstDigits) {
  EXPECT_EQ(ClassifyAddress("232001234"), AddressKind::Ship);
  EXPECT_EQ(ClassifyAddress("211234560"), AddressKind::Ship);
  EXPECT_EQ(ClassifyAddress("799999999"), AddressKind::Ship);
  EXPECT_EQ(ClassifyAddress("002320001"), AddressKind::Coast);
  EXPECT_EQ(ClassifyAddress("023200000"), AddressKind::Group);
  EXPECT_EQ(ClassifyAddress("111232500"), AddressKind::Aircraft);
  // "1" not followed by "11", "8" and "9" name no station.
  EXPECT_EQ(ClassifyAddress("123456789"), AddressKind::None);
  EXPECT_EQ(ClassifyAddress("110000000"), AddressKind::None);
  EXPECT_EQ(ClassifyAddress("812345678"), AddressKind::None);
  EXPECT_EQ(ClassifyAddress("912345678"), AddressKind::None);
  // Only the first characters count: a letter further in keeps the kind.
  EXPECT_EQ(ClassifyAddress("2320A1234"), AddressKind::Ship);
  EXPECT_EQ(ClassifyAddress("00ABCDEFG"), AddressKind::Coast);
  // A nine-character text not starting with a digit is nothing, even one
  // that looks like an area.
  EXPECT_EQ(ClassifyAddress("N35E139-N"), AddressKind::None);
  EXPECT_EQ(ClassifyAddress(" 23200123"), AddressKind::None);
}

TEST(ClassifyAddress, OtherLengthsAreAllStationsAnAreaOrNothing) {
  EXPECT_EQ(ClassifyAddress("All stations"), AddressKind::AllStations);
  EXPECT_EQ(ClassifyAddress("N35E139-N30E149"), AddressKind::Area);
  EXPECT_EQ(ClassifyAddress("S10E20-S15E25"), AddressKind::Area);
  EXPECT_EQ(ClassifyAddress("N/A"), AddressKind::None);  // begins with N, yet no area
  EXPECT_EQ(ClassifyAddress(""), AddressKind::None);
  EXPECT_EQ(ClassifyAddress("2320012345"), AddressKind::None);  // ten digits
  EXPECT_EQ(ClassifyAddress("23200123"), AddressKind::None);    // eight
  EXPECT_EQ(ClassifyAddress("all stations"), AddressKind::None);
}

class CountryOfAddressTest : public ::testing::Test {
 protected:
  CountryOfAddressTest()
      : mid_file_(std::filesystem::path(folder_.path().toStdString()) / "mid.txt") {
    std::ofstream(mid_file_) << "211,Germany\n232,United Kingdom\n";
  }

  QTemporaryDir folder_;
  std::filesystem::path mid_file_;
};

TEST_F(CountryOfAddressTest, OnlyNineDecimalDigitsAreLookedUp) {
  EXPECT_EQ(CountryOfAddress(mid_file_, "232001234"), "United Kingdom");
  EXPECT_EQ(CountryOfAddress(mid_file_, "002111230"), "Germany");         // coast: after the "00"
  EXPECT_EQ(CountryOfAddress(mid_file_, "111232500"), "United Kingdom");  // after the "111"
  EXPECT_EQ(CountryOfAddress(mid_file_, "244000000"), "No Data");
  EXPECT_EQ(CountryOfAddress(mid_file_, "2320A1234"), "-");
  EXPECT_EQ(CountryOfAddress(mid_file_, "2320012345"), "-");
  EXPECT_EQ(CountryOfAddress(mid_file_, "N/A"), "-");
  EXPECT_EQ(CountryOfAddress(mid_file_, ""), "-");
  EXPECT_EQ(CountryOfAddress(mid_file_.parent_path() / "missing.txt", "232001234"), "No Data");
}

TEST_F(CountryOfAddressTest, TheTableIsReadAfreshEveryTime) {
  EXPECT_EQ(CountryOfAddress(mid_file_, "244000000"), "No Data");
  std::ofstream(mid_file_, std::ios::app) << "244,Netherlands\n";
  EXPECT_EQ(CountryOfAddress(mid_file_, "244000000"), "Netherlands");
}

}  // namespace
}  // namespace tolvik
