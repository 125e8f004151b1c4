#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "base/UtcClock.h"

namespace tolvik {
namespace {

TEST(UtcClockTest, EveryFieldIsZeroPaddedToItsWidth) {
  EXPECT_EQ(IsoUtcText({5, 1, 2, 3, 4, 5, 7}), "0005-01-02T03:04:05.007Z");
  EXPECT_EQ(IsoUtcText({2026, 12, 9, 7, 45, 3, 120}), "2026-12-09T07:45:03.120Z");
  EXPECT_EQ(IsoUtcDateText({2026, 3, 4, 12, 0, 0, 0}), "2026-03-04");
}

TEST(UtcClockTest, DateTurnsAtMidnightNotBefore) {
  const UtcTime last_moment{2026, 12, 31, 23, 59, 59, 999};
  const UtcTime midnight{2027, 1, 1, 0, 0, 0, 0};
  EXPECT_EQ(IsoUtcDateText(last_moment), "2026-12-31");
  EXPECT_EQ(IsoUtcText(last_moment), "2026-12-31T23:59:59.999Z");
  EXPECT_EQ(IsoUtcDateText(midnight), "2027-01-01");
  EXPECT_EQ(IsoUtcText(midnight), "2027-01-01T00:00:00.000Z");
}

// Keeps the time zone of the process set as the test wants, and puts the
// old one back.
class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) {
      old_ = old;
    }
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ScopedTimeZone() {
    if (old_) {
      setenv("TZ", old_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::optional<std::string> old_;
};

TEST(UtcClockTest, SystemClockGivesUniversalTimeWhateverTheLocalZone) {
  // 5 h 45 min east of Greenwich, written as a POSIX rule so that no zone
  // database is needed: a clock reading local time would be off by hours.
  const ScopedTimeZone nepal("NPT-5:45");
  const std::time_t before = std::time(nullptr);
  const UtcTime now = SystemUtcClock().Now();
  const std::time_t after = std::time(nullptr);
  std::tm fields{};
  fields.tm_year = now.Year - 1900;
  fields.tm_mon = now.Month - 1;
  fields.tm_mday = now.Day;
  fields.tm_hour = now.Hour;
  fields.tm_min = now.Minute;
  fields.tm_sec = now.Second;
  const std::time_t read = timegm(&fields);
  EXPECT_GE(read, before);
  EXPECT_LE(read, after);
  EXPECT_GE(now.Millisecond, 0);
  EXPECT_LE(now.Millisecond, 999);
}

}  // namespace
}  // namespace tolvik
