#include "enhanced/CheckRepair.h"

#include <cmath>

#include "dsc/DscSymbols.h"
#include "enhanced/CallLengthRule.h"
#include "enhanced/EnhancedParameters.h"

namespace tolvik {

namespace {

// The stored position that opens the check: the second format copy. The
// first copy is stored with the same value and counts only once.
constexpr int kFirstCheckedPosition = 1;

enum class PositionKind { Format, Information, EndOfSequence, Check };

bool ValueMayStand(PositionKind kind, int value) {
  switch (kind) {
    case PositionKind::Format:
      return IsAcceptedFormatSpecifier(value);
    case PositionKind::EndOfSequence:
      return IsEndOfSequence(value);
    case PositionKind::Information:
      return !IsEndOfSequence(value) && value != kDxPhasingSymbol;
    case PositionKind::Check:
      return true;
  }
  return false;
}

PositionKind KindOf(int position, int last) {
  if (position == kFirstCheckedPosition) {
    return PositionKind::Format;
  }
  if (position == last) {
    return PositionKind::EndOfSequence;
  }
  if (position > last) {
    return PositionKind::Check;
  }
  return PositionKind::Information;
}

}  // namespace

CheckRepair::CheckRepair() : trellis_(SymbolSequence::kCapacity + 1) {}

void CheckRepair::AddPosition(const Position& position, int index, int last) {
  const PositionKind kind = KindOf(index, last);
  const CodewordScores& scores = *position.Scores;
  const double chosen = scores[position.Value];
  for (int value = 0; value < kCodewords; ++value) {
    weights_[value] =
        ValueMayStand(kind, value) ? std::exp((scores[value] - chosen) / position.Variance) : 0.0;
  }
  trellis_.Add(weights_);
}

CheckOutcome CheckRepair::Judge(std::span<const Position> positions, const Position& check,
                                SymbolSequence& primary) {
  const int last = primary.Count - 1;  // the end of sequence
  trellis_.Start();
  int parity = check.Value;
  for (int index = kFirstCheckedPosition; index <= last; ++index) {
    AddPosition(positions[index], index, last);
    parity ^= positions[index].Value;
  }
  AddPosition(check, last + 1, last);

  CheckOutcome outcome;
  const double log_total = trellis_.LogTotal();
  if (parity == 0) {
    outcome.Posterior = std::exp(-log_total);
    outcome.Verdict =
        outcome.Posterior >= pass_posterior_ ? CheckVerdict::Accepted : CheckVerdict::Refused;
    return outcome;
  }
  outcome.Posterior = std::exp(trellis_.LogBest() - log_total);
  if (!(outcome.Posterior >= pass_posterior_)) {
    return outcome;
  }
  SymbolSequence mended = primary;
  const int count = trellis_.Positions();
  trellis_.TraceBest(std::span<int>(best_values_.data(), count));
  for (int i = 0; i + 1 < count; ++i) {  // the last one is the check character
    mended.Symbols[kFirstCheckedPosition + i] = static_cast<std::uint8_t>(best_values_[i]);
  }
  mended.Symbols[0] = mended.Symbols[kFirstCheckedPosition];
  if (!CallLengthFitsFormat(mended)) {
    return outcome;
  }
  primary = mended;
  outcome.Verdict = CheckVerdict::Repaired;
  return outcome;
}

}  // namespace tolvik
