#pragma once

#include <optional>

#include "enhanced/EnhancedParameters.h"
#include "enhanced/SampleRing.h"

namespace tolvik {

// The bit clock of a reception: from a starting instant it steps one bit
// (48 working samples) at a time and reads the soft value there, linearly
// interpolated between samples. A Gardner timing error,
//   g = d(t_k - 24) * (d(t_(k-1)) - d(t_k)) / A^2, clipped to +-2,
// moves each instant by 0.12 * g: the soft value half a bit before the
// instant is zero at a transition sampled on time, and its sign says whether
// the instant is early or late. That follows a bit-rate error of a few
// hundred ppm over a whole call.
class SoftBitClock {
 public:
  // The bit length in working samples and the loop gain; HF by default.
  explicit SoftBitClock(int samples_per_bit = kEnhancedSamplesPerBit, double gain = kGardnerGain)
      : samples_per_bit_(samples_per_bit), gain_(gain) {}

  // The first bit is read at `first_time`; A is the reception's amplitude and
  // polarity its sign (+1 or -1).
  void Start(double first_time, double amplitude, int polarity);

  // The next soft bit, polarity * d / A (near +1 for a 1 bit, -1 for a 0
  // bit), once `soft` holds the samples around it; nullopt until then.
  std::optional<double> NextBit(const SampleRing& soft);

  // The instant of the last bit read, a fractional working-sample index.
  double LastTime() const { return last_time_; }

  // The polarity given to the last Start: +1, or -1 for an inverted signal.
  int Polarity() const { return polarity_; }

 private:
  int samples_per_bit_;
  double gain_;
  double last_time_ = 0.0;   // instant of the last bit read
  double last_value_ = 0.0;  // d there
  double amplitude_ = 1.0;
  int polarity_ = 1;
  bool started_ = false;  // false until the first bit has been read
};

}  // namespace tolvik
