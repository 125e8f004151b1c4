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
//
// The weights are +1, -1 or 0, and only the 20 bits of the two format
// specifiers weigh 0. Each phase therefore keeps the sums of d, |d| and e
// over its whole window, moved on as a value enters and the oldest leaves;
// a candidate then takes only the taps of the -1 bits and of the format
// specifiers (num = sum of d - sum over the format specifiers - 2 * sum over
// the -1 bits), about a third of the products of the direct sums. The
// running sums are made afresh from the window once per turn of its ring,
// so rounding cannot pile up over a long run.
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
  // The sums over one phase's whole window.
  struct WindowSums {
    double Soft = 0.0;           // of d
    double SoftMagnitude = 0.0;  // of |d|
    double Envelope = 0.0;       // of e
  };

  void Store(SampleIndex sample, const ToneOutput& tones);
  // Sums the window afresh, once per turn of the phase's ring.
  void RecomputeSums(WindowSums& sums) const;
  std::optional<SyncEvent> Candidate(SampleIndex sample) const;

  const SyncTemplate& template_;
  std::vector<int> unknown_taps_;   // the taps of weight 0: the format specifiers
  std::vector<int> zero_bit_taps_;  // the taps of weight -1
  int samples_per_bit_ = kEnhancedSamplesPerBit;
  double envelope_share_ = kSyncEnvelopeShare;
  SampleIndex samples_before_first_window_ = 0;
  std::vector<double> soft_;             // per phase: the last 180 bits of d, twice over
  std::vector<double> envelope_;         // per phase: the last 180 bits of e, twice over
  const double* soft_window_ = nullptr;  // the taps of the latest sample, oldest first
  const double* envelope_window_ = nullptr;
  std::vector<WindowSums> sums_;       // per phase
  WindowSums* window_sums_ = nullptr;  // the latest sample's phase's
  SyncPeakPicker picker_;
  int accepted_polarity_ = 0;
};

}  // namespace tolvik
