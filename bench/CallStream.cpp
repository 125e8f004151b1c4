#include "CallStream.h"

#include <algorithm>

#include "gen/WavWriter.h"

namespace tolvik {

CallStreamSummary GenerateCallStream(std::span<const CallDescription> calls,
                                     const SignalOptions& options, int calls_per_piece,
                                     const std::function<void(std::span<const double>)>& consume) {
  CallStreamSummary summary;
  const std::size_t per_piece = static_cast<std::size_t>(std::max(1, calls_per_piece));
  std::uint64_t piece_number = 0;
  for (std::size_t first = 0; first < calls.size(); first += per_piece, ++piece_number) {
    const std::size_t count = std::min(per_piece, calls.size() - first);
    const bool is_first = first == 0;
    const bool is_last = first + count == calls.size();
    SignalOptions piece = options;
    piece.Seed = options.Seed + piece_number;
    piece.LeadS = is_first ? options.LeadS : options.GapS / 2;
    piece.TrailS = is_last ? options.TrailS : options.GapS - options.GapS / 2;
    const GeneratedSignal signal = GenerateSignalWithPlacements(calls.subspan(first, count), piece);

    const double piece_start_s = static_cast<double>(summary.Samples) / options.SampleRateHz;
    for (const CallPlacement& placement : signal.Calls) {
      summary.Calls.push_back(
          {piece_start_s + placement.StartS, piece_start_s + placement.EndS, placement.Bits});
    }
    summary.Samples += signal.Samples.size();
    summary.ClippedSamples += CountClippedSamples(signal.Samples);
    consume(signal.Samples);
  }
  return summary;
}

}  // namespace tolvik
