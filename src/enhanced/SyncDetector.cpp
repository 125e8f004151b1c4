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
      picker_(hold_samples) {}

void SyncDetector::Store(SampleIndex sample, const ToneOutput& tones) {
  const auto phase = static_cast<int>(sample % samples_per_bit_);
  const auto slot = static_cast<int>((sample / samples_per_bit_) % kTemplateBits);
  const int base = phase * kPhaseStride;
  soft_[base + slot] = tones.Soft;
  soft_[base + slot + kTemplateBits] = tones.Soft;
  envelope_[base + slot] = tones.Envelope;
  envelope_[base + slot + kTemplateBits] = tones.Envelope;
  // The newest is at slot + 180, the oldest at slot + 1.
  soft_window_ = soft_.data() + base + slot + 1;
  envelope_window_ = envelope_.data() + base + slot + 1;
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
  const std::span<const double, kTemplateBits> weights = template_.Weights();
  double num = 0.0;
  double den_e = 0.0;
  for (int k = 0; k < kTemplateBits; ++k) {
    num += weights[k] * soft_window_[k];
    den_e += std::fabs(weights[k]) * envelope_window_[k];
  }
  const double strength = std::fabs(num);
  if (strength == 0.0 || strength < envelope_share_ * den_e) {
    return std::nullopt;
  }
  double den_d = 0.0;
  for (int k = 0; k < kTemplateBits; ++k) {
    den_d += std::fabs(weights[k] * soft_window_[k]);
  }
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
