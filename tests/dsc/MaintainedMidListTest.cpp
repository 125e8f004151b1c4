// The shipped mid.txt against an independent, maintained list of MIDs: the
// data of the npm package @michaeljfazio/mids, version 2.0.2. Every MID of
// that list must be in the table exactly once, and the table must hold no MID
// beyond it other than the three where that list and the ITU's table of
// Maritime Identification Digits part: the list puts Honduras at 335 where
// the ITU allocates 334, and lacks 471 (United Arab Emirates, beside 470)
// and 550 (Timor-Leste).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "dsc/MidTable.h"

namespace tolvik {
namespace {

namespace fs = std::filesystem;

// The MIDs of the maintained list, in its order.
constexpr int kMaintainedListMids[] = {
    201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212, 213, 214, 215, 216, 218, 219, 220,
    224, 225, 226, 227, 228, 229, 230, 231, 232, 233, 234, 235, 236, 237, 238, 239, 240, 241, 242,
    243, 244, 245, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255, 256, 257, 258, 259, 261, 262,
    263, 264, 265, 266, 267, 268, 269, 270, 271, 272, 273, 274, 275, 276, 277, 278, 279, 301, 303,
    304, 305, 306, 307, 308, 309, 310, 311, 312, 314, 316, 319, 321, 323, 325, 327, 329, 330, 331,
    332, 335, 336, 338, 339, 341, 343, 345, 347, 348, 350, 351, 352, 353, 354, 355, 356, 357, 358,
    359, 361, 362, 364, 366, 367, 368, 369, 370, 371, 372, 373, 374, 375, 376, 377, 378, 379, 401,
    403, 405, 408, 410, 412, 413, 414, 416, 417, 419, 422, 423, 425, 428, 431, 432, 434, 436, 437,
    438, 440, 441, 443, 445, 447, 450, 451, 453, 455, 457, 459, 461, 463, 466, 468, 470, 472, 473,
    475, 477, 478, 501, 503, 506, 508, 510, 511, 512, 514, 515, 516, 518, 520, 523, 525, 529, 531,
    533, 536, 538, 540, 542, 544, 546, 548, 553, 555, 557, 559, 561, 563, 564, 565, 566, 567, 570,
    572, 574, 576, 577, 578, 601, 603, 605, 607, 608, 609, 610, 611, 612, 613, 615, 616, 617, 618,
    619, 620, 621, 622, 624, 625, 626, 627, 629, 630, 631, 632, 633, 634, 635, 636, 637, 638, 642,
    644, 645, 647, 649, 650, 654, 655, 656, 657, 659, 660, 661, 662, 663, 664, 665, 666, 667, 668,
    669, 670, 671, 672, 674, 675, 676, 677, 678, 679, 701, 710, 720, 725, 730, 735, 740, 745, 750,
    755, 760, 765, 770, 775};

// Where the ITU table and the maintained list part (see the top of the file).
constexpr int kListOnlyMid = 335;
const std::set<int> kTableOnlyMids = {334, 471, 550};

fs::path ShippedTable() {
  const char* data = std::getenv("TOLVIK_TEST_DATA");
  return fs::path(data != nullptr ? data : "data") / "mid.txt";
}

// How often each MID opens a line of the shipped table.
std::map<int, int> MidCounts() {
  std::ifstream file(ShippedTable());
  std::map<int, int> counts;
  std::string line;
  while (std::getline(file, line)) {
    ++counts[std::stoi(line.substr(0, 3))];
  }
  return counts;
}

TEST(MaintainedMidList, EveryMidOfTheListIsInTheTableOnce) {
  const std::map<int, int> counts = MidCounts();
  ASSERT_FALSE(counts.empty()) << ShippedTable();
  std::set<int> expected(std::begin(kMaintainedListMids), std::end(kMaintainedListMids));
  ASSERT_EQ(expected.size(), std::size(kMaintainedListMids));
  expected.erase(kListOnlyMid);
  expected.insert(kTableOnlyMids.begin(), kTableOnlyMids.end());

  for (const int mid : expected) {
    const auto found = counts.find(mid);
    EXPECT_TRUE(found != counts.end() && found->second == 1) << "MID " << mid;
  }
  for (const auto& [mid, count] : counts) {
    EXPECT_TRUE(expected.contains(mid)) << "MID " << mid << " is on neither list";
  }
  EXPECT_EQ(counts.size(), 292u);
}

TEST(MaintainedMidList, KnownEntriesCarryTheirCountry) {
  const fs::path table = ShippedTable();
  EXPECT_EQ(LookupCountry(table, "257123456"), "Norway");
  for (const char* identity : {"338123456", "366123456", "367123456", "368123456", "369123456"}) {
    EXPECT_EQ(LookupCountry(table, identity), "United States") << identity;
  }
  EXPECT_EQ(LookupCountry(table, "431123456"), "Japan");
  EXPECT_EQ(LookupCountry(table, "503123456"), "Australia");
  // The three where the maintained list is short of the ITU table.
  EXPECT_EQ(LookupCountry(table, "334123456"), "Honduras");
  EXPECT_EQ(LookupCountry(table, "335123456"), "No Data");
  EXPECT_EQ(LookupCountry(table, "471123456"), "United Arab Emirates");
  EXPECT_EQ(LookupCountry(table, "550123456"), "Timor-Leste");
  // A coast station's MID follows its two leading zeros.
  EXPECT_EQ(LookupCountry(table, "002570000"), "Norway");
}

}  // namespace
}  // namespace tolvik
