#include "ui/CategoryCaption.h"

#include <gtest/gtest.h>

namespace tolvik {
namespace {

constexpr ColorValue kRed = 0x0000FF;  // red in the low byte

TEST(CaptionOfCategory, DistressCaptionsAreRedAndTellRelayFromAcknowledgement) {
  // A relay is known by the bracket closing its Information, whatever Ack says.
  const auto relay =
      CaptionOfCategory("Distress", "Fire , explosion (Distress from 232001234)", "Ack");
  EXPECT_EQ(relay.Text, "Distress (Relay)");
  EXPECT_EQ(relay.Colour, kRed);
  const auto acknowledgement = CaptionOfCategory("Distress", "Sinking", "Ack");
  EXPECT_EQ(acknowledgement.Text, "Distress (Acknowledgement)");
  EXPECT_EQ(acknowledgement.Colour, kRed);
  const auto alert = CaptionOfCategory("Distress", "Sinking", "");
  EXPECT_EQ(alert.Text, "Distress");
  EXPECT_EQ(alert.Colour, kRed);
  // An empty Information has no last character to look at.
  EXPECT_EQ(CaptionOfCategory("Distress", "", "").Text, "Distress");
  EXPECT_EQ(CaptionOfCategory("Distress", "", "Req").Text, "Distress");
}

TEST(CaptionOfCategory, OtherCategoriesKeepTheirTextInTheirColour) {
  struct Case {
    const char* category;
    ColorValue colour;
  };
  for (const Case& c :
       {Case{"Routine", 0xFF0000}, Case{"Safety", 0x008000}, Case{"Urgency", 0xFF00FF},
        Case{"N/A", 0x000000}, Case{"distress", 0x000000}, Case{"", 0x000000}}) {
    // The bracket rule belongs to distress rows only.
    const auto caption = CaptionOfCategory(c.category, "(Distress from 232001234)", "Ack");
    EXPECT_EQ(caption.Text, c.category);
    EXPECT_EQ(caption.Colour, c.colour) << c.category;
  }
}

}  // namespace
}  // namespace tolvik
