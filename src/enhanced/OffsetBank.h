#pragma once

#include <optional>
#include <vector>

#include "enhanced/SampleRing.h"
#include "enhanced/SyncEvent.h"
#include "enhanced/SyncTemplate.h"
#include "enhanced/ToneFilterPair.h"

namespace tolvik {

// What the offset bank makes of a sync.
struct OffsetEstimate {
  double OffsetHz = 0.0;          // the bank's offset the reception's tone filters use
  double FrequencyErrorHz = 0.0;  // the tone pair's offset above the centre, refined between steps
  double EndTime = 0.0;           // the template's end, a fractional working-sample index
};

// At a sync, re-filters the template span from the working samples with the
// tone pair moved by -30 ... +30 Hz in 10 Hz steps and keeps the offset with
// the largest polarity-signed template correlation (its 1 and 0 bits weighted
// equally, so that the estimate is not pulled towards the 1 tone). The
// correlation at the
// sync sample and its two neighbours gives the timing: the vertex of the
// parabola through them, within one sample.
class OffsetBank {
 public:
  explicit OffsetBank(const SyncTemplate& sync_template);

  // `use_bank` false tries the centre only. nullopt when the working samples
  // needed (the template span and one sample after the sync) are not held.
  std::optional<OffsetEstimate> Measure(const SampleRing& working, const SyncEvent& sync,
                                        double centre_hz, bool use_bank);

  // The first working sample the tone filters must see to give a full bit
  // at the first template tap of a sync at `sync_sample`, one sample early.
  static SampleIndex FirstSampleNeeded(SampleIndex sync_sample);

 private:
  struct Peak {
    double Best = 0.0;    // largest polarity-signed correlation of the three
    double Vertex = 0.0;  // timing within -1..+1 samples
  };

  Peak Correlate(const SampleRing& working, const SyncEvent& sync, double centre_hz,
                 double offset_hz);

  const SyncTemplate& template_;
  ToneFilterPair pair_;
  std::vector<double> soft_;  // d over the template span, one sample either side
};

}  // namespace tolvik
