#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "demod/FskModulator.h"
#include "gen/GaussianNoise.h"
#include "gen/SignalGenerator.h"

namespace tolvik {

// The signal of GenerateSignalWithPlacements made piece by piece, so that a
// file of any length is written without holding it in memory: lead, the
// calls one after another with the gap between them, trail, and noise over
// all of it when asked for. Its length and the place of every call are
// known before the first sample is made. Same options and seed, same
// samples as the whole signal at once.
class SignalStream {
 public:
  // Throws std::invalid_argument for options CheckSignalOptions rejects.
  SignalStream(std::span<const CallDescription> calls, const SignalOptions& options);

  std::uint64_t TotalSamples() const { return total_samples_; }
  const std::vector<CallPlacement>& Calls() const { return placements_; }

  // Fills the start of `out` with the next samples (16-bit units, not yet
  // rounded or clipped) and returns how many; 0 at the end.
  std::size_t Read(std::span<double> out);

 private:
  // A stretch of the signal: silence, or call number `call`.
  struct Piece {
    std::uint64_t samples = 0;
    std::optional<std::size_t> call;
  };

  std::size_t ReadCall(std::size_t call, std::span<double> out);

  SignalOptions options_;
  ToneFrequencies tones_;
  double bit_rate_;
  std::vector<std::vector<std::uint8_t>> call_bits_;
  std::vector<CallPlacement> placements_;
  std::vector<Piece> pieces_;
  std::uint64_t total_samples_ = 0;
  std::optional<GaussianNoise> noise_;

  std::size_t piece_ = 0;                  // the piece being read
  std::uint64_t piece_done_ = 0;           // its samples delivered
  std::optional<FskModulator> modulator_;  // of the call being read
  std::size_t bits_done_ = 0;              // of that call, modulated
  std::vector<double> modulated_;          // samples modulated, not yet delivered
  std::size_t modulated_start_ = 0;        // first of them not delivered
};

}  // namespace tolvik
