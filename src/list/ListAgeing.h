#pragma once

#include "base/SettingRanges.h"
#include "base/TimeOfDayClock.h"
#include "list/ListOptions.h"
#include "list/ReceiveList.h"

namespace tolvik {

// The ageing limit for a DelMin setting, in milliseconds; DelMin is held to
// 1..143 first, so the limit is always within 00:10:00 to 23:50:00.
int AgeingLimitMilliseconds(int del_min);

// How old a row written at `row_time_ms` is at `now_ms` (both milliseconds
// since midnight). Row times lie in the past, so a row time after the current
// time belongs to the day before; that day is counted as 23:59:59, one second
// short of a full day.
int RowAgeMilliseconds(int now_ms, int row_time_ms);

// Deletes receive-list rows older than the ageing limit (DelMin). A row's
// age comes from its Time text alone, which holds only a time of day, so all
// ages lie within one day.
class ListAgeing {
 public:
  // All three must outlive the ageing.
  ListAgeing(ReceiveList& list, const ListOptions& options, const TimeOfDayClock& clock);

  // One pass over the whole list from the top; the clock is read afresh for
  // every row. The caller runs it once per second while TimeDel is set.
  void AgeReceiveList();

 private:
  ReceiveList& list_;            // the rows to age
  const ListOptions& options_;   // the ageing limit, read at every pass
  const TimeOfDayClock& clock_;  // the current time of day, to the millisecond
};

}  // namespace tolvik
