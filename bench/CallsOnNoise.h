#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <vector>

#include "gen/CallDescription.h"
#include "gen/GaussianNoise.h"
#include "gen/SignalGenerator.h"

namespace tolvik {

// An endless stretch of white noise of one level with calls keyed onto it at
// chosen times, each at an Eb/N0 of its own, read piece by piece: a day of
// audio never exists at once, and a call's samples only while it is read.
// 48 kHz, 16-bit units, not yet rounded or clipped.
class CallsOnNoise {
 public:
  CallsOnNoise(bool vhf, double noise_sigma, std::uint64_t noise_seed);

  // Keys `call` onto the noise from `start_s` (seconds from the start of the
  // stream) with tones of the peak that puts it at `ebn0_db` over the noise;
  // returns where it sits. Calls go in in time order, none overlapping the
  // one before or starting in what has been read already; throws
  // std::invalid_argument otherwise.
  CallPlacement Add(const CallDescription& call, double start_s, double ebn0_db);

  // The next out.size() samples.
  void Read(std::span<double> out);

  double SecondsRead() const;

  // The length of `call` on the air.
  double CallSeconds(const CallDescription& call) const;

 private:
  // A call waiting to be read, and its samples once reading has reached it.
  struct KeyedCall {
    CallDescription Call;
    double Amplitude = 0.0;  // peak of its tones
    std::uint64_t FirstSample = 0;
    std::uint64_t SampleCount = 0;
    std::vector<double> Samples;  // empty until read
  };

  void AddKeyedSamples(KeyedCall& call, std::span<double> out);

  bool vhf_;
  double noise_sigma_;
  GaussianNoise noise_;
  std::deque<KeyedCall> calls_;  // added and not yet read to their end, in time order
  std::uint64_t samples_read_ = 0;
  std::uint64_t calls_end_ = 0;  // the sample after the last call added
};

}  // namespace tolvik
