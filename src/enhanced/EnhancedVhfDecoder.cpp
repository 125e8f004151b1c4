#include "enhanced/EnhancedVhfDecoder.h"

#include <algorithm>
#include <cmath>

#include "dsc/ReceivingText.h"
#include "enhanced/ParabolaVertex.h"

namespace tolvik {

namespace {

static_assert(kFramesPerBlock % kVhfDecimationFactor == 0);

constexpr int kFirstClockedBit = kTemplateDotBits + kFirstClockedSymbol * kBitsPerSymbol;  // 140
// A variance floor keeps the gate's weights finite on a noiseless signal.
constexpr double kSmallestVariance = 1e-4;
// VHF tones are not tuned, so the receiving text shows no frequency error.
constexpr double kNoFrequencyErrorHz = 0.0;

int AcceptedPolarity(const EnhancedOptions& options) {
  if (options.AutoPolarity) {
    return 0;
  }
  return options.Inverted ? -1 : 1;
}

}  // namespace

EnhancedVhfDecoder::EnhancedVhfDecoder(CallSink& calls, StatusTextSink& status,
                                       const EnhancedOptions& options)
    : status_(status),
      options_(options),
      anti_alias_(kVhfAntiAliasCoefficients),
      sync_(template_, kVhfSyncSearchSamplesPerBit, kVhfSyncEnvelopeShare, kVhfSyncHoldSamples),
      clock_(kVhfEnhancedSamplesPerBit, kVhfGardnerGain),
      assembler_(status, calls, enhanced_position_) {
  sync_.SetAcceptedPolarity(AcceptedPolarity(options_));
}

void EnhancedVhfDecoder::SetOptions(const EnhancedOptions& options) {
  options_ = options;
  sync_.SetAcceptedPolarity(AcceptedPolarity(options_));
}

void EnhancedVhfDecoder::ProcessBlock(std::span<const double, kFramesPerBlock> channel0) {
  // A block holds a whole number of decimation steps, so every block starts
  // on a kept sample, as in the standard VHF demodulator.
  for (int j = 0; j < kFramesPerBlock; ++j) {
    const double filtered = anti_alias_.Process(channel0[j]);
    if (j % kVhfDecimationFactor == 0) {
      ProcessWorkingSample(filtered);
    }
  }
}

void EnhancedVhfDecoder::ProcessWorkingSamples(
    std::span<const double, kVhfWorkingSamplesPerBlock> working) {
  for (double x : working) {
    ProcessWorkingSample(x);
  }
}

void EnhancedVhfDecoder::ProcessWorkingSample(double x) {
  const SampleIndex sample = next_sample_++;
  const ToneOutput tones = detector_.Process(x);
  soft_.Push(tones.Soft);
  std::optional<SyncEvent> sync;
  if (sample % kVhfSyncSearchStride == 0) {
    sync = sync_.Process(sample / kVhfSyncSearchStride, tones);
  }
  if (receiving_) {
    RunReception();
  }
  if (sync) {
    OnSync(FullRate(*sync));
  }
}

SyncEvent EnhancedVhfDecoder::FullRate(const SyncEvent& sync) const {
  // The search's peak lies within a search step of the full-rate one.
  SyncEvent best{sync.Sample * kVhfSyncSearchStride, sync.Correlation};
  for (int step = 1 - kVhfSyncSearchStride; step < kVhfSyncSearchStride; ++step) {
    const SampleIndex sample = sync.Sample * kVhfSyncSearchStride + step;
    const double correlation = TemplateCorrelation(sample);
    if (soft_.Holds(sample + 1) &&
        sync.Polarity() * correlation > sync.Polarity() * best.Correlation) {
      best = {sample, correlation};
    }
  }
  return best;
}

void EnhancedVhfDecoder::FinishInput() {
  if (const std::optional<SyncEvent> sync = sync_.Flush()) {
    OnSync(FullRate(*sync));
  }
  if (receiving_) {
    assembler_.FinishReception();
    receiving_ = false;
  }
}

void EnhancedVhfDecoder::OnSync(const SyncEvent& sync) {
  if (receiving_ && sync.Strength() < kPreemptShare * reception_strength_) {
    return;  // a weaker call does not interrupt the one being read
  }
  // The template's first tap and the sample after the sync must be held.
  const SampleIndex first = sync.Sample - (kTemplateBits - 1) * kVhfEnhancedSamplesPerBit - 1;
  if (!soft_.Holds(first) || !soft_.Holds(sync.Sample + 1)) {
    return;
  }
  if (receiving_) {
    assembler_.FinishReception();
    receiving_ = false;
  }
  StartReception(sync);
}

double EnhancedVhfDecoder::TemplateCorrelation(SampleIndex end) const {
  const std::span<const double, kTemplateBits> weights = template_.Weights();
  double sum = 0.0;
  for (int k = 0; k < kTemplateBits; ++k) {
    sum += weights[k] * soft_.At(end - static_cast<SampleIndex>(kVhfEnhancedSamplesPerBit) *
                                           (kTemplateBits - 1 - k));
  }
  return sum;
}

void EnhancedVhfDecoder::StartReception(const SyncEvent& sync) {
  const int polarity = sync.Polarity();
  const double vertex = ParabolaVertex(polarity * TemplateCorrelation(sync.Sample - 1),
                                       polarity * TemplateCorrelation(sync.Sample),
                                       polarity * TemplateCorrelation(sync.Sample + 1));
  const double end_time = static_cast<double>(sync.Sample) + vertex;
  const SignalLevel level =
      template_.MeasureLevel(soft_, end_time, polarity, kVhfEnhancedSamplesPerBit);
  if (!(level.Amplitude > 0.0) || !(level.Variance <= kVhfLargestSyncVariance)) {
    return;
  }
  variance_ = std::max(level.Variance, kSmallestVariance);
  receiving_ = true;
  reception_strength_ = sync.Strength();
  clock_.Start(SyncTemplate::BitTime(end_time, kFirstClockedBit, kVhfEnhancedSamplesPerBit),
               level.Amplitude, polarity);
  symbols_.Start(kFirstClockedSymbol);
  assembler_.Reset(variance_, options_.StrictGate ? GateStrictness::Strict : GateStrictness::Normal,
                   kVhfGateVarianceFactor);
  status_.ShowStatusText(StatusPanel::Decoder, ReceivingText(kNoFrequencyErrorHz));
  RunReception();
}

void EnhancedVhfDecoder::RunReception() {
  while (receiving_) {
    const std::optional<double> bit = clock_.NextBit(soft_);
    if (!bit) {
      return;
    }
    OnSoftBit(*bit);
  }
}

void EnhancedVhfDecoder::OnSoftBit(double soft_bit) {
  if (const std::optional<int> rx_symbol = symbols_.Push({soft_bit})) {
    CharacterStep(*rx_symbol);
  }
}

void EnhancedVhfDecoder::CharacterStep(int rx_symbol) {
  const SymbolSoftBits& dx = symbols_.Dx(rx_symbol);
  const SymbolSoftBits& rx = symbols_.Rx(rx_symbol);
  metrics_.Score(dx, dx_scores_);
  metrics_.Score(rx, rx_scores_);
  // Gaussian soft bits of unit mean and variance var: half the
  // log-likelihood ratio of a bit is L / var.
  for (int v = 0; v < kCodewords; ++v) {
    dx_likelihood_[v] = dx_scores_[v] / variance_;
    rx_likelihood_[v] = rx_scores_[v] / variance_;
  }
  assembler_.CharacterStep({dx_scores_, rx_scores_, dx_likelihood_, rx_likelihood_},
                           SumsOf(dx, rx));
  if (!assembler_.Open()) {
    receiving_ = false;
  }
}

}  // namespace tolvik
