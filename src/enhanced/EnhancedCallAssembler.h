#pragma once

#include <vector>

#include "base/StatusTextSink.h"
#include "dsc/CallSink.h"
#include "dsc/CallTexts.h"
#include "dsc/DscCall.h"
#include "dsc/ReceptionEnd.h"
#include "dsc/ReceptionStatusTexts.h"
#include "enhanced/CheckRepair.h"
#include "enhanced/CodewordMetrics.h"

namespace tolvik {

// One character step's codeword scores: the linear scores of the DX and RX
// copies, which decide the values, and their log-likelihoods from the tone
// envelopes, which weigh them in the check character's gate.
struct CharacterCopies {
  const CodewordScores& Dx;
  const CodewordScores& Rx;
  const CodewordScores& DxLikelihood;
  const CodewordScores& RxLikelihood;
};

// Builds a call from the codeword scores of each character's DX and RX copy,
// deciding softly what the standard call assembler decides bit by bit.
//
// Step i carries character i, the first format specifier at step 0 (the sync
// fixes where the call starts, so no phasing symbol is ever skipped). The two
// copies' scores add; the character is the best value (never 125). "Data
// error..." ends the reception when even the best value scores below a fifth
// of the copies' summed soft magnitudes. When the second character arrives,
// both format copies become the best of the six format specifiers over all
// four copies. After the end of sequence the check character goes through
// CheckRepair; an accepted or mended call is watched for two more steps for
// an expansion sequence (DX end of sequence over RX 126, the RX copy counting
// as 126 only with a score of 5 or more), exactly as the standard assembler
// does, and then completed with the same interpreter and status texts.
// Completed rows with an "N/A" text are not handed on in this mode.
//
// The gate weighs each value by its log-likelihood from the tone envelopes
// (NoncoherentBitLikelihood), relative to the value chosen. A character
// whose soft bits lie farther from the codeword chosen than the reception's
// noise says (the mean squared distance, against the reception's variance)
// has those log-likelihoods divided by the ratio: a character lost in a fade
// or a burst (soft bits near 0, or wild) then counts as the erasure it is
// instead of as a confident guess, so that two of them are refused rather
// than "mended".
class EnhancedCallAssembler {
 public:
  // All references must outlive the assembler.
  EnhancedCallAssembler(StatusTextSink& status, CallSink& calls, bool& enhanced_position);

  // A new reception: `variance` is its soft-bit noise variance,
  // `strictness` says how sure the gate must be, and the gate weighs the
  // characters as if the variance were `gate_widening` times larger (VHF,
  // whose soft bits are less Gaussian, widens it; HF does not).
  void Reset(double variance, GateStrictness strictness, double gate_widening = 1.0);

  // The scores of the character's DX and RX copies and the sums of their
  // soft bits.
  void CharacterStep(const CharacterCopies& copies, const SoftSums& sums);

  // The input ended, or a stronger call took over: a call that passed its
  // gate and waits only for its look-ahead or expansion is handed on now;
  // anything else is dropped without a message. The reception is over.
  void FinishReception();

  // Between Reset and the end of that reception.
  bool Open() const { return open_; }

  // The primary sequence passed its gate and the call waits only for the
  // look-ahead or the rest of an expansion sequence.
  bool PrimaryVerified() const { return open_ && current_ == SequenceKind::Expansion; }

  // Whether the call last handed on had a character mended by its check.
  bool LastCallRepaired() const { return last_outcome_.Verdict == CheckVerdict::Repaired; }

  // The gate's verdict and posterior for the call last handed on.
  const CheckOutcome& LastCallOutcome() const { return last_outcome_; }

  const DscCall& Call() const { return call_; }
  const CallTexts& Texts() const { return texts_; }

 private:
  enum class SequenceKind { Primary, Expansion };

  void PrimaryStep(int step);
  void ExpansionStep();
  void FormatArrived();
  void CheckArrived();
  void LookAhead(const CodewordScores& dx, const CodewordScores& rx);
  bool Store(SymbolSequence& sequence, int value);
  void EndReception(ReceptionEnd end);
  void CompleteCall();
  void Close() { open_ = false; }

  ReceptionStatusTexts status_texts_;  // why a reception ended, as the status panel shows it
  CallSink& calls_;
  bool& enhanced_position_;  // decoder-wide, written by the interpreter
  CheckRepair check_;
  DscCall call_;
  CallTexts texts_;
  double GateScale(double energy, double best_score, int copies) const;

  std::vector<CodewordScores> scores_;  // per primary position: the log-likelihoods of its values
  std::vector<CheckRepair::Position> positions_;  // per primary position, for the gate
  CodewordScores combined_{};                     // this step's DX + RX scores
  CodewordScores combined_likelihood_{};          // and log-likelihoods
  SoftSums sums_;                                 // this step's soft-bit sums
  CodewordScores first_format_{};                 // step 0's scores
  CodewordScores first_format_likelihood_{};      // and log-likelihoods
  double first_format_energy_ = 0.0;              // step 0's soft-bit energy
  double variance_ = 1.0;                         // the reception's soft-bit noise variance
  double gate_widening_ = 1.0;                    // the gate's variance over the measured one
  SequenceKind current_ = SequenceKind::Primary;
  int step_ = 0;                // character steps so far in this reception
  bool eos_seen_ = false;       // the check character comes next
  int expansion_check_ = 0;     // exclusive-or of the expansion characters
  int tail_countdown_ = 0;      // look-ahead steps left
  bool tail_mismatch_ = false;  // the look-ahead saw something other than EOS over 126
  CheckOutcome outcome_;        // this reception's gate
  CheckOutcome last_outcome_;   // of the call last handed on
  bool open_ = false;
};

}  // namespace tolvik
