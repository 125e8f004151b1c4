#include "enhanced/OffsetBank.h"

#include <algorithm>
#include <array>

#include "enhanced/ParabolaVertex.h"

namespace tolvik {

namespace {

// d from one sample before the first tap to one sample after the last.
constexpr int kSpanSamples = (kTemplateBits - 1) * kEnhancedSamplesPerBit + 3;
// The refined frequency stays within half a step of the chosen offset.
constexpr double kHalfStepHz = 0.5 * kOffsetBankStepHz;

SampleIndex FirstTap(SampleIndex sync_sample) {
  return sync_sample - 1 - static_cast<SampleIndex>(kTemplateBits - 1) * kEnhancedSamplesPerBit;
}

}  // namespace

OffsetBank::OffsetBank(const SyncTemplate& sync_template)
    : template_(sync_template), soft_(kSpanSamples, 0.0) {}

SampleIndex OffsetBank::FirstSampleNeeded(SampleIndex sync_sample) {
  return FirstTap(sync_sample) - (kEnhancedSamplesPerBit - 1);
}

OffsetBank::Peak OffsetBank::Correlate(const SampleRing& working, const SyncEvent& sync,
                                       double centre_hz, double offset_hz) {
  pair_.Retune(centre_hz, offset_hz);
  const SampleIndex first_tap = FirstTap(sync.Sample);
  for (SampleIndex i = FirstSampleNeeded(sync.Sample); i < first_tap; ++i) {
    pair_.Process(working.At(i));
  }
  for (int i = 0; i < kSpanSamples; ++i) {
    soft_[i] = pair_.Process(working.At(first_tap + i)).Soft;
  }
  std::array<double, 3> signed_correlation{};
  std::array<double, kTemplateBits> taps{};
  for (int shift = 0; shift < 3; ++shift) {
    for (int k = 0; k < kTemplateBits; ++k) {
      taps[k] = soft_[shift + k * kEnhancedSamplesPerBit];
    }
    signed_correlation[shift] = sync.Polarity() * template_.CorrelateBalanced(taps);
  }
  Peak peak;
  peak.Best = *std::max_element(signed_correlation.begin(), signed_correlation.end());
  peak.Vertex = ParabolaVertex(signed_correlation[0], signed_correlation[1], signed_correlation[2]);
  return peak;
}

std::optional<OffsetEstimate> OffsetBank::Measure(const SampleRing& working, const SyncEvent& sync,
                                                  double centre_hz, bool use_bank) {
  if (!working.Holds(FirstSampleNeeded(sync.Sample)) || !working.Holds(sync.Sample + 1)) {
    return std::nullopt;
  }
  if (!use_bank) {
    const Peak peak = Correlate(working, sync, centre_hz, 0.0);
    return OffsetEstimate{0.0, 0.0, static_cast<double>(sync.Sample) + peak.Vertex};
  }
  std::array<Peak, kOffsetBankSteps> peaks{};
  int best = 0;
  for (int step = 0; step < kOffsetBankSteps; ++step) {
    peaks[step] =
        Correlate(working, sync, centre_hz, kOffsetBankLowestHz + step * kOffsetBankStepHz);
    if (peaks[step].Best > peaks[best].Best) {
      best = step;
    }
  }
  OffsetEstimate estimate;
  estimate.OffsetHz = kOffsetBankLowestHz + best * kOffsetBankStepHz;
  // The parabola through the best step and its neighbours (at either end of
  // the bank, through the three outermost steps) says where between the
  // steps the tone pair lies.
  const int centre = std::clamp(best, 1, kOffsetBankSteps - 2);
  const double vertex =
      centre + ParabolaVertex(peaks[centre - 1].Best, peaks[centre].Best, peaks[centre + 1].Best);
  estimate.FrequencyErrorHz =
      std::clamp(kOffsetBankLowestHz + vertex * kOffsetBankStepHz, estimate.OffsetHz - kHalfStepHz,
                 estimate.OffsetHz + kHalfStepHz);
  estimate.EndTime = static_cast<double>(sync.Sample) + peaks[best].Vertex;
  return estimate;
}

}  // namespace tolvik
