#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "CallsOnNoise.h"
#include "StreamDecoder.h"
#include "gen/CallDescription.h"

namespace tolvik {

// One call sent and what became of it.
struct SentCall {
  CallPlacement Placement;
  std::optional<BenchRow> Expected;  // the row it makes received clean; nullopt: none even so
  bool Decoded = false;
};

// The calls of a long run stretch by stretch (an hour, a minute), so that
// only two stretches are ever kept: the rows of one arrive while it is on the
// air or just after it. A row counts as a call decoded when it carries
// exactly the texts (all but Time) and distress kind of one of the two calls
// that ended last before it came, the first time; any other row is a false
// row. (With calls back to back the decoder's look-ahead can put a call's
// row after the next call's end.)
class CallLedger {
 public:
  struct Totals {
    long Sent = 0;
    long Decoded = 0;
    long FalseRows = 0;
    long NotDecodedClean = 0;  // calls that made no row even without noise
  };

  // Keys the next stretch's calls onto `air`, call i from starts_s[i] at
  // ebn0_db[i], each with its clean row; the stretch before it is kept, the
  // one before that forgotten.
  void SendStretch(CallsOnNoise& air, std::span<const CallDescription> calls,
                   std::span<const double> starts_s, std::span<const double> ebn0_db, bool vhf);

  // Counts `row`; true when it is a call decoded.
  bool Match(const BenchRow& row);

  const Totals& Counts() const { return totals_; }

 private:
  static constexpr std::size_t kCandidates = 2;

  std::vector<SentCall> previous_;
  std::vector<SentCall> current_;
  Totals totals_;
};

// Prints a row's texts and kind after `label`.
void PrintBenchRow(const char* label, const BenchRow& row);

}  // namespace tolvik
