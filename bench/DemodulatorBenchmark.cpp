// Time to demodulate one 100 ms block, HF and VHF, on a realistic signal:
// random-bit FSK at about -12 dB of full scale with a little Gaussian noise.
// Each iteration copies the next block of a 5 s signal into the working block
// (the demodulators filter in place) and demodulates it; the copy of 4800
// doubles is included in the time.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "base/BlockFormat.h"
#include "demod/BitSink.h"
#include "demod/ChannelTuning.h"
#include "demod/DemodulatorTraces.h"
#include "demod/FskModulator.h"
#include "demod/HfDemodulator.h"
#include "demod/VhfDemodulator.h"

namespace tolvik {
namespace {

constexpr int kSignalBlocks = 50;
constexpr double kAmplitude = 8000.0;
constexpr double kNoiseRms = 400.0;  // 26 dB below the signal

class CountingBitSink : public BitSink {
 public:
  void PushBit(int, int bit) override { ones_ += bit; }

 private:
  std::int64_t ones_ = 0;  // keeps the decisions observable
};

std::vector<double> NoisyFsk(double mark_hz, double space_hz, double bit_rate) {
  const int bits = static_cast<int>(bit_rate * kSignalBlocks / 10.0);
  std::mt19937 generator(2024);
  std::bernoulli_distribution coin(0.5);
  std::vector<std::uint8_t> sent(bits);
  for (auto& b : sent) {
    b = coin(generator) ? 1 : 0;
  }
  FskModulator modulator(mark_hz, space_hz, bit_rate, kAmplitude);
  std::vector<double> signal;
  modulator.Modulate(sent, signal);
  signal.resize(static_cast<std::size_t>(kSignalBlocks) * kFramesPerBlock);
  std::normal_distribution<double> noise(0.0, kNoiseRms);
  for (double& x : signal) {
    x += noise(generator);
  }
  return signal;
}

template <typename Demodulate>
void RunBlocks(benchmark::State& state, const std::vector<double>& signal, Demodulate demodulate) {
  std::array<double, kFramesPerBlock> block{};
  int next = 0;
  for (auto _ : state) {
    const auto start = signal.begin() + static_cast<std::ptrdiff_t>(next) * kFramesPerBlock;
    std::copy(start, start + kFramesPerBlock, block.begin());
    demodulate(block);
    benchmark::DoNotOptimize(block.data());
    benchmark::ClobberMemory();
    next = (next + 1) % kSignalBlocks;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_DemodulateHf(benchmark::State& state) {
  const std::vector<double> signal = NoisyFsk(715.0, 885.0, 100.0);
  ChannelTunings tunings{};
  DemodulatorTraces traces;
  CountingBitSink bits;
  HfDemodulator demodulator(tunings, traces, bits);
  RunBlocks(state, signal, [&](std::array<double, kFramesPerBlock>& block) {
    demodulator.DemodulateHf(0, block);
  });
}
BENCHMARK(BM_DemodulateHf)->Unit(benchmark::kMicrosecond);

void BM_DemodulateVhf(benchmark::State& state) {
  const std::vector<double> signal = NoisyFsk(1300.0, 2100.0, 1200.0);
  DemodulatorTraces traces;
  CountingBitSink bits;
  VhfDemodulator demodulator(traces, bits);
  RunBlocks(state, signal, [&](std::array<double, kFramesPerBlock>& block) {
    demodulator.DemodulateVhf(0, block);
  });
}
BENCHMARK(BM_DemodulateVhf)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tolvik
