#pragma once

#include "enhanced/ToneFilter.h"

namespace tolvik {

// What the two tone filters say about the last bit: the soft value
// d = |S1| - |S0| (positive for bit 1, the lower tone) and the envelope
// e = |S1| + |S0|.
struct ToneOutput {
  double Soft = 0.0;
  double Envelope = 0.0;
};

// The matched filters of the two HF tones: bit 1 at centre - 85 Hz, bit 0 at
// centre + 85 Hz, both moved by an offset.
class ToneFilterPair {
 public:
  explicit ToneFilterPair(double centre_hz = 800.0, double offset_hz = 0.0) {
    Retune(centre_hz, offset_hz);
  }

  // Moves both tones and forgets all samples.
  void Retune(double centre_hz, double offset_hz);

  ToneOutput Process(double x) {
    const double one = mark_.Process(x);
    const double zero = space_.Process(x);
    return {one - zero, one + zero};
  }

 private:
  ToneFilter mark_;   // bit 1, the lower tone
  ToneFilter space_;  // bit 0, the upper tone
};

}  // namespace tolvik
