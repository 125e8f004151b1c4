#include "ui/MapLink.h"

#include <gtest/gtest.h>

#include <string>

namespace tolvik {
namespace {

std::string Link(const std::string& coordinates, const std::string& from) {
  return std::string(kMapServiceAddress) + "?q=" + coordinates + "(" + from + ")&z=6";
}

TEST(MapLinkOfPosition, PositionsAsThePositionFieldWritesThem) {
  EXPECT_EQ(MapLinkOfPosition("N35-40 , E139-45", "211234560"),
            Link("35.666667,139.750000", "211234560"));
  // Enhanced minutes on both; south and west negative.
  EXPECT_EQ(MapLinkOfPosition("S33-51.1234 , W151-12.5000", "002320001"),
            Link("-33.852057,-151.208333", "002320001"));
  // One-digit degrees on both.
  EXPECT_EQ(MapLinkOfPosition("N5-07 , W3-09", "232001234"),
            Link("5.116667,-3.150000", "232001234"));
  // Two-digit longitude degrees; the label is taken as it stands.
  EXPECT_EQ(MapLinkOfPosition("N50-07 , W4-30", ""), Link("50.116667,-4.500000", ""));
  EXPECT_EQ(MapLinkOfPosition("S0-30 , E10-00", "N/A & more"),
            Link("-0.500000,10.000000", "N/A & more"));
}

TEST(MapLinkOfPosition, TextsThatCannotBeReadGiveNoLink) {
  for (const char* unreadable : {
           "",
           "N/A",
           "N",
           "N35",
           "N35-4",              // minutes run out
           "N123-00 , E1-00",    // three-digit latitude degrees
           "N35-40 ; E139-45",   // no comma where it belongs
           "N35-40 , E1399-45",  // four-digit longitude degrees
           "N35-40 , E139-4",    // longitude minutes run out
           "N35-40.12 , E1-00",  // fraction runs out
           "N35-40 , E139-45.12",
       }) {
    EXPECT_EQ(MapLinkOfPosition(unreadable, "211234560"), "") << unreadable;
  }
}

TEST(MapLinkOfPosition, ReadsByPositionWithoutCheckingDigitsOrLetters) {
  // Only "S" and "W" turn the sign; any other letter counts as N or E, and
  // the end of the text right after the minutes means no fraction.
  EXPECT_EQ(MapLinkOfPosition("X35-40 , Q139-45", "a"), Link("35.666667,139.750000", "a"));
}

}  // namespace
}  // namespace tolvik
