#include "ReferenceRows.h"

#include <algorithm>
#include <cstdio>

#include "CallStream.h"
#include "base/BlockFormat.h"

namespace tolvik {

namespace {

// Without any noise the bit clock would stop in each gap and a call waiting
// for its look-ahead would be completed only when the next call starts.
constexpr double kCleanAmplitude = 8000.0;
constexpr double kCleanEbN0Db = 40.0;
constexpr std::uint64_t kCleanSeed = 99;
constexpr double kCleanHfGapS = 1.0;
constexpr double kCleanVhfGapS = 0.3;

}  // namespace

bool SameTextsButPosition(const BenchRow& a, const BenchRow& b) {
  const ReceiveEntry& x = a.Entry;
  const ReceiveEntry& y = b.Entry;
  return a.Kind == b.Kind && x.Category == y.Category && x.From == y.From && x.To == y.To &&
         x.RequestStatus == y.RequestStatus && x.Information == y.Information && x.Ack == y.Ack;
}

bool SameTexts(const BenchRow& a, const BenchRow& b) {
  return SameTextsButPosition(a, b) && a.Entry.Position == b.Entry.Position;
}

std::optional<std::size_t> CallOnAirBefore(std::span<const CallPlacement> placements,
                                           double offset_s) {
  const auto after = std::upper_bound(
      placements.begin(), placements.end(), offset_s,
      [](double offset, const CallPlacement& placement) { return offset < placement.StartS; });
  if (after == placements.begin()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(after - placements.begin() - 1);
}

ShiftingFeeder::ShiftingFeeder(StreamDecoder& decoder, bool vhf, double centre_hz)
    : decoder_(decoder) {
  if (!vhf && centre_hz != kDecoderCentreHz) {
    shifter_.emplace(centre_hz, kDecoderCentreHz, kCaptureRateHz);
  }
}

void ShiftingFeeder::operator()(std::span<const double> samples) {
  if (!shifter_) {
    decoder_.Feed(samples);
    return;
  }
  shifted_.assign(samples.begin(), samples.end());
  shifter_->Process(shifted_);
  decoder_.Feed(shifted_);
}

std::vector<std::optional<BenchRow>> CleanRows(std::span<const CallDescription> calls, bool vhf,
                                               double centre_hz, int calls_per_piece) {
  SignalOptions options;
  options.Vhf = vhf;
  options.CentreHz = centre_hz;
  options.EbN0Db = kCleanEbN0Db;
  options.Amplitude = kCleanAmplitude;
  options.GapS = vhf ? kCleanVhfGapS : kCleanHfGapS;
  options.Seed = kCleanSeed;
  StreamDecoder decoder(vhf);
  ShiftingFeeder feed(decoder, vhf, centre_hz);
  const CallStreamSummary stream = GenerateCallStream(
      calls, options, calls_per_piece, [&](std::span<const double> samples) { feed(samples); });
  decoder.Finish();
  std::vector<std::optional<BenchRow>> rows(calls.size());
  for (const BenchRow& row : decoder.Rows()) {
    const auto index = CallOnAirBefore(stream.Calls, row.OffsetS);
    if (index && !rows[*index]) {
      rows[*index] = row;
    } else {
      std::printf("  clean decode: unexpected row at %.1f s: %s | %s | %s\n", row.OffsetS,
                  row.Entry.Category.c_str(), row.Entry.From.c_str(), row.Entry.To.c_str());
    }
  }
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (!rows[i]) {
      std::printf("  clean decode: no row for call %zu: %s\n", i, calls[i].Text.c_str());
    }
  }
  return rows;
}

}  // namespace tolvik
