#pragma once

#include <string>
#include <vector>

#include "base/TimeOfDayClock.h"
#include "dsc/CallTexts.h"
#include "list/AlertHost.h"
#include "list/ReceiveList.h"
#include "list/ReceiveListObserver.h"

namespace tolvik::testing {

// A clock the test sets by hand.
class FakeClock final : public TimeOfDayClock {
 public:
  TimeOfDay Now() const override { return now_; }
  void Set(int hour, int minute, int second, int millisecond = 0) {
    now_ = TimeOfDay{hour, minute, second, millisecond};
  }

 private:
  TimeOfDay now_;  // what Now answers
};

// Behaves like the details dialog as far as the list can see (LoadEntry with
// a distress kind starts the blinking, showing is immediate) and records what
// it was asked to do, in order.
class RecordingAlertHost final : public AlertHost {
 public:
  bool IsSignallingAlert() const override { return blinking; }
  void PlayAlertSound() override { events.push_back("sound"); }
  void LoadEntry(int row, DistressKind kind) override {
    events.push_back("load " + std::to_string(row) + " " + std::to_string(static_cast<int>(kind)));
    blinking = kind != DistressKind::None;
    if (list != nullptr) {
      loaded_from = list->Row(row).From;
    }
  }
  bool IsDialogShowing() const override { return showing; }
  void ShowDialog() override {
    events.push_back("show");
    showing = true;
  }

  const ReceiveList* list = nullptr;  // when set, the From of each loaded row is kept
  bool blinking = false;              // the dialog's blink timer
  bool showing = false;               // the dialog is on screen
  std::string loaded_from;            // From of the row last loaded
  std::vector<std::string> events;    // "sound", "load <row> <kind>", "show"
};

// Records every notification as a short text.
class RecordingObserver final : public ReceiveListObserver {
 public:
  void RowAboutToBeInserted(int row) override { Note("before insert", row); }
  void RowInserted(int row) override { Note("insert", row); }
  void RowChanged(int row) override { Note("change", row); }
  void RowsAboutToBeReordered() override { events.push_back("before reorder"); }
  void RowsReordered(std::span<const int> new_row_of_old) override {
    last_reorder.assign(new_row_of_old.begin(), new_row_of_old.end());
    events.push_back("reorder");
  }
  void RowAboutToBeRemoved(int row) override { Note("before remove", row); }
  void RowRemoved(int row) override { Note("remove", row); }
  void AboutToBeCleared() override { events.push_back("before clear"); }
  void Cleared() override { events.push_back("clear"); }
  void RowWritten(int row, const ReceiveEntry& entry, DistressKind kind) override {
    Note("written", row);
    written_from = entry.From;
    written_kind = kind;
  }

  std::vector<std::string> events;                 // one text per notification, in order
  std::vector<int> last_reorder;                   // new_row_of_old of the last reorder
  std::string written_from;                        // From of the row last written
  DistressKind written_kind = DistressKind::None;  // kind of the call last written

 private:
  void Note(const char* what, int row) { events.push_back(what + (" " + std::to_string(row))); }
};

// A call with the texts a test cares about; the others are fixed.
inline CallTexts MakeCall(std::string from, std::string information = "Info",
                          DistressKind kind = DistressKind::None, std::string position = "") {
  CallTexts call;
  call.Category = kind == DistressKind::None ? "Routine" : "Distress";
  call.From = std::move(from);
  call.To = "All stations";
  call.RequestStatus = "Test";
  call.Information = std::move(information);
  call.Position = std::move(position);
  call.Kind = kind;
  return call;
}

}  // namespace tolvik::testing
