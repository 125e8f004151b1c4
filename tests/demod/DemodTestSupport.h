#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <span>
#include <vector>

#include "base/BlockFormat.h"
#include "demod/BitSink.h"
#include "demod/ChannelTuning.h"
#include "demod/DemodulatorTraces.h"
#include "demod/FskModulator.h"
#include "demod/HfDemodulator.h"
#include "demod/VhfDemodulator.h"

namespace tolvik::testing {

using Block = std::array<double, kFramesPerBlock>;

// Where a bit was decided: the block and the working sample within it.
struct DecidedBit {
  int block;
  int index;
  int bit;
};

// Records every decided bit with the working sample it was decided at. The
// working sample is found from the traces, filled with NaN before each block:
// at PushBit time entries 0..i of the trace being written sample by sample
// hold values while i+1 does not. That is the mixer trace in HF; the VHF
// demodulator fills its mixer trace for the whole block first and writes the
// discriminator trace alongside its decisions.
class RecordingBitSink : public BitSink {
 public:
  explicit RecordingBitSink(const DemodulatorTraces& traces) : traces_(traces) {}

  void PushBit(int channel, int bit) override {
    auto is_unwritten = [](double x) { return x != x; };
    const auto& mixer = traces_.MixerOutput[channel];
    const auto& discriminator = traces_.DiscriminatorOutput[channel];
    const auto& trace =
        std::any_of(mixer.begin(), mixer.end(), is_unwritten) ? mixer : discriminator;
    const auto first_unwritten = std::find_if(trace.begin(), trace.end(), is_unwritten);
    const int index = static_cast<int>(first_unwritten - trace.begin()) - 1;
    bits.push_back({block_, index, bit});
    channels.push_back(channel);
    if (on_bit) {
      on_bit(bits.back());
    }
  }

  void StartBlock(DemodulatorTraces& traces, int block) {
    for (auto& trace : traces.MixerOutput) {
      trace.fill(std::numeric_limits<double>::quiet_NaN());
    }
    for (auto& trace : traces.DiscriminatorOutput) {
      trace.fill(std::numeric_limits<double>::quiet_NaN());
    }
    block_ = block;
  }

  std::vector<int> BitValues() const {
    std::vector<int> values;
    for (const DecidedBit& b : bits) {
      values.push_back(b.bit);
    }
    return values;
  }

  std::vector<DecidedBit> bits;
  std::vector<int> channels;
  std::function<void(const DecidedBit&)> on_bit;  // runs inside PushBit

 private:
  const DemodulatorTraces& traces_;
  int block_ = 0;
};

// One demodulator of each mode with everything they talk to, fed block by block.
struct DemodBench {
  ChannelTunings tunings{};
  DemodulatorTraces traces{};
  RecordingBitSink sink{traces};
  HfDemodulator hf{tunings, traces, sink};
  VhfDemodulator vhf{traces, sink};
  Block block{};
  int blocks_run = 0;

  void RunHf(std::span<const double> audio, int channel = 0) {
    Load(audio);
    hf.DemodulateHf(channel, block);
  }
  void RunVhf(std::span<const double> audio, int channel = 0) {
    Load(audio);
    vhf.DemodulateVhf(channel, block);
  }

