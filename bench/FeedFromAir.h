#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "CallsOnNoise.h"
#include "StreamDecoder.h"
#include "ThreadCpuClock.h"
#include "base/BlockFormat.h"

namespace tolvik {

// Feeds `decoder` from `air` until `end_s` seconds of audio have gone in, a
// piece of `piece_samples` samples at a time (the last one shorter), and
// calls after_piece() once after each piece so that its rows are taken as
// they come. Returns the decoding thread's CPU seconds spent in the decoder
// alone, not in making the audio.
template <typename AfterPiece>
double FeedFromAirUntil(CallsOnNoise& air, StreamDecoder& decoder, std::vector<double>& piece,
                        std::size_t piece_samples, double end_s, AfterPiece&& after_piece) {
  const auto end = static_cast<std::uint64_t>(end_s * kCaptureRateHz);
  auto done = static_cast<std::uint64_t>(air.SecondsRead() * kCaptureRateHz + 0.5);
  double decoding_s = 0.0;
  while (done < end) {
    piece.resize(static_cast<std::size_t>(std::min<std::uint64_t>(piece_samples, end - done)));
    air.Read(piece);
    const double started_s = ThreadCpuSeconds();
    decoder.Feed(piece);
    decoding_s += ThreadCpuSeconds() - started_s;
    done += piece.size();
    after_piece();
  }
  return decoding_s;
}

}  // namespace tolvik
