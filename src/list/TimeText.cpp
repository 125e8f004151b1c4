#include "list/TimeText.h"

#include <cstddef>
#include <cstdio>

namespace tolvik {

namespace {

constexpr std::size_t kTimeTextLength = 8;  // "HH:MM:SS"

// The two-digit number at position, or nothing when either is not a digit.
std::optional<int> TwoDigitsAt(std::string_view text, std::size_t position) {
  const char tens = text[position];
  const char units = text[position + 1];
  if (tens < '0' || tens > '9' || units < '0' || units > '9') {
    return std::nullopt;
  }
  return (tens - '0') * 10 + (units - '0');
}

}  // namespace

std::string FormatTimeText(const TimeOfDay& time) {
  // Room for three numbers of any int width, should a clock misbehave.
  char text[40];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.Hour, time.Minute, time.Second);
  return text;
}

std::optional<int> ParseTimeText(std::string_view text) {
  if (text.size() != kTimeTextLength || text[2] != ':' || text[5] != ':') {
    return std::nullopt;
  }
  const std::optional<int> hours = TwoDigitsAt(text, 0);
  const std::optional<int> minutes = TwoDigitsAt(text, 3);
  const std::optional<int> seconds = TwoDigitsAt(text, 6);
  if (!hours || !minutes || !seconds || *hours >= kHoursPerDay || *minutes >= kMinutesPerHour ||
      *seconds >= kSecondsPerMinute) {
    return std::nullopt;
  }
  return *hours * kMillisecondsPerHour + *minutes * kMillisecondsPerMinute +
         *seconds * kMillisecondsPerSecond;
}

int MillisecondsSinceMidnight(const TimeOfDay& time) {
  return time.Hour * kMillisecondsPerHour + time.Minute * kMillisecondsPerMinute +
         time.Second * kMillisecondsPerSecond + time.Millisecond;
}

}  // namespace tolvik