 private:
  void Load(std::span<const double> audio) {
    std::fill(block.begin(), block.end(), 0.0);
    std::copy_n(audio.begin(), std::min<std::size_t>(audio.size(), block.size()), block.begin());
    sink.StartBlock(traces, blocks_run++);
  }
};

// The part of `signal` that makes up block k.
inline std::span<const double> BlockOf(const std::vector<double>& signal, int k) {
  const std::size_t start = static_cast<std::size_t>(k) * kFramesPerBlock;
  return std::span<const double>(signal).subspan(start, kFramesPerBlock);
}

inline int WholeBlocks(const std::vector<double>& signal) {
  return static_cast<int>(signal.size() / kFramesPerBlock);
}

inline std::vector<std::uint8_t> DotPattern(int count) {
  std::vector<std::uint8_t> bits(count);
  for (int k = 0; k < count; ++k) {
    bits[k] = static_cast<std::uint8_t>(k % 2 == 0 ? 1 : 0);
  }
  return bits;
}

inline std::vector<std::uint8_t> RandomBits(int count, unsigned seed) {
  std::mt19937 generator(seed);
  std::bernoulli_distribution coin(0.5);
  std::vector<std::uint8_t> bits(count);
  for (auto& b : bits) {
    b = coin(generator) ? 1 : 0;
  }
  return bits;
}

inline constexpr double kTestAmplitude =
    8000.0;  // well inside 16 bits, like a sound card at -12 dB

inline std::vector<double> HfFsk(double centre_hz, std::span<const std::uint8_t> bits,
                                 double bit_rate = 100.0) {
  FskModulator modulator(centre_hz - 85.0, centre_hz + 85.0, bit_rate, kTestAmplitude);
  std::vector<double> signal;
  modulator.Modulate(bits, signal);
  return signal;
}

inline std::vector<double> VhfFsk(std::span<const std::uint8_t> bits, double bit_rate = 1200.0) {
  FskModulator modulator(1300.0, 2100.0, bit_rate, kTestAmplitude);
  std::vector<double> signal;
  modulator.Modulate(bits, signal);
  return signal;
}

inline std::vector<double> Tone(double frequency_hz, int blocks) {
  // One "bit" per block: the same frequency either way.
  FskModulator modulator(frequency_hz, frequency_hz, 10.0, kTestAmplitude);
  std::vector<double> signal;
  modulator.Modulate(std::vector<std::uint8_t>(static_cast<std::size_t>(blocks), 1), signal);
  signal.resize(static_cast<std::size_t>(blocks) * kFramesPerBlock);
  return signal;
}

// Where `sent` shows up in `decided`: the smallest offset d such that
// decided[d + k] == sent[k] for every k in [skip, sent.size()) that `decided`
// covers (at least `min_compared` of them), or nothing when there is none
// within `max_offset`. `skip` leaves out the bits decided while the filters
// were still filling.
inline std::optional<int> FindAlignment(const std::vector<int>& decided,
                                        std::span<const std::uint8_t> sent, int skip,
                                        int max_offset, int min_compared) {
  for (int d = -skip; d <= max_offset; ++d) {
    bool all_equal = true;
    int compared = 0;
    for (int k = skip; k < static_cast<int>(sent.size()); ++k) {
      const int j = d + k;
      if (j < 0 || j >= static_cast<int>(decided.size())) {
        continue;
      }
      ++compared;
      if (decided[j] != sent[k]) {
        all_equal = false;
        break;
      }
    }
    if (all_equal && compared >= min_compared) {
      return d;
    }
  }
  return std::nullopt;
}

// Amplitude of the component at `frequency_hz` in `x`, by correlation with a
// cosine and a sine; `x` should span whole periods (or many of them).
inline double AmplitudeAt(std::span<const double> x, double frequency_hz, double rate_hz) {
  double in_phase = 0.0;
  double quadrature = 0.0;
  for (std::size_t n = 0; n < x.size(); ++n) {
    const double angle = 2.0 * std::numbers::pi * frequency_hz * static_cast<double>(n) / rate_hz;
    in_phase += x[n] * std::cos(angle);
    quadrature += x[n] * std::sin(angle);
  }
  return 2.0 * std::hypot(in_phase, quadrature) / static_cast<double>(x.size());
}

// |H(f)| of an FIR table at `rate_hz`.
inline double FirAmplitudeResponse(std::span<const double> table, double frequency_hz,
                                   double rate_hz) {
  double re = 0.0;
  double im = 0.0;
  for (std::size_t k = 0; k < table.size(); ++k) {
    const double angle = 2.0 * std::numbers::pi * frequency_hz * static_cast<double>(k) / rate_hz;
    re += table[k] * std::cos(angle);
    im -= table[k] * std::sin(angle);
  }
  return std::hypot(re, im);
}

}  // namespace tolvik::testing
