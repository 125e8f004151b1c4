#include "CallsOnNoise.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "base/BlockFormat.h"

namespace tolvik {

CallsOnNoise::CallsOnNoise(bool vhf, double noise_sigma, std::uint64_t noise_seed)
    : vhf_(vhf), noise_sigma_(noise_sigma), noise_(noise_seed, noise_sigma) {}

double CallsOnNoise::CallSeconds(const CallDescription& call) const {
  return static_cast<double>(CallBits(call, vhf_).size()) / NominalBitRate(vhf_);
}

CallPlacement CallsOnNoise::Add(const CallDescription& call, double start_s, double ebn0_db) {
  const auto first = static_cast<std::uint64_t>(std::llround(start_s * kCaptureRateHz));
  if (first < samples_read_ || first < calls_end_) {
    throw std::invalid_argument("a call must start after the one before and after what is read");
  }
  const std::size_t bits = CallBits(call, vhf_).size();
  const auto count = static_cast<std::uint64_t>(
      std::ceil(static_cast<double>(bits) * kCaptureRateHz / NominalBitRate(vhf_)));
  // The noise's level is fixed, so the tones' peak sets the Eb/N0; the
  // sigma scales with the peak.
  const double amplitude =
      noise_sigma_ / NoiseSigmaForEbN0(1.0, ebn0_db, NominalBitRate(vhf_), kCaptureRateHz);
  calls_end_ = first + count;
  calls_.push_back({call, amplitude, first, count, {}});
  const double first_s = static_cast<double>(first) / kCaptureRateHz;
  return {first_s, first_s + static_cast<double>(bits) / NominalBitRate(vhf_),
          static_cast<int>(bits)};
}

void CallsOnNoise::AddKeyedSamples(KeyedCall& call, std::span<double> out) {
  const std::uint64_t end = samples_read_ + out.size();
  if (call.FirstSample >= end) {
    return;
  }
  if (call.Samples.empty()) {
    SignalOptions options;
    options.Vhf = vhf_;
    options.LeadS = 0.0;
    options.TrailS = 0.0;
    options.Amplitude = call.Amplitude;
    call.Samples = GenerateSignal(std::span(&call.Call, 1), options);
    call.Samples.resize(call.SampleCount, 0.0);
  }
  const std::uint64_t from = std::max(call.FirstSample, samples_read_);
  const std::uint64_t to = std::min(call.FirstSample + call.SampleCount, end);
  for (std::uint64_t n = from; n < to; ++n) {
    out[n - samples_read_] += call.Samples[n - call.FirstSample];
  }
}

void CallsOnNoise::Read(std::span<double> out) {
  for (double& sample : out) {
    sample = noise_.Next();
  }
  for (KeyedCall& call : calls_) {
    if (call.FirstSample >= samples_read_ + out.size()) {
      break;  // in time order: none of the rest is reached yet
    }
    AddKeyedSamples(call, out);
  }
  samples_read_ += out.size();
  while (!calls_.empty() &&
         calls_.front().FirstSample + calls_.front().SampleCount <= samples_read_) {
    calls_.pop_front();
  }
}

double CallsOnNoise::SecondsRead() const {
  return static_cast<double>(samples_read_) / kCaptureRateHz;
}

}  // namespace tolvik
