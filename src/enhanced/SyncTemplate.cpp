#include "enhanced/SyncTemplate.h"

#include <algorithm>
#include <cmath>

#include "dsc/DscSymbolCode.h"
#include "dsc/DscSymbols.h"

namespace tolvik {

namespace {

// Symbol times 12 and 14 carry the two format specifiers in DX.
constexpr bool IsUnknownSymbol(int time) {
  return time == 12 || time == 14;
}

// The phasing symbol sent at a symbol time: DX (even times) 125, RX (odd)
// counting down from 111.
int PhasingSymbol(int time) {
  if (time % 2 == 0) {
    return kDxPhasingSymbol;
  }
  return kFirstRxPhasingSymbol - time / 2;
}

}  // namespace

SyncTemplate::SyncTemplate() {
  int k = 0;
  for (int i = 0; i < kTemplateDotBits; ++i) {
    weights_[k++] = i % 2 == 0 ? 1.0 : -1.0;  // 1, 0, ..., 1, 0: the dots end with 0
  }
  for (int time = 0; time < kTemplateSymbols; ++time) {
    if (IsUnknownSymbol(time)) {
      for (int bit = 0; bit < kBitsPerSymbol; ++bit) {
        weights_[k++] = 0.0;
      }
      continue;
    }
    for (std::uint8_t bit : SymbolBits(PhasingSymbol(time))) {
      weights_[k++] = bit != 0 ? 1.0 : -1.0;
    }
  }
  int ones = 0;
  int zeros = 0;
  for (double weight : weights_) {
    ones += weight > 0.0 ? 1 : 0;
    zeros += weight < 0.0 ? 1 : 0;
  }
  known_bits_ = ones + zeros;
  for (int i = 0; i < kTemplateBits; ++i) {
    balanced_weights_[i] = weights_[i] > 0.0 ? 1.0 / ones : weights_[i] < 0.0 ? -1.0 / zeros : 0.0;
  }
}

double SyncTemplate::Correlate(std::span<const double, kTemplateBits> values) const {
  double sum = 0.0;
  for (int k = 0; k < kTemplateBits; ++k) {
    sum += weights_[k] * values[k];
  }
  return sum;
}

double SyncTemplate::CorrelateBalanced(std::span<const double, kTemplateBits> values) const {
  double sum = 0.0;
  for (int k = 0; k < kTemplateBits; ++k) {
    sum += balanced_weights_[k] * values[k];
  }
  return sum;
}

SignalLevel SyncTemplate::MeasureLevel(const SampleRing& soft, double end_time, int polarity,
                                       int samples_per_bit) const {
  double sum = 0.0;
  for (int k = 0; k < kTemplateBits; ++k) {
    if (weights_[k] != 0.0) {
      sum += polarity * weights_[k] * soft.Interpolated(BitTime(end_time, k, samples_per_bit));
    }
  }
  SignalLevel level;
  level.Amplitude = sum / known_bits_;
  if (level.Amplitude <= 0.0) {
    return level;
  }
  double squares = 0.0;
  for (int k = 0; k < kTemplateBits; ++k) {
    if (weights_[k] != 0.0) {
      const double deviation = polarity * weights_[k] *
                                   soft.Interpolated(BitTime(end_time, k, samples_per_bit)) /
                                   level.Amplitude -
                               1.0;
      squares += deviation * deviation;
    }
  }
  level.Variance = squares / known_bits_;
  return level;
}

ToneLevels SyncTemplate::MeasureToneLevels(const SampleRing& soft, const SampleRing& envelope,
                                           double end_time, int polarity) const {
  double sent_power = 0.0;
  double other_power = 0.0;
  for (int k = 0; k < kTemplateBits; ++k) {
    if (weights_[k] == 0.0) {
      continue;
    }
    const double time = BitTime(end_time, k);
    const double signed_soft = polarity * weights_[k] * soft.Interpolated(time);
    const double sum = envelope.Interpolated(time);
    const double sent = 0.5 * (sum + signed_soft);
    const double other = 0.5 * (sum - signed_soft);
    sent_power += sent * sent;
    other_power += other * other;
  }
  ToneLevels levels;
  levels.NoisePower = other_power / known_bits_;
  levels.Amplitude = std::sqrt(std::max(0.0, (sent_power - other_power) / known_bits_));
  return levels;
}

}  // namespace tolvik
