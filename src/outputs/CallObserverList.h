#pragma once

#include <vector>

#include "audio/CallObserver.h"

namespace tolvik {

// Tells every call to each of several observers (NMEA, logs, MQTT), in the
// order they were added: the receiver has room for one.
class CallObserverList final : public CallObserver {
 public:
  // The observers must outlive the list.
  void Add(CallObserver& observer) { observers_.push_back(&observer); }
  bool Empty() const { return observers_.empty(); }

  void CallWritten(const WrittenCall& call) override {
    for (CallObserver* observer : observers_) {
      observer->CallWritten(call);
    }
  }

 private:
  std::vector<CallObserver*> observers_;
};

}  // namespace tolvik
