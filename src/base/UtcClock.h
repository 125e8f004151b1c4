#pragma once

#include <string>

namespace tolvik {

// A moment in Coordinated Universal Time, to the millisecond.
struct UtcTime {
  int Year = 1970;
  int Month = 1;        // 1..12
  int Day = 1;          // 1..31
  int Hour = 0;         // 0..23
  int Minute = 0;       // 0..59
  int Second = 0;       // 0..59
  int Millisecond = 0;  // 0..999
};

// Where the outputs take the date and time a row was written: stations in
// different zones must agree on it, and a log changes file at midnight UTC.
// An interface, so that tests can set the clock.
class UtcClock {
 public:
  virtual ~UtcClock() = default;
  virtual UtcTime Now() const = 0;
};

// The machine's clock.
class SystemUtcClock final : public UtcClock {
 public:
  UtcTime Now() const override;
};

// ISO 8601 with date and zone, to the millisecond: "2026-12-09T07:45:03.120Z".
std::string IsoUtcText(const UtcTime& time);

// The date alone, "2026-12-09": names a day's log file.
std::string IsoUtcDateText(const UtcTime& time);

}  // namespace tolvik
