#pragma once

namespace tolvik {

// A local wall-clock time of day.
struct TimeOfDay {
  int Hour = 0;         // 0..23
  int Minute = 0;       // 0..59
  int Second = 0;       // 0..59
  int Millisecond = 0;  // 0..999
};

// The core's only source of the time of day, so that tests can set the clock.
class TimeOfDayClock {
 public:
  virtual ~TimeOfDayClock() = default;
  virtual TimeOfDay Now() const = 0;
};

// The machine's local time.
class SystemTimeOfDayClock final : public TimeOfDayClock {
 public:
  TimeOfDay Now() const override;
};

}  // namespace tolvik
