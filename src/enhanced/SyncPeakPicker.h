#pragma once

#include <optional>

#include "enhanced/SyncEvent.h"

namespace tolvik {

// Chooses the sync among the candidates: a candidate not exceeded by another
// within the next 80 bits. That costs 0.8 s of latency, and the call's data
// of those 80 bits waits in the decoder's rings.
class SyncPeakPicker {
 public:
  // The hold in working samples; HF's 80 bits by default.
  explicit SyncPeakPicker(int hold_samples = kSyncHoldBits * kEnhancedSamplesPerBit)
      : hold_samples_(hold_samples) {}

  // A candidate at this sample; the larger one is kept and its hold starts.
  void Offer(const SyncEvent& candidate);

  // One working sample has passed; returns the sync when a hold runs out.
  std::optional<SyncEvent> Tick();

  // The input has ended: the held candidate, if any, is the sync now.
  std::optional<SyncEvent> Flush();

 private:
  int hold_samples_;
  std::optional<SyncEvent> held_;  // the largest candidate of the running hold
  int samples_left_ = 0;           // of its hold
};

}  // namespace tolvik
