#include "outputs/CallObserverList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvik {
namespace {

// Writes its name into a shared record of who was told, in turn.
class NamedObserver final : public CallObserver {
 public:
  NamedObserver(std::string name, std::vector<std::string>& told)
      : name_(std::move(name)), told_(told) {}
  void CallWritten(const WrittenCall& call) override {
    told_.push_back(name_ + ":" + call.row.From);
  }

 private:
  std::string name_;
  std::vector<std::string>& told_;
};

TEST(CallObserverListTest, EveryObserverIsToldEachCallInTheOrderAdded) {
  std::vector<std::string> told;
  NamedObserver nmea("nmea", told);
  NamedObserver mqtt("mqtt", told);
  NamedObserver log("log", told);
  CallObserverList list;
  EXPECT_TRUE(list.IsEmpty());
  list.Add(nmea);
  list.Add(mqtt);
  list.Add(log);
  EXPECT_FALSE(list.IsEmpty());

  const DscCall symbols;
  ReceiveEntry first;
  first.From = "232001000";
  ReceiveEntry second;
  second.From = "211234560";
  list.CallWritten({symbols, first, DistressKind::None, CallDecoder::Standard, 0});
  list.CallWritten({symbols, second, DistressKind::Alert, CallDecoder::Enhanced, 0});
  EXPECT_EQ(told, (std::vector<std::string>{"nmea:232001000", "mqtt:232001000", "log:232001000",
                                            "nmea:211234560", "mqtt:211234560", "log:211234560"}));
}

TEST(CallObserverListTest, AClearedListTellsNobodyAndCanBeFilledAgain) {
  std::vector<std::string> told;
  NamedObserver gone("gone", told);
  NamedObserver kept("kept", told);
  CallObserverList list;
  list.Add(gone);
  list.Clear();
  EXPECT_TRUE(list.IsEmpty());
  const DscCall symbols;
  const ReceiveEntry row;
  list.CallWritten({symbols, row, DistressKind::None, CallDecoder::Standard, 0});
  EXPECT_TRUE(told.empty());
  list.Add(kept);
  list.CallWritten({symbols, row, DistressKind::None, CallDecoder::Standard, 0});
  EXPECT_EQ(told, std::vector<std::string>{"kept:"});
}

}  // namespace
}  // namespace tolvik
