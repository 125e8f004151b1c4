#include "dsc/MidTable.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

namespace tolvik {
namespace {

namespace fs = std::filesystem;

// Writes each test's own table file into a fresh folder.
class MidTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::path(::testing::TempDir()) / (std::string("tolvik_mid_") + info->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }

  void TearDown() override { fs::remove_all(folder_); }

  // The path of a table file holding exactly these bytes.
  fs::path Table(const std::string& contents) {
    const fs::path path = folder_ / "mid.txt";
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << contents;
    return path;
  }

  fs::path folder_;  // removed after each test
};

TEST_F(MidTableTest, FindsTheCountryOfAShip) {
  const fs::path table = Table("201,Albania\n211,Germany\n232,United Kingdom\n");
  EXPECT_EQ(LookupCountry(table, "211234560"), "Germany");
  EXPECT_EQ(LookupCountry(table, "201000000"), "Albania");
  EXPECT_EQ(LookupCountry(table, "232999999"), "United Kingdom");
  EXPECT_EQ(LookupCountry(table, "244000000"), "No Data");
  EXPECT_EQ(MidTable(table).LookupCountry("232123456"), "United Kingdom");
}

TEST_F(MidTableTest, CoastAircraftAndGroupKeys) {
  const fs::path table =
      Table("021,Group key\n111,Aircraft key\n211,Germany\n232,United Kingdom\n");
  EXPECT_EQ(LookupCountry(table, "002111230"), "Germany");
  EXPECT_EQ(LookupCountry(table, "111232500"), "United Kingdom");
  // A single leading zero is no coast station: the zero is part of the key.
  EXPECT_EQ(LookupCountry(table, "021100000"), "Group key");
  EXPECT_EQ(LookupCountry(table, "011100000"), "No Data");
  // "11" without a third 1 is an ordinary key.
  EXPECT_EQ(LookupCountry(table, "112110000"), "No Data");
}

TEST_F(MidTableTest, FirstMatchingLineDecides) {
  EXPECT_EQ(LookupCountry(Table("211,Germany\n211,Elsewhere\n"), "211000000"), "Germany");
  // A first match without a second field ends the search all the same.
  EXPECT_EQ(LookupCountry(Table("211\n211,Germany\n"), "211000000"), "No Data");
  // An empty second field is still the second field.
  EXPECT_EQ(LookupCountry(Table("211,,Germany\n211,Germany\n"), "211000000"), "");
}

TEST_F(MidTableTest, FieldsAreTakenAsTheyStand) {
  EXPECT_EQ(LookupCountry(Table("211, Germany\n"), "211000000"), " Germany");
  EXPECT_EQ(LookupCountry(Table("211,Germany ,DE,x\n"), "211000000"), "Germany ");
  // No trimming of the key field either.
  EXPECT_EQ(LookupCountry(Table(" 211,Germany\n211 ,Germany\n"), "211000000"), "No Data");
}

TEST_F(MidTableTest, LastLineWithoutLineBreak) {
  // The trailing field of an unterminated last line is never closed...
  EXPECT_EQ(LookupCountry(Table("201,Albania\n211,Germany"), "211000000"), "No Data");
  // ...but a comma closes it.
  EXPECT_EQ(LookupCountry(Table("201,Albania\n211,Germany,"), "211000000"), "Germany");
  EXPECT_EQ(LookupCountry(Table("201,Albania\n211,Germany"), "201000000"), "Albania");
}

TEST_F(MidTableTest, CarriageReturnLineFeedLines) {
  const fs::path table = Table("201,Albania\r\n211,Germany\r\n");
  EXPECT_EQ(LookupCountry(table, "211000000"), "Germany");
  EXPECT_EQ(LookupCountry(table, "201000000"), "Albania");
  // A carriage return on its own is an ordinary character.
  EXPECT_EQ(LookupCountry(Table("211,Germany\r,\n"), "211000000"), "Germany\r");
}

TEST_F(MidTableTest, LongLinesContinueAsNewLines) {
  // 4 + 251 characters fill a 255-character piece; the rest of the line is
  // read as a line of its own.
  const std::string filler(251, 'x');
  EXPECT_EQ(LookupCountry(Table("999," + filler + "211,Germany\n"), "211000000"), "Germany");
  // A 300-character line whose second piece starts with a key.
  const std::string long_line = "999," + filler + "232,United Kingdom," + std::string(26, 'y');
  ASSERT_EQ(long_line.size(), 300u);
  EXPECT_EQ(LookupCountry(Table(long_line + "\n"), "232000000"), "United Kingdom");
  // A matching line of exactly 255 characters before its line feed: its
  // second field is cut at the piece's end, never closed, and decides.
  EXPECT_EQ(LookupCountry(Table("211," + filler + "\n211,Germany\n"), "211000000"), "No Data");
  // One character less and the line feed fits into the piece.
  EXPECT_EQ(LookupCountry(Table("211," + std::string(250, 'x') + "\n"), "211000000"),
            std::string(250, 'x'));
}

TEST_F(MidTableTest, BinaryBytesAndAMegabyteWithoutLineBreaks) {
  // A file that is no table at all answers "No Data", in one pass and
  // without reading past the pieces it holds.
  std::string binary;
  for (int byte = 0; byte < 256; ++byte)
    binary += static_cast<char>(byte);
  EXPECT_EQ(LookupCountry(Table(binary + binary), "211000000"), "No Data");
  EXPECT_EQ(LookupCountry(Table(std::string(1 << 20, '2')), "211000000"), "No Data");
  // Junk before a good line does not hide it; a NUL inside a name is kept
  // as a byte like any other.
  EXPECT_EQ(LookupCountry(Table(binary + "\n211,Germany\n"), "211000000"), "Germany");
  EXPECT_EQ(LookupCountry(Table(std::string("211,Ger\0many\n", 14)), "211000000").size(), 8u);
}

TEST_F(MidTableTest, MissingFileGivesNoData) {
  EXPECT_EQ(LookupCountry(folder_ / "absent.txt", "211000000"), "No Data");
  EXPECT_EQ(LookupCountry(Table(""), "211000000"), "No Data");
}

TEST_F(MidTableTest, ShortIdentitiesAreSafe) {
  const fs::path table = Table("21,Short\n,Empty\n");
  EXPECT_EQ(LookupCountry(table, "21"), "Short");
  EXPECT_EQ(LookupCountry(table, "00"), "Empty");
  EXPECT_EQ(LookupCountry(table, ""), "Empty");
}

// The table shipped beside the program.
fs::path ShippedTable() {
  const char* data = std::getenv("TOLVIK_TEST_DATA");
  return fs::path(data != nullptr ? data : "data") / "mid.txt";
}

TEST(ShippedMidTable, EveryLineIsAMidAndACountry) {
  std::ifstream file(ShippedTable(), std::ios::binary);
  ASSERT_TRUE(file) << ShippedTable();
  const std::string contents((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  ASSERT_FALSE(contents.empty());
  EXPECT_EQ(contents.back(), '\n');
  EXPECT_EQ(contents.find('\r'), std::string::npos);

  std::set<int> mids;
  int previous = 0;
  std::size_t start = 0;
  while (start < contents.size()) {
    const std::size_t end = contents.find('\n', start);
    const std::string line = contents.substr(start, end - start);
    start = end + 1;
    ASSERT_GE(line.size(), 5u) << line;
    EXPECT_EQ(line[3], ',') << line;
    EXPECT_EQ(line.find(',', 4), std::string::npos) << line;
    EXPECT_NE(line[4], ' ') << line;
    EXPECT_NE(line.back(), ' ') << line;  // a trailing space would be part of the country
    EXPECT_LT(line.size(), 255u) << line;
    const int mid = std::stoi(line.substr(0, 3));
    EXPECT_GE(mid, 201) << line;
    EXPECT_LE(mid, 775) << line;
    EXPECT_GT(mid, previous) << line;  // ascending, so no MID twice
    previous = mid;
    mids.insert(mid);
  }
  EXPECT_GT(mids.size(), 250u);
}

TEST(ShippedMidTable, KnownAllocations) {
  const fs::path table = ShippedTable();
  EXPECT_EQ(LookupCountry(table, "201000000"), "Albania");
  EXPECT_EQ(LookupCountry(table, "211234560"), "Germany");
  EXPECT_EQ(LookupCountry(table, "002320004"), "United Kingdom");
  EXPECT_EQ(LookupCountry(table, "366999999"), "United States");
  EXPECT_EQ(LookupCountry(table, "111431000"), "Japan");
  EXPECT_EQ(LookupCountry(table, "503000000"), "Australia");
  EXPECT_EQ(LookupCountry(table, "636012345"), "Liberia");
  EXPECT_EQ(LookupCountry(table, "775000000"), "Venezuela");
  EXPECT_EQ(LookupCountry(table, "200000000"), "No Data");
}

}  // namespace
}  // namespace tolvik
