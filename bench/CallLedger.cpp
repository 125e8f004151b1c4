#include "CallLedger.h"

#include <algorithm>
#include <cstdio>

#include "ReferenceRows.h"

namespace tolvik {

namespace {
constexpr int kCallsPerCleanPiece = 1;
}  // namespace

void CallLedger::SendStretch(CallsOnNoise& air, std::span<const CallDescription> calls,
                             std::span<const double> starts_s, std::span<const double> ebn0_db,
                             bool vhf) {
  // One call at a time: a long run's peak memory is then the run's own.
  const std::vector<std::optional<BenchRow>> clean =
      CleanRows(calls, vhf, kDecoderCentreHz, kCallsPerCleanPiece);
  previous_ = std::move(current_);
  current_.clear();
  for (std::size_t i = 0; i < calls.size(); ++i) {
    current_.push_back({air.Add(calls[i], starts_s[i], ebn0_db[i]), clean[i]});
    totals_.NotDecodedClean += clean[i] ? 0 : 1;
  }
  totals_.Sent += static_cast<long>(calls.size());
}

bool CallLedger::Match(const BenchRow& row) {
  std::size_t found = 0;
  for (std::vector<SentCall>* stretch : {&current_, &previous_}) {
    auto ended = std::upper_bound(
        stretch->begin(), stretch->end(), row.OffsetS,
        [](double offset_s, const SentCall& call) { return offset_s < call.Placement.EndS; });
    for (; ended != stretch->begin() && found < kCandidates; ++found) {
      SentCall& call = *--ended;
      if (!call.Decoded && call.Expected && SameTexts(*call.Expected, row)) {
        call.Decoded = true;
        ++totals_.Decoded;
        return true;
      }
    }
  }
  ++totals_.FalseRows;
  return false;
}

void PrintBenchRow(const char* label, const BenchRow& row) {
  const ReceiveEntry& e = row.Entry;
  std::printf("  %s at %.1f s: %s | %s | %s | %s | %s | %s | %s | kind %d\n", label, row.OffsetS,
              e.Category.c_str(), e.From.c_str(), e.To.c_str(), e.RequestStatus.c_str(),
              e.Information.c_str(), e.Position.c_str(), e.Ack.c_str(), static_cast<int>(row.Kind));
}

}  // namespace tolvik
