#include "list/ListAgeing.h"

#include <algorithm>
#include <optional>

#include "list/TimeText.h"

namespace tolvik {

namespace {

// The day as the ageing counts it: 23:59:59.
constexpr int kAgeingDayMilliseconds = kHoursPerDay * kMillisecondsPerHour - kMillisecondsPerSecond;

}  // namespace

int AgeingLimitMilliseconds(int del_min) {
  const int limit_minutes =
      std::clamp(del_min, kLowestDelMin, kHighestDelMin) * kMinutesPerDelMinStep;
  return limit_minutes * kMillisecondsPerMinute;
}

int RowAgeMilliseconds(int now_ms, int row_time_ms) {
  const int age = now_ms - row_time_ms;
  return age >= 0 ? age : now_ms + kAgeingDayMilliseconds - row_time_ms;
}

ListAgeing::ListAgeing(ReceiveList& list, const ListOptions& options, const TimeOfDayClock& clock)
    : list_(list), options_(options), clock_(clock) {}

void ListAgeing::AgeReceiveList() {
  const int limit = AgeingLimitMilliseconds(options_.AgeingLimitSteps());
  for (int row = 0; row < list_.Count();) {
    const std::optional<int> row_time = ParseTimeText(list_.Row(row).Time);
    const int now = MillisecondsSinceMidnight(clock_.Now());
    // A time text the list did not write cannot be aged; such a row stays.
    if (row_time && RowAgeMilliseconds(now, *row_time) > limit) {
      list_.DeleteRow(row);  // the next row moves up into this place
    } else {
      ++row;
    }
  }
}

}  // namespace tolvik
