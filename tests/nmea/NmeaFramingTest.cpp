#include "nmea/NmeaFraming.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NmeaSentenceCheck.h"

namespace tolvik {
namespace {

using testing::CheckedFields;

// Sentences as radios send them, with the checksums they carry.
const std::vector<std::string> kRadioSentences = {
    "$CDDSC,12,3380400790,12,06,00,1423108312,2019,,,S,E*6A\r\n",
    "$CDDSE,1,1,A,3380400790,00,45894494*1B\r\n",
    "$CDDSC,20,3381581370,00,21,26,1423108312,1902,,,B,E*7B\r\n",
    "$CDDSC,16,2350763930,12,12,00,2380814428,1800,5031105200,05,S,E*65\r\n",
};

TEST(NmeaFramingTest, ReframingRadioSentencesGivesThemBackByteForByte) {
  for (const std::string& sentence : kRadioSentences) {
    const std::vector<std::string> fields = CheckedFields(sentence);
    ASSERT_FALSE(fields.empty()) << sentence;
    const std::vector<std::string> data(fields.begin() + 1, fields.end());
    EXPECT_EQ(FrameSentence(fields[0], data), sentence);
  }
}

TEST(NmeaFramingTest, ChecksumDigitsAreUpperCaseHexWithALeadingZero) {
  // "AB": 0x41 ^ 0x42 = 0x03; "A,K": 0x41 ^ 0x2C ^ 0x4B = 0x26; "O,Z": 0x39.
  const std::vector<std::string> none;
  EXPECT_EQ(FrameSentence("AB", none), "$AB*03\r\n");
  const std::vector<std::string> one{"K"};
  EXPECT_EQ(FrameSentence("A", one), "$A,K*26\r\n");
  const std::vector<std::string> letters{"Z"};
  EXPECT_EQ(FrameSentence("O", letters), "$O,Z*39\r\n");
}

TEST(NmeaFramingTest, TheCheckRejectsADamagedSentence) {
  std::string damaged = kRadioSentences[0];
  damaged[10] = '9';
  EXPECT_TRUE(CheckedFields(damaged).empty());
  EXPECT_TRUE(CheckedFields(kRadioSentences[0].substr(0, kRadioSentences[0].size() - 2)).empty());
}

}  // namespace
}  // namespace tolvik
