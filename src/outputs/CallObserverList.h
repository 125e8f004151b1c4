#pragma once

#include <vector>

#include "audio/CallObserver.h"

namespace tolvik {

// Several outputs behind the receiver's one observer: each is told of every
// call, in the order they were added.
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
