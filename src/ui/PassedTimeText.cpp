#include "ui/PassedTimeText.h"

#include "base/SettingRanges.h"

namespace tolvik {

std::string PassedTimeText(int del_min) {
  constexpr int kMinutesPerHour = 60;
  const int minutes = del_min * kMinutesPerDelMinStep;
  const int hours = minutes / kMinutesPerHour;
  const int rest = minutes % kMinutesPerHour;
  std::string text;
  if (hours > 0) {
    text = std::to_string(hours) + " hour";
  }
  if (rest > 0) {
    if (!text.empty()) {
      text += " ";
    }
    text += std::to_string(rest) + " min";
  }
  return text;
}

}  // namespace tolvik
