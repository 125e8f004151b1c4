#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "StreamDecoder.h"
#include "demod/FrequencyShifter.h"
#include "gen/CallDescription.h"
#include "gen/SignalGenerator.h"

namespace tolvik {

// The receiver's own HF centre.
inline constexpr double kDecoderCentreHz = 800.0;

// Whether two rows carry the same texts (all but Time) and distress kind.
bool SameTexts(const BenchRow& a, const BenchRow& b);
bool SameTextsButPosition(const BenchRow& a, const BenchRow& b);

// The call whose transmission started last at or before `offset_s`, of
// `placements` in time order.
std::optional<std::size_t> CallOnAirBefore(std::span<const CallPlacement> placements,
                                           double offset_s);

// Feeds a decoder, first moving an HF signal sent away from the decoder's
// centre to it, as tolvik-decode --centre does.
class ShiftingFeeder {
 public:
  ShiftingFeeder(StreamDecoder& decoder, bool vhf, double centre_hz);
  void operator()(std::span<const double> samples);

 private:
  StreamDecoder& decoder_;
  std::optional<FrequencyShifter> shifter_;
  std::vector<double> shifted_;
};

// The row each call makes when received clean (strong tones over faint
// noise, the calls one after another with short gaps, a standard receiver),
// the texts a noisy reception must reproduce; nullopt for a call not decoded
// even so. Such calls and rows that fit no call are named on stdout. The
// audio is made `calls_per_piece` calls at a time: fewer keep less of it in
// memory at once.
std::vector<std::optional<BenchRow>> CleanRows(std::span<const CallDescription> calls, bool vhf,
                                               double centre_hz = kDecoderCentreHz,
                                               int calls_per_piece = 25);

}  // namespace tolvik
