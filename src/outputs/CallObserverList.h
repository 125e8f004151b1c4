#pragma once

#include <vector>

#include "audio/CallObserver.h"

namespace tolvik {

// Several outputs behind the receiver's one call observer: each written row
// is told to every observer in the order they were added. Built and changed
// on the decoding thread, between calls.
class CallObserverList final : public CallObserver {
 public:
  // The observer must outlive its place in the list.
  void Add(CallObserver& observer) { observers_.push_back(&observer); }
  void Clear() { observers_.clear(); }
  bool IsEmpty() const { return observers_.empty(); }

  void CallWritten(const WrittenCall& call) override {
    for (CallObserver* observer : observers_) {
      observer->CallWritten(call);
    }
  }

 private:
  std::vector<CallObserver*> observers_;
};

}  // namespace tolvik
