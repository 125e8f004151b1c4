#include "enhanced/SyncPeakPicker.h"

namespace tolvik {

void SyncPeakPicker::Offer(const SyncEvent& candidate) {
  if (held_ && held_->Strength() >= candidate.Strength()) {
    return;
  }
  held_ = candidate;
  samples_left_ = hold_samples_;
}

std::optional<SyncEvent> SyncPeakPicker::Tick() {
  if (!held_ || --samples_left_ > 0) {
    return std::nullopt;
  }
  return Flush();
}

std::optional<SyncEvent> SyncPeakPicker::Flush() {
  std::optional<SyncEvent> sync = held_;
  held_.reset();
  samples_left_ = 0;
  return sync;
}

}  // namespace tolvik
