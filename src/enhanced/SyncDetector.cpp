#include "enhanced/SyncDetector.h"

#include <cmath>

namespace tolvik {

namespace {

constexpr int kPhaseStride = 2 * kTemplateBits;  // one phase's doubled history

}  // namespace

SyncDetector::SyncDetector(const SyncTemplate& sync_template)
    : SyncDetector(sync_template, kEnhancedSamplesPerBit, kSyncEnvelopeShare,
                   kSyncHoldBits * kEnhancedSamplesPerBit) {}

SyncDetector::SyncDetector(const SyncTemplate& sync_template, int samples_per_bit,
                           double envelope_share, int hold_samples)
    : template_(sync_template),
      samples_per_bit_(samples_per_bit),
      envelope_share_(envelope_share),
      samples_before_first_window_(static_cast<SampleIndex>(kTemplateBits) * samples_per_bit - 1),
      soft_(static_cast<std::size_t>(samples_per_bit) * kPhaseStride, 0.0),
      envelope_(soft_.size(), 0.0),
      sums_(static_cast<std::size_t>(samples_per_bit)),
      picker_(hold_samples) {
  const std::span<const double, kTemplateBits> weights = template_.Weights();
  for (int k = 0; k < kTemplateBits; ++k) {
    if (weights[k] == 0.0) {
      unknown_taps_.push_back(k);
    } else if (weights[k] < 0.0) {
      zero_bit_taps_.push_back(k);
    }
  }
}

void SyncDetector::Store(SampleIndex sample, const ToneOutput& tones) {
  const auto phase = static_cast<int>(sample % samples_per_bit_);
  const auto slot = static_cast<int>((sample / samples_per_bit_) % kTemplateBits);
  const int base = phase * kPhaseStride;
  WindowSums& sums = sums_[static_cast<std::size_t>(phase)];
  const double leaving_soft = soft_[base + slot];
  sums.Soft += tones.Soft - leaving_soft;
  sums.SoftMagnitude += std::fabs(tones.Soft) - std::fabs(leaving_soft);
  sums.Envelope += tones.Envelope - envelope_[base + slot];
  soft_[base + slot] = tones.Soft;
  soft_[base + slot + kTemplateBits] = tones.Soft;
  envelope_[base + slot] = tones.Envelope;
  envelope_[base + slot + kTemplateBits] = tones.Envelope;
  // The newest is at slot + 180, the oldest at slot + 1.
  soft_window_ = soft_.data() + base + slot + 1;
  envelope_window_ = envelope_.data() + base + slot + 1;
  window_sums_ = &sums;
  if (slot == kTemplateBits - 1) {
    RecomputeSums(sums);
  }
}

void SyncDetector::RecomputeSums(WindowSums& sums) const {
  sums = WindowSums{};
  for (int k = 0; k < kTemplateBits; ++k) {
    sums.Soft += soft_window_[k];
    sums.SoftMagnitude += std::fabs(soft_window_[k]);
    sums.Envelope += envelope_window_[k];
  }
}

std::optional<SyncEvent> SyncDetector::Process(SampleIndex sample, const ToneOutput& tones) {
  Store(sample, tones);
  if (sample >= samples_before_first_window_) {
    if (const std::optional<SyncEvent> candidate = Candidate(sample)) {
      picker_.Offer(*candidate);
    }
  }
  return picker_.Tick();
}

std::optional<SyncEvent> SyncDetector::Candidate(SampleIndex sample) const {
  double unknown_soft = 0.0;
  double unknown_envelope = 0.0;
  for (const int k : unknown_taps_) {
    unknown_soft += soft_window_[k];
    unknown_envelope += envelope_window_[k];
  }
  double zero_bits_soft = 0.0;
  for (const int k : zero_bit_taps_) {
    zero_bits_soft += soft_window_[k];
  }
  const double num = window_sums_->Soft - unknown_soft - 2.0 * zero_bits_soft;
  const double den_e = window_sums_->Envelope - unknown_envelope;
  const double strength = std::fabs(num);
  if (strength == 0.0 || strength < envelope_share_ * den_e) {
    return std::nullopt;
  }
  double unknown_magnitude = 0.0;
  for (const int k : unknown_taps_) {
    unknown_magnitude += std::fabs(soft_window_[k]);
  }
  const double den_d = window_sums_->SoftMagnitude - unknown_magnitude;
  if (strength < kSyncSoftShare * den_d) {
    return std::nullopt;
  }
  const SyncEvent candidate{sample, num};
  if (accepted_polarity_ != 0 && candidate.Polarity() != accepted_polarity_) {
    return std::nullopt;
  }
  return candidate;
}

}  // namespace tolvik
