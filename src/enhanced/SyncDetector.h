#pragma once

#include <optional>
#include <vector>

#include "enhanced/EnhancedParameters.h"
#include "enhanced/SyncEvent.h"
#include "enhanced/SyncPeakPicker.h"
#include "enhanced/SyncTemplate.h"
#include "enhanced/ToneFilterPair.h"

namespace tolvik {

// Looks for the template at every working sample, in the soft values and
// envelopes of the tone filters on the centre.
//
// With taps one bit apart, num = sum of w_k * d, den_e = sum of |w_k| * e and
// den_d = sum of |w_k| * |d| over the template's 180 bits. A sample is a
// candidate when |num| >= 0.2 * den_e (noise has a large envelope but a small
// correlation) and |num| >= 0.6 * den_d (the data of a strong call has large
// soft values that do not follow the template). The sign of num is the
// polarity, so an inverted call is found like any other.
//
// The values are kept per sample phase within the bit (48 phases on HF), each
// phase's last 180 bits twice over, so the taps of any sample lie side by
// side.
class SyncDetector {
 public:
  explicit SyncDetector(const SyncTemplate& sync_template);
  // Another mode: bits of `samples_per_bit` working samples, a candidate's
  // share of the envelope sum, and the peak picker's hold in samples.
  SyncDetector(const SyncTemplate& sync_template, int samples_per_bit, double envelope_share,
               int hold_samples);

  // Which polarities count: 0 both, +1 upright only, -1 inverted only.
  void SetAcceptedPolarity(int polarity) { accepted_polarity_ = polarity; }

  // The tone filters' output at working sample `sample` (samples come in
  // order, one by one); returns a sync when one is declared.
  std::optional<SyncEvent> Process(SampleIndex sample, const ToneOutput& tones);

  // The input has ended: a held candidate is declared now.
  std::optional<SyncEvent> Flush() { return picker_.Flush(); }

 private:
  void Store(SampleIndex sample, const ToneOutput& tones);
  std::optional<SyncEvent> Candidate(SampleIndex sample) const;

  const SyncTemplate& template_;
  int samples_per_bit_ = kEnhancedSamplesPerBit;
  double envelope_share_ = kSyncEnvelopeShare;
  SampleIndex samples_before_first_window_ = 0;
  std::vector<double> soft_;             // per phase: the last 180 bits of d, twice over
  std::vector<double> envelope_;         // per phase: the last 180 bits of e, twice over
  const double* soft_window_ = nullptr;  // the taps of the latest sample, oldest first
  const double* envelope_window_ = nullptr;
  SyncPeakPicker picker_;
  int accepted_polarity_ = 0;
};

}  // namespace tolvik
