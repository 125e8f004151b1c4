#include "list/ListAgeing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ListTestDoubles.h"
#include "list/ListOptionValues.h"

namespace tolvik {
namespace {

using testing::FakeClock;
using testing::MakeCall;
using testing::RecordingAlertHost;

constexpr int kOneHourMs = 3'600'000;

TEST(AgeingLimit, IsDelMinTimesTenMinutesHeldToItsRange) {
  EXPECT_EQ(AgeingLimitMilliseconds(1), 10 * 60'000);
  EXPECT_EQ(AgeingLimitMilliseconds(6), kOneHourMs);
  EXPECT_EQ(AgeingLimitMilliseconds(143), 23 * kOneHourMs + 50 * 60'000);
  // A setting outside 1..143 cannot make a limit of nothing or of a day or more.
  EXPECT_EQ(AgeingLimitMilliseconds(0), AgeingLimitMilliseconds(1));
  EXPECT_EQ(AgeingLimitMilliseconds(-5), AgeingLimitMilliseconds(1));
  EXPECT_EQ(AgeingLimitMilliseconds(144), AgeingLimitMilliseconds(143));
}

TEST(RowAge, CountsARowTimeAfterNowAsTheDayBeforeShortOfOneSecond) {
  EXPECT_EQ(RowAgeMilliseconds(11 * kOneHourMs, 10 * kOneHourMs), kOneHourMs);
  EXPECT_EQ(RowAgeMilliseconds(5000, 5000), 0);
  // 23:55:00 seen at 00:30:00: 0:34:59, not 0:35:00.
  EXPECT_EQ(RowAgeMilliseconds(30 * 60'000, (23 * 60 + 55) * 60'000), (34 * 60 + 59) * 1000);
}

class ListAgeingTest : public ::testing::Test {
 protected:
  // Writes a row with the given time of day.
  void AddAt(int hour, int minute, int second, const std::string& from) {
    clock_.Set(hour, minute, second);
    list_.AddReceiveEntry(MakeCall(from));
  }

  // Runs one ageing pass at the given time and tells whether `from` survived.
  bool SurvivesAt(int hour, int minute, int second, int millisecond, const std::string& from) {
    clock_.Set(hour, minute, second, millisecond);
    ageing_.AgeReceiveList();
    for (int row = 0; row < list_.Count(); ++row) {
      if (list_.Row(row).From == from) {
        return true;
      }
    }
    return false;
  }

  ListOptionValues options_;
  FakeClock clock_;
  RecordingAlertHost host_;
  ReceiveList list_{options_, clock_, host_};
  ListAgeing ageing_{list_, options_, clock_};
};

TEST_F(ListAgeingTest, RowWithinOneDayGoesOnceItsAgeExceedsTheLimit) {
  options_.SetAgeingLimitSteps(6);
  AddAt(10, 0, 0, "row");
  // The check of 10:59:59 runs some milliseconds into that second.
  EXPECT_TRUE(SurvivesAt(10, 59, 59, 999, "row"));
  // Exactly one hour is not over the limit.
  EXPECT_TRUE(SurvivesAt(11, 0, 0, 0, "row"));
  EXPECT_FALSE(SurvivesAt(11, 0, 0, 5, "row"));
}

TEST_F(ListAgeingTest, RowFromBeforeMidnightLivesOneSecondLonger) {
  options_.SetAgeingLimitSteps(6);
  AddAt(23, 55, 0, "row");
  EXPECT_TRUE(SurvivesAt(0, 30, 0, 0, "row"));
  EXPECT_TRUE(SurvivesAt(0, 55, 0, 500, "row"));
  EXPECT_TRUE(SurvivesAt(0, 55, 1, 0, "row"));  // age exactly one hour
  EXPECT_FALSE(SurvivesAt(0, 55, 1, 5, "row"));
}

TEST_F(ListAgeingTest, SmallestAndLargestLimits) {
  options_.SetAgeingLimitSteps(1);
  AddAt(8, 0, 0, "short");
  EXPECT_TRUE(SurvivesAt(8, 10, 0, 0, "short"));
  EXPECT_FALSE(SurvivesAt(8, 10, 0, 1, "short"));

  options_.SetAgeingLimitSteps(143);
  AddAt(8, 0, 0, "long");
  EXPECT_TRUE(SurvivesAt(7, 0, 0, 0, "long"));  // 22:59:59 old, across midnight
  EXPECT_TRUE(SurvivesAt(7, 50, 0, 999, "long"));
  EXPECT_FALSE(SurvivesAt(7, 50, 1, 1, "long"));  // 23:50:00.001 old
}

TEST_F(ListAgeingTest, AdjacentRowsOverTheLimitAllGoInOnePass) {
  options_.SetAgeingLimitSteps(1);
  AddAt(9, 0, 0, "old 1");
  AddAt(9, 0, 1, "old 2");
  AddAt(9, 0, 2, "old 3");
  AddAt(9, 5, 0, "young 1");
  AddAt(9, 6, 0, "young 2");
  // Rows in another order than newest first, as after a header click.
  list_.SortReceiveList(2);
  clock_.Set(9, 12, 0, 0);
  ageing_.AgeReceiveList();
  ASSERT_EQ(list_.Count(), 2);
  EXPECT_EQ(list_.Row(0).From, "young 1");
  EXPECT_EQ(list_.Row(1).From, "young 2");

  // Every row over the limit: the list empties.
  clock_.Set(9, 20, 0, 0);
  ageing_.AgeReceiveList();
  EXPECT_EQ(list_.Count(), 0);
}

TEST_F(ListAgeingTest, ReadsTheClockAfreshForEveryRow) {
  // A clock that moves on by one millisecond every time it is read.
  class TickingClock final : public TimeOfDayClock {
   public:
    TimeOfDay Now() const override { return TimeOfDay{10, 10, 0, reads_++}; }

   private:
    mutable int reads_ = 0;  // times Now has been asked
  };
  options_.SetAgeingLimitSteps(1);
  AddAt(10, 0, 0, "lower");
  AddAt(10, 0, 0, "upper");
  TickingClock ticking;
  ListAgeing ageing(list_, options_, ticking);
  // The upper row is checked at 10:10:00.000, exactly ten minutes old; the
  // lower one a millisecond later, just over.
  ageing.AgeReceiveList();
  ASSERT_EQ(list_.Count(), 1);
  EXPECT_EQ(list_.Row(0).From, "upper");
}

TEST_F(ListAgeingTest, RowWithUnreadableTimeIsLeftAlone) {
  options_.SetAgeingLimitSteps(1);
  AddAt(0, 0, 0, "row");
  // Only the list writes times; a clock gone wrong is the one way to a bad text.
  clock_.Set(25, 0, 0);
  list_.AddReceiveEntry(MakeCall("bad"));
  ASSERT_EQ(list_.Row(0).Time, "25:00:00");
  clock_.Set(12, 0, 0);
  ageing_.AgeReceiveList();
  ASSERT_EQ(list_.Count(), 1);
  EXPECT_EQ(list_.Row(0).From, "bad");
}

}  // namespace
}  // namespace tolvik
