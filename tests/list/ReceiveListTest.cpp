#include "list/ReceiveList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "ListTestDoubles.h"
#include "list/ListOptionValues.h"
#include "list/ReceiveColumns.h"
#include "list/TextOrder.h"

namespace tolvik {
namespace {

using testing::FakeClock;
using testing::MakeCall;
using testing::RecordingAlertHost;
using testing::RecordingObserver;
using Events = std::vector<std::string>;

class ReceiveListTest : public ::testing::Test {
 protected:
  ReceiveListTest() {
    host_.list = &list_;
    list_.SetObserver(&observer_);
    clock_.Set(12, 0, 0);
  }

  // Adds a call at the given time of day.
  void AddAt(int hour, int minute, int second, const CallTexts& call) {
    clock_.Set(hour, minute, second, 500);
    list_.AddReceiveEntry(call);
  }

  // The From of every row, top to bottom.
  std::vector<std::string> Froms() const {
    std::vector<std::string> froms;
    for (int row = 0; row < list_.Count(); ++row) {
      froms.push_back(list_.Row(row).From);
    }
    return froms;
  }

  ListOptionValues options_;
  FakeClock clock_;
  RecordingAlertHost host_;
  RecordingObserver observer_;
  ReceiveList list_{options_, clock_, host_};
};

TEST_F(ReceiveListTest, WritesAllTextsWithTimeAndKeepsNewestOnTop) {
  CallTexts call = MakeCall("211000001", "Info", DistressKind::None, "N35-40 , E139-45");
  call.Ack = "Req";
  AddAt(7, 5, 9, call);
  AddAt(7, 5, 10, MakeCall("211000002"));

  ASSERT_EQ(list_.Count(), 2);
  EXPECT_EQ(Froms(), (std::vector<std::string>{"211000002", "211000001"}));
  const ReceiveEntry& row = list_.Row(1);
  EXPECT_EQ(row.Category, "Routine");
  EXPECT_EQ(row.To, "All stations");
  EXPECT_EQ(row.RequestStatus, "Test");
  EXPECT_EQ(row.Information, "Info");
  EXPECT_EQ(row.Position, "N35-40 , E139-45");
  EXPECT_EQ(row.Ack, "Req");
  EXPECT_EQ(row.Time, "07:05:09");
  EXPECT_EQ(list_.CellText(1, 7), "07:05:09");
  EXPECT_EQ(list_.CellText(0, 1), "211000002");
}

TEST_F(ReceiveListTest, NoInformationFilterDropsOnlyEmptyTexts) {
  options_.SetDropNoInformation(true);
  // A distress alert with neither information nor position: dropped entirely.
  AddAt(12, 0, 0, MakeCall("211000001", "", DistressKind::Alert, ""));
  EXPECT_EQ(list_.Count(), 0);
  EXPECT_TRUE(host_.events.empty());
  EXPECT_TRUE(observer_.events.empty());

  // "N/A" is information; so is a position alone.
  AddAt(12, 0, 1, MakeCall("211000002", "N/A"));
  AddAt(12, 0, 2, MakeCall("211000003", "", DistressKind::None, "N/A"));
  EXPECT_EQ(list_.Count(), 2);

  // With the filter off an all-empty call makes a row.
  options_.SetDropNoInformation(false);
  AddAt(12, 0, 3, CallTexts{});
  EXPECT_EQ(list_.Count(), 3);
  EXPECT_EQ(list_.Row(0).From, "");
}

TEST_F(ReceiveListTest, OverwriteReusesTheStationsRowAndMovesItToTheTop) {
  options_.SetOverwriteStation(true);
  AddAt(10, 0, 0, MakeCall("211000001", "first"));
  AddAt(10, 0, 5, MakeCall("211000002"));
  CallTexts second = MakeCall("211000001", "second", DistressKind::None, "S33-51 , W151-12");
  second.Category = "Safety";
  second.To = "002320001";
  second.Ack = "Ack";
  AddAt(10, 0, 9, second);

  ASSERT_EQ(list_.Count(), 2);
  const ReceiveEntry& row = list_.Row(0);
  EXPECT_EQ(row.From, "211000001");
  EXPECT_EQ(row.Category, "Safety");
  EXPECT_EQ(row.To, "002320001");
  EXPECT_EQ(row.Information, "second");
  EXPECT_EQ(row.Position, "S33-51 , W151-12");
  EXPECT_EQ(row.Ack, "Ack");
  EXPECT_EQ(row.Time, "10:00:09");
  EXPECT_EQ(observer_.written_from, "211000001");
}

TEST_F(ReceiveListTest, OverwriteMatchesFromExactlyAndOnlyTheUpperOfTwoRows) {
  // Two rows of one station: without overwriting every call makes a row.
  AddAt(9, 0, 0, MakeCall("211000001", "old"));
  AddAt(9, 0, 1, MakeCall("211000001", "newer"));
  AddAt(9, 0, 2, MakeCall("211000009"));
  options_.SetOverwriteStation(true);
  AddAt(9, 0, 3, MakeCall("211000001", "newest"));

  ASSERT_EQ(list_.Count(), 3);
  EXPECT_EQ(list_.Row(0).Information, "newest");
  EXPECT_EQ(list_.Row(2).Information, "old");

  // Differing case or a trailing space is another station.
  AddAt(9, 0, 4, MakeCall("211000001 "));
  AddAt(9, 0, 5, MakeCall("Coast"));
  AddAt(9, 0, 6, MakeCall("COAST"));
  EXPECT_EQ(list_.Count(), 6);
}

TEST_F(ReceiveListTest, AlertDecisionFollowsTheSettings) {
  struct Case {
    bool dist_alt, dist_ack, dist_rly;
    DistressKind kind;
    bool alerts;
  };
  const Case cases[] = {
      {false, true, true, DistressKind::Alert, false},
      {false, true, true, DistressKind::Acknowledgement, false},
      {false, true, true, DistressKind::Relay, false},
      {true, false, false, DistressKind::Alert, true},
      {true, false, true, DistressKind::Acknowledgement, false},
      {true, true, false, DistressKind::Acknowledgement, true},
      {true, true, false, DistressKind::Relay, false},
      {true, false, true, DistressKind::Relay, true},
      {true, true, true, DistressKind::None, false},
  };
  for (const Case& c : cases) {
    ListOptionValues options;
    options.SetAlertOnDistress(c.dist_alt);
    options.SetAlertOnAcknowledgement(c.dist_ack);
    options.SetAlertOnRelay(c.dist_rly);
    RecordingAlertHost host;
    ReceiveList list(options, clock_, host);
    list.AddReceiveEntry(MakeCall("211000001", "Info", c.kind));
    EXPECT_EQ(list.Count(), 1);
    const Events expected =
        c.alerts ? Events{"sound", "load 0 " + std::to_string(static_cast<int>(c.kind)), "show"}
                 : Events{};
    EXPECT_EQ(host.events, expected)
        << "DistAlt " << c.dist_alt << " DistAck " << c.dist_ack << " DistRly " << c.dist_rly
        << " kind " << static_cast<int>(c.kind);
  }
}

TEST_F(ReceiveListTest, SecondAlertWhileBlinkingReloadsWithoutSound) {
  AddAt(14, 0, 0, MakeCall("211000001", "first", DistressKind::Alert));
  AddAt(14, 0, 1, MakeCall("211000002", "second", DistressKind::Relay));
  EXPECT_EQ(host_.events, (Events{"sound", "load 0 0", "show", "load 0 2"}));
  EXPECT_EQ(host_.loaded_from, "211000002");
}

TEST_F(ReceiveListTest, AlertOnDialogOpenedByDoubleClickPlaysSoundAndReloads) {
  AddAt(14, 0, 0, MakeCall("211000001"));
  list_.OpenRowDetails(0);
  EXPECT_EQ(host_.events, (Events{"load 0 -1", "show"}));
  EXPECT_FALSE(host_.blinking);

  AddAt(14, 0, 1, MakeCall("211000002", "Info", DistressKind::Alert));
  EXPECT_EQ(host_.events, (Events{"load 0 -1", "show", "sound", "load 0 0"}));
  EXPECT_TRUE(host_.blinking);
  EXPECT_EQ(host_.loaded_from, "211000002");
}

TEST_F(ReceiveListTest, DoubleClickWithoutARowDoesNothing) {
  list_.OpenRowDetails(-1);
  list_.OpenRowDetails(0);
  AddAt(14, 0, 0, MakeCall("211000001"));
  list_.OpenRowDetails(1);
  EXPECT_TRUE(host_.events.empty());
}

TEST_F(ReceiveListTest, RowWrittenAfterMidnightSortsBelowTheEveningsRows) {
  AddAt(23, 59, 50, MakeCall("211000001"));
  AddAt(23, 59, 55, MakeCall("211000002"));
  AddAt(0, 0, 5, MakeCall("211000003", "Info", DistressKind::Alert));

  EXPECT_EQ(Froms(), (std::vector<std::string>{"211000002", "211000001", "211000003"}));
  // The alert and the observer get the row where the call really stands.
  EXPECT_EQ(host_.events, (Events{"sound", "load 2 0", "show"}));
  EXPECT_EQ(host_.loaded_from, "211000003");
  EXPECT_EQ(observer_.events.back(), "written 2");
  EXPECT_EQ(observer_.written_from, "211000003");
  EXPECT_EQ(observer_.written_kind, DistressKind::Alert);
}

TEST_F(ReceiveListTest, CallOfTheSameSecondLandsOnTopOfItsSecond) {
  AddAt(15, 0, 0, MakeCall("211000001"));
  AddAt(15, 0, 1, MakeCall("211000002"));
  AddAt(15, 0, 1, MakeCall("211000003"));
  AddAt(15, 0, 1, MakeCall("211000004", "Info", DistressKind::Alert));
  EXPECT_EQ(Froms(),
            (std::vector<std::string>{"211000004", "211000003", "211000002", "211000001"}));
  EXPECT_EQ(host_.loaded_from, "211000004");

  // An overwritten row of the same second also goes to the top of it.
  options_.SetOverwriteStation(true);
  AddAt(15, 0, 1, MakeCall("211000002"));
  EXPECT_EQ(Froms(),
            (std::vector<std::string>{"211000002", "211000004", "211000003", "211000001"}));
}

// The order a full stable sort by time, newest first, gives after a write:
// what the list must show however it finds the written row's place.
std::vector<std::string> FromsAfterFullSort(std::vector<ReceiveEntry> rows, int written) {
  std::vector<int> order(rows.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    order[i] = static_cast<int>(i);
  }
  std::stable_sort(order.begin(), order.end(), [&](int left, int right) {
    const int comparison = CompareTexts(rows[right].Time, rows[left].Time);
    return comparison != 0 ? comparison < 0 : left == written && right != written;
  });
  std::vector<std::string> froms;
  for (const int row : order) {
    froms.push_back(rows[row].From);
  }
  return froms;
}

TEST_F(ReceiveListTest, EveryWriteLeavesTheOrderOfAFullSort) {
  // Times mostly running on, some within the same second, some earlier
  // (after a column click or past midnight); stations repeating, so that
  // overwriting reuses rows in the middle; now and then a click on a
  // header leaves the list in another order before the next write.
  std::mt19937 random(5);
  int seconds = 12 * 3600;
  for (int step = 0; step < 600; ++step) {
    const int draw = static_cast<int>(random() % 20);
    if (draw == 0) {
      list_.ColumnClick(static_cast<int>(random() % kReceiveColumnCount));
      continue;
    }
    options_.SetOverwriteStation(draw < 5);
    seconds += draw < 14 ? 1 : (draw < 18 ? 0 : -3600);
    std::vector<ReceiveEntry> before;
    for (int row = 0; row < list_.Count(); ++row) {
      before.push_back(list_.Row(row));
    }
    const std::string from = std::to_string(211000000 + random() % 40);
    const int in_day = (seconds % 86400 + 86400) % 86400;
    clock_.Set(in_day / 3600, in_day / 60 % 60, in_day % 60);
    list_.AddReceiveEntry(MakeCall(from, "Info " + std::to_string(step)));

    // The same write on the rows as they stood, then the full sort.
    int written = static_cast<int>(before.size());
    for (int row = 0; options_.OverwriteStation() && row < static_cast<int>(before.size()); ++row) {
      if (before[row].From == from) {
        written = row;
        break;
      }
    }
    if (written == static_cast<int>(before.size())) {
      before.emplace_back();
      before.back().From = from;
    }
    before[written].Time = list_.Row(*list_.LastWrittenRow()).Time;
    ASSERT_EQ(Froms(), FromsAfterFullSort(before, written)) << "step " << step;
    ASSERT_EQ(list_.Row(*list_.LastWrittenRow()).Information, "Info " + std::to_string(step));
  }
}

TEST_F(ReceiveListTest, SortCodesSelectColumnAndDirection) {
  CallTexts a = MakeCall("b", "x");
  a.Category = "Urgency";
  CallTexts b = MakeCall("a", "y");
  b.Category = "Distress";
  CallTexts c = MakeCall("c", "x");
  c.Category = "Safety";
  AddAt(1, 0, 0, a);
  AddAt(1, 0, 1, b);
  AddAt(1, 0, 2, c);

  list_.SortReceiveList(2);  // From ascending
  EXPECT_EQ(Froms(), (std::vector<std::string>{"a", "b", "c"}));
  list_.SortReceiveList(-2);  // From descending
  EXPECT_EQ(Froms(), (std::vector<std::string>{"c", "b", "a"}));
  list_.SortReceiveList(1);  // Category ascending
  EXPECT_EQ(Froms(), (std::vector<std::string>{"a", "c", "b"}));
  list_.SortReceiveList(-1);
  EXPECT_EQ(Froms(), (std::vector<std::string>{"b", "c", "a"}));
  // Information: equal texts keep their previous order.
  list_.SortReceiveList(5);
  EXPECT_EQ(Froms(), (std::vector<std::string>{"b", "c", "a"}));
  list_.SortReceiveList(8);  // Time ascending
  EXPECT_EQ(Froms(), (std::vector<std::string>{"b", "a", "c"}));
  // Codes that name no column change nothing.
  for (const int code : {0, 9, -9, 100}) {
    list_.SortReceiveList(code);
    EXPECT_EQ(Froms(), (std::vector<std::string>{"b", "a", "c"})) << code;
  }
}

TEST_F(ReceiveListTest, SortComparesBytesNotCharactersOrCase) {
  for (const char* from : {"a", "Z", "\xC3\x85land", "ab", "A"}) {
    AddAt(2, 0, 0, MakeCall(from));
  }
  list_.SortReceiveList(2);
  EXPECT_EQ(Froms(), (std::vector<std::string>{"A", "Z", "a", "ab", "\xC3\x85land"}));
}

TEST_F(ReceiveListTest, ColumnClickTogglesByComparingFirstAndLastRow) {
  list_.ColumnClick(1);  // no rows: nothing
  AddAt(3, 0, 0, MakeCall("b"));
  list_.ColumnClick(1);  // one row: nothing
  EXPECT_TRUE(observer_.events.back() == "written 0");
  AddAt(3, 0, 1, MakeCall("a"));
  AddAt(3, 0, 2, MakeCall("c"));
  ASSERT_EQ(Froms(), (std::vector<std::string>{"c", "a", "b"}));

  list_.ColumnClick(1);  // "c" > "b": ascending
  EXPECT_EQ(Froms(), (std::vector<std::string>{"a", "b", "c"}));
  list_.ColumnClick(1);  // "a" < "c": descending
  EXPECT_EQ(Froms(), (std::vector<std::string>{"c", "b", "a"}));
  list_.ColumnClick(2);  // all To equal: not greater, so descending, order kept
  EXPECT_EQ(Froms(), (std::vector<std::string>{"c", "b", "a"}));
  list_.ColumnClick(8);  // no such column
  list_.ColumnClick(-1);
  EXPECT_EQ(Froms(), (std::vector<std::string>{"c", "b", "a"}));

  // The next call restores the time order.
  AddAt(3, 0, 3, MakeCall("d"));
  EXPECT_EQ(Froms(), (std::vector<std::string>{"d", "c", "a", "b"}));
}

TEST_F(ReceiveListTest, PurgeNoInformationKeepsOrderOfTheRest) {
  AddAt(4, 0, 0, MakeCall("1", ""));
  AddAt(4, 0, 1, MakeCall("2", "N/A"));
  AddAt(4, 0, 2, MakeCall("3", ""));
  AddAt(4, 0, 3, MakeCall("4", "", DistressKind::None, "N10-00 , E010-00"));
  AddAt(4, 0, 4, MakeCall("5", ""));
  AddAt(4, 0, 5, MakeCall("6", ""));
  list_.PurgeNoInformation();
  EXPECT_EQ(Froms(), (std::vector<std::string>{"4", "2"}));
}

TEST_F(ReceiveListTest, PurgeDuplicateStationsKeepsTheTopmostOfEach) {
  AddAt(5, 0, 0, MakeCall("A", "oldest A"));
  AddAt(5, 0, 1, MakeCall("B", "old B"));
  AddAt(5, 0, 2, MakeCall("A", "middle A"));
  AddAt(5, 0, 3, MakeCall("C"));
  AddAt(5, 0, 4, MakeCall("A", "newest A"));
  AddAt(5, 0, 5, MakeCall("B", "new B"));
  AddAt(5, 0, 6, MakeCall("a"));
  list_.PurgeDuplicateStations();
  EXPECT_EQ(Froms(), (std::vector<std::string>{"a", "B", "A", "C"}));
  EXPECT_EQ(list_.Row(1).Information, "new B");
  EXPECT_EQ(list_.Row(2).Information, "newest A");
}

TEST_F(ReceiveListTest, ClearAndDeleteRow) {
  AddAt(6, 0, 0, MakeCall("1"));
  AddAt(6, 0, 1, MakeCall("2"));
  AddAt(6, 0, 2, MakeCall("3"));
  EXPECT_FALSE(list_.DeleteRow(3));
  EXPECT_FALSE(list_.DeleteRow(-1));
  EXPECT_TRUE(list_.DeleteRow(1));
  EXPECT_EQ(Froms(), (std::vector<std::string>{"3", "1"}));
  EXPECT_THROW(list_.Row(2), std::out_of_range);
  EXPECT_THROW(list_.CellText(0, 8), std::out_of_range);
  list_.Clear();
  EXPECT_EQ(list_.Count(), 0);
  EXPECT_EQ(observer_.events.back(), "clear");
}

TEST_F(ReceiveListTest, ObserverSeesBracketedChangesInOrder) {
  AddAt(11, 0, 0, MakeCall("A"));
  AddAt(11, 0, 1, MakeCall("B"));
  EXPECT_EQ(observer_.events, (Events{"before insert 0", "insert 0", "written 0", "before insert 1",
                                      "insert 1", "before reorder", "reorder", "written 0"}));
  EXPECT_EQ(observer_.last_reorder, (std::vector<int>{1, 0}));

  observer_.events.clear();
  options_.SetOverwriteStation(true);
  AddAt(11, 0, 2, MakeCall("A"));
  EXPECT_EQ(observer_.events, (Events{"change 1", "before reorder", "reorder", "written 0"}));

  observer_.events.clear();
  list_.DeleteRow(1);
  list_.Clear();
  EXPECT_EQ(observer_.events, (Events{"before remove 1", "remove 1", "before clear", "clear"}));
}

TEST_F(ReceiveListTest, LastWrittenRowFollowsTheSortAndADroppedCall) {
  EXPECT_FALSE(list_.LastWrittenRow());
  AddAt(23, 59, 50, MakeCall("211000001"));
  EXPECT_EQ(list_.LastWrittenRow(), 0);
  // Just after midnight the new row sorts below the evening's.
  AddAt(0, 0, 5, MakeCall("211000002"));
  EXPECT_EQ(list_.LastWrittenRow(), 1);
  EXPECT_EQ(list_.Row(*list_.LastWrittenRow()).From, "211000002");
  options_.SetOverwriteStation(true);
  AddAt(23, 59, 55, MakeCall("211000002", "Other"));
  EXPECT_EQ(list_.LastWrittenRow(), 0);
  EXPECT_EQ(list_.Row(0).Information, "Other");
  options_.SetDropNoInformation(true);
  AddAt(23, 59, 56, MakeCall("211000003", ""));
  EXPECT_FALSE(list_.LastWrittenRow());
}

}  // namespace
}  // namespace tolvik
