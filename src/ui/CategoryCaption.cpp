#include "ui/CategoryCaption.h"

namespace tolvik {

namespace {

// Colours with red in the low byte, blue in the third.
constexpr ColorValue kRed = 0x0000FF;
constexpr ColorValue kBlue = 0xFF0000;
constexpr ColorValue kGreen = 0x008000;    // RGB 0, 128, 0
constexpr ColorValue kFuchsia = 0xFF00FF;  // RGB 255, 0, 255
constexpr ColorValue kBlack = 0x000000;

std::string DistressText(const std::string& information, const std::string& ack) {
  if (!information.empty() && information.back() == ')') {
    return "Distress (Relay)";
  }
  if (ack == "Ack") {
    return "Distress (Acknowledgement)";
  }
  return "Distress";
}

ColorValue ColourOfCategory(const std::string& category) {
  if (category == "Routine") {
    return kBlue;
  }
  if (category == "Safety") {
    return kGreen;
  }
  if (category == "Urgency") {
    return kFuchsia;
  }
  return kBlack;
}

}  // namespace

CategoryCaption CaptionOfCategory(const std::string& category, const std::string& information,
                                  const std::string& ack) {
  if (category == "Distress") {
    return {DistressText(information, ack), kRed};
  }
  return {category, ColourOfCategory(category)};
}

}  // namespace tolvik
