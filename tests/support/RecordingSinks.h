#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/StatusTextSink.h"
#include "dsc/CallSink.h"
#include "dsc/CharacterSink.h"
#include "dsc/ReceptionControl.h"
#include "dsc/ReceptionEnd.h"
#include "dsc/ReceptionObserver.h"

namespace tolvik::testing {

// Every status text shown, in order.
class RecordingStatusSink : public StatusTextSink {
 public:
  void ShowStatusText(StatusPanel panel, const std::string& text) override {
    shown.emplace_back(panel, text);
  }
  std::string Last() const { return shown.empty() ? std::string("<none>") : shown.back().second; }
  // The last text shown in `panel`, or "<none>".
  std::string LastIn(StatusPanel panel) const {
    for (auto entry = shown.rbegin(); entry != shown.rend(); ++entry) {
      if (entry->first == panel) {
        return entry->second;
      }
    }
    return "<none>";
  }
  bool Showed(const std::string& text) const {
    for (const auto& entry : shown) {
      if (entry.second == text) {
        return true;
      }
    }
    return false;
  }
  std::vector<std::pair<StatusPanel, std::string>> shown;
};

// Every call handed on, as its texts were at that moment.
class RecordingCallSink : public CallSink {
 public:
  void AddReceiveEntry(const CallTexts& call) override { calls.push_back(call); }
  std::vector<CallTexts> calls;
};

// What a synchroniser hands to its call assembler.
class RecordingCharacterSink : public CharacterSink {
 public:
  void Reset() override { ++resets; }
  void CharacterStep(int dx, int rx) override { steps.emplace_back(dx, rx); }
  void Abandon() override { ++abandons; }
  int resets = 0;
  int abandons = 0;
  std::vector<std::pair<int, int>> steps;
};

// Every start and end of a reception, in order.
class RecordingReceptionObserver : public ReceptionObserver {
 public:
  void ReceptionStarted() override { ++starts; }
  void ReceptionEnded(ReceptionEnd end) override { ends.push_back(end); }
  int starts = 0;
  std::vector<ReceptionEnd> ends;
};

// Counts how often the assembler ends a reception.
class CountingReceptionControl : public ReceptionControl {
 public:
  void StopReception() override { ++stops; }
  int stops = 0;
};

}  // namespace tolvik::testing
