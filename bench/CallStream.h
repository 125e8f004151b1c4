#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "gen/CallDescription.h"
#include "gen/SignalGenerator.h"

namespace tolvik {

// What a long stream of calls turned out to be.
struct CallStreamSummary {
  std::vector<CallPlacement> Calls;  // where each call sits, seconds from the stream's start
  std::uint64_t Samples = 0;         // in the whole stream
  std::uint64_t ClippedSamples = 0;  // beyond 16 bits once rounded
};

// Puts `calls` one after another, `options.GapS` apart, as one continuous
// stream handed to `consume` a few calls at a time, so that hours of audio
// never sit in memory at once. Each piece has its own noise seed
// (options.Seed plus the piece's number); where two pieces meet the gap is
// split between the trail of one and the lead of the next, so every gap is
// the same. The stream starts with options.LeadS and ends with
// options.TrailS.
CallStreamSummary GenerateCallStream(std::span<const CallDescription> calls,
                                     const SignalOptions& options, int calls_per_piece,
                                     const std::function<void(std::span<const double>)>& consume);

}  // namespace tolvik
