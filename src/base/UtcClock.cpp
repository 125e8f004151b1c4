#include "base/UtcClock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace tolvik {

UtcTime SystemUtcClock::Now() const {
  using std::chrono::system_clock;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm utc{};
#ifdef _WIN32
  gmtime_s(&utc, &seconds);
#else
  gmtime_r(&seconds, &utc);
#endif
  return UtcTime{utc.tm_year + 1900,
                 utc.tm_mon + 1,
                 utc.tm_mday,
                 utc.tm_hour,
                 utc.tm_min,
                 utc.tm_sec,
                 static_cast<int>(milliseconds)};
}

std::string IsoUtcText(const UtcTime& time) {
  char text[40];
  std::snprintf(text, sizeof text, "%sT%02d:%02d:%02d.%03dZ", IsoUtcDateText(time).c_str(),
                time.Hour, time.Minute, time.Second, time.Millisecond);
  return text;
}

std::string IsoUtcDateText(const UtcTime& time) {
  char text[24];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", time.Year, time.Month, time.Day);
  return text;
}

}  // namespace tolvik
