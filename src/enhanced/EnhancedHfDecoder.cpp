#include "enhanced/EnhancedHfDecoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "dsc/ReceivingText.h"

namespace tolvik {

namespace {

constexpr int kFirstClockedBit = kTemplateDotBits + kFirstClockedSymbol * kBitsPerSymbol;  // 140
// A variance floor keeps the gate's weights finite on a noiseless signal.
constexpr double kSmallestVariance = 1e-4;

int AcceptedPolarity(const EnhancedOptions& options) {
  if (options.AutoPolarity) {
    return 0;
  }
  return options.Inverted ? -1 : 1;
}

}  // namespace

EnhancedHfDecoder::EnhancedHfDecoder(CallSink& calls, StatusTextSink& status,
                                     const EnhancedOptions& options)
    : status_(status),
      options_(options),
      anti_alias_(kHfAntiAliasCoefficients),
      search_tones_(options.CentreHz),
      sync_(template_),
      offset_bank_(template_),
      assembler_(status, calls, enhanced_position_) {
  sync_.SetAcceptedPolarity(AcceptedPolarity(options_));
}

void EnhancedHfDecoder::SetOptions(const EnhancedOptions& options) {
  if (options.CentreHz != options_.CentreHz) {
    search_tones_.Retune(options.CentreHz, 0.0);
  }
  options_ = options;
  sync_.SetAcceptedPolarity(AcceptedPolarity(options_));
}

void EnhancedHfDecoder::ProcessBlock(std::span<const double, kFramesPerBlock> channel0) {
  for (int j = 0; j < kFramesPerBlock; ++j) {
    const double filtered = anti_alias_.Process(channel0[j]);
    if (j % kHfDecimationFactor == 0) {
      ProcessWorkingSample(filtered);
    }
  }
}

void EnhancedHfDecoder::ProcessWorkingSamples(
    std::span<const double, kHfWorkingSamplesPerBlock> working) {
  for (double x : working) {
    ProcessWorkingSample(x);
  }
}

void EnhancedHfDecoder::ProcessWorkingSample(double x) {
  const SampleIndex sample = next_sample_++;
  working_.Push(x);
  const std::optional<SyncEvent> sync = sync_.Process(sample, search_tones_.Process(x));
  if (receiving_) {
    const ToneOutput tones = reception_tones_.Process(x);
    reception_soft_.Push(tones.Soft);
    reception_envelope_.Push(tones.Envelope);
    RunReception();
  }
  if (sync) {
    OnSync(*sync);
  }
}

void EnhancedHfDecoder::FinishInput() {
  if (const std::optional<SyncEvent> sync = sync_.Flush()) {
    OnSync(*sync);
  }
  if (receiving_) {
    assembler_.FinishReception();
    receiving_ = false;
  }
}

void EnhancedHfDecoder::OnSync(const SyncEvent& sync) {
  if (receiving_ && sync.Strength() < kPreemptShare * reception_strength_) {
    return;  // a weaker call does not interrupt the one being read
  }
  const std::optional<OffsetEstimate> estimate =
      offset_bank_.Measure(working_, sync, options_.CentreHz, options_.FrequencyOffsetBank);
  if (!estimate) {
    return;
  }
  if (receiving_) {
    assembler_.FinishReception();
    receiving_ = false;
  }
  StartReception(sync, *estimate);
}

void EnhancedHfDecoder::StartReception(const SyncEvent& sync, const OffsetEstimate& estimate) {
  reception_tones_.Retune(options_.CentreHz, estimate.OffsetHz);
  const SampleIndex first = OffsetBank::FirstSampleNeeded(sync.Sample);
  reception_soft_.Restart(first);
  reception_envelope_.Restart(first);
  for (SampleIndex i = first; i < next_sample_; ++i) {
    const ToneOutput tones = reception_tones_.Process(working_.At(i));
    reception_soft_.Push(tones.Soft);
    reception_envelope_.Push(tones.Envelope);
  }
  const SignalLevel level =
      template_.MeasureLevel(reception_soft_, estimate.EndTime, sync.Polarity());
  if (!(level.Amplitude > 0.0) || !std::isfinite(level.Variance)) {
    return;
  }
  const double variance = std::max(level.Variance, kSmallestVariance);
  const ToneLevels tone_levels = template_.MeasureToneLevels(reception_soft_, reception_envelope_,
                                                             estimate.EndTime, sync.Polarity());
  if (!(tone_levels.Amplitude > 0.0) || !(tone_levels.NoisePower > 0.0)) {
    return;
  }
  likelihood_.SetLevels(tone_levels);
  polarity_ = sync.Polarity();
  receiving_ = true;
  reception_strength_ = sync.Strength();
  frequency_error_hz_ = estimate.FrequencyErrorHz;
  clock_.Start(SyncTemplate::BitTime(estimate.EndTime, kFirstClockedBit), level.Amplitude,
               sync.Polarity());
  symbols_.Start(kFirstClockedSymbol);
  assembler_.Reset(variance, options_.StrictGate ? GateStrictness::Strict : GateStrictness::Normal);
  ShowReceivingText();
  RunReception();
}

void EnhancedHfDecoder::ShowReceivingText() {
  status_.ShowStatusText(StatusPanel::Decoder, ReceivingText(frequency_error_hz_));
}

void EnhancedHfDecoder::RunReception() {
  while (receiving_) {
    const std::optional<double> bit = clock_.NextBit(reception_soft_);
    if (!bit) {
      return;
    }
    // The envelopes at the same instant give the bit's likelihood.
    const double time = clock_.LastTime();
    const double soft = polarity_ * reception_soft_.Interpolated(time);
    const double envelope = reception_envelope_.Interpolated(time);
    OnSoftBit(*bit, likelihood_.HalfRatio(0.5 * (envelope + soft), 0.5 * (envelope - soft)));
  }
}

void EnhancedHfDecoder::OnSoftBit(double soft_bit, double half_ratio) {
  if (const std::optional<int> rx_symbol = symbols_.Push({soft_bit, half_ratio})) {
    CharacterStep(*rx_symbol);
  }
}

void EnhancedHfDecoder::CharacterStep(int rx_symbol) {
  constexpr int kHalfRatios = 1;  // the ring's second value per bit
  const SymbolSoftBits& dx = symbols_.Dx(rx_symbol);
  const SymbolSoftBits& rx = symbols_.Rx(rx_symbol);
  metrics_.Score(dx, dx_scores_);
  metrics_.Score(rx, rx_scores_);
  metrics_.Score(symbols_.Dx(rx_symbol, kHalfRatios), dx_likelihood_);
  metrics_.Score(symbols_.Rx(rx_symbol, kHalfRatios), rx_likelihood_);
  assembler_.CharacterStep({dx_scores_, rx_scores_, dx_likelihood_, rx_likelihood_},
                           SumsOf(dx, rx));
  if (!assembler_.Open()) {
    receiving_ = false;
  }
}

}  // namespace tolvik
