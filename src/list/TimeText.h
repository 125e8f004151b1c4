#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/TimeOfDayClock.h"

namespace tolvik {

constexpr int kMillisecondsPerSecond = 1000;
constexpr int kSecondsPerMinute = 60;
constexpr int kMinutesPerHour = 60;
constexpr int kHoursPerDay = 24;
constexpr int kMillisecondsPerMinute = kMillisecondsPerSecond * kSecondsPerMinute;
constexpr int kMillisecondsPerHour = kMillisecondsPerMinute * kMinutesPerHour;

// The row time text "HH:MM:SS" (two digits each, hours 00..23) of a time of
// day; milliseconds are dropped, not rounded.
std::string FormatTimeText(const TimeOfDay& time);

// Reads a row time text "HH:MM:SS" back as milliseconds since midnight.
// Anything but exactly that form with a valid time of day gives nothing.
std::optional<int> ParseTimeText(std::string_view text);

// A time of day as milliseconds since midnight.
int MillisecondsSinceMidnight(const TimeOfDay& time);

}  // namespace tolvik
