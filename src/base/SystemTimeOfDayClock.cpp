#include <chrono>
#include <ctime>

#include "base/TimeOfDayClock.h"

namespace tolvik {

TimeOfDay SystemTimeOfDayClock::Now() const {
  using std::chrono::system_clock;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  return TimeOfDay{local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(milliseconds)};
}

}  // namespace tolvik
