#pragma once

#include <array>
#include <span>

#include "dsc/DscCall.h"
#include "enhanced/CodewordMetrics.h"
#include "enhanced/GateStrictness.h"
#include "enhanced/XorTrellis.h"

namespace tolvik {

// What the check character gate decided about a primary sequence.
enum class CheckVerdict {
  Accepted,  // the check passed and the sequence as received is likely enough
  Repaired,  // the check failed; the most likely passing sequence was taken
  Refused,   // neither: the call must not be shown
};

struct CheckOutcome {
  CheckVerdict Verdict = CheckVerdict::Refused;
  double Posterior = 0.0;  // of the sequence accepted or offered for repair
};

// The check character as a soft decision. Every position from the second
// format copy to the end of sequence, and the check character, gets a weight
// per value, w(v) = exp((m[v] - m[chosen]) / var), over the values that can
// stand there: the six format specifiers (scored by both format positions,
// four copies) at position 1, the three end-of-sequence symbols at the end,
// anything but an end of sequence or 125 in between, and all 128 values for
// the check. Z, the weight of all sequences whose exclusive-or is 0, comes
// from the 128-state trellis; the received sequence has weight 1, so its
// posterior among passing sequences is 1 / Z.
//
// A passed check is accepted when 1 / Z reaches the pass posterior (0.99, or
// 0.998 for the strict gate). A failed one is mended to the most likely
// passing sequence when that sequence's posterior reaches it and the mended
// call's length fits its format; otherwise the call is refused.
class CheckRepair {
 public:
  CheckRepair();

  // The posterior a call needs; the normal gate's until set.
  void SetStrictness(GateStrictness strictness) { pass_posterior_ = PassPosterior(strictness); }

  // One character as the gate sees it: its scores, the value stored and
  // what its score differences are divided by (1 for exact log-likelihoods,
  // more for a character that deserves less trust).
  struct Position {
    const CodewordScores* Scores = nullptr;
    int Value = 0;
    double Variance = 1.0;
  };

  // `primary` holds the stored characters (position 0 and 1 the format
  // specifier); positions[p] describes stored position p (positions[1] with
  // the summed scores of both format copies; positions[0] is not read), and
  // `check` the check character. On Repaired, primary holds the mended
  // characters.
  CheckOutcome Judge(std::span<const Position> positions, const Position& check,
                     SymbolSequence& primary);

 private:
  void AddPosition(const Position& position, int index, int last);

  XorTrellis trellis_;
  double pass_posterior_ = kPassPosterior;
  ValueWeights weights_{};
  std::array<int, SymbolSequence::kCapacity + 1> best_values_{};
};

}  // namespace tolvik
