#include "enhanced/EnhancedCallAssembler.h"

#include <algorithm>
#include <array>

#include "dsc/CallInterpreter.h"
#include "dsc/DscSymbols.h"
#include "enhanced/EnhancedParameters.h"
#include "enhanced/ImpossiblePosition.h"

namespace tolvik {

namespace {

constexpr int kLookAheadSteps = kTrailingDxEndOfSequenceCount;
constexpr int kFirstFormatStep = 0;
constexpr int kSecondFormatStep = 1;

constexpr std::array<int, 6> kFormatSpecifiers{kFormatGeographicArea, kFormatDistress,
                                               kFormatGroup,          kFormatAllShips,
                                               kFormatIndividual,     kFormatSemiAutomatic};

constexpr char kNotAvailableText[] = "N/A";

// The best value other than the DX phasing symbol, which never stands for a
// character.
int BestCharacter(const CodewordScores& scores) {
  int best = 0;  // not 125
  for (int value = 0; value < kCodewords; ++value) {
    if (value != kDxPhasingSymbol && scores[value] > scores[best]) {
      best = value;
    }
  }
  return best;
}

bool HasNotAvailableText(const CallTexts& texts) {
  for (const std::string* text : {&texts.Category, &texts.From, &texts.To, &texts.RequestStatus,
                                  &texts.Information, &texts.Position, &texts.Ack}) {
    if (text->find(kNotAvailableText) != std::string::npos) {
      return true;
    }
  }
  return false;
}

}  // namespace

EnhancedCallAssembler::EnhancedCallAssembler(StatusTextSink& status, CallSink& calls,
                                             bool& enhanced_position)
    : status_texts_(status),
      calls_(calls),
      enhanced_position_(enhanced_position),
      scores_(SymbolSequence::kCapacity),
      positions_(SymbolSequence::kCapacity) {}

void EnhancedCallAssembler::Reset(double variance, GateStrictness strictness,
                                  double gate_widening) {
  check_.SetStrictness(strictness);
  gate_widening_ = gate_widening;
  variance_ = variance;
  current_ = SequenceKind::Primary;
  step_ = 0;
  eos_seen_ = false;
  expansion_check_ = 0;
  tail_countdown_ = 0;
  tail_mismatch_ = false;
  outcome_ = {};
  call_.Primary.Count = 0;
  call_.Expansion.Count = 0;
  open_ = true;
}

void EnhancedCallAssembler::CharacterStep(const CharacterCopies& copies, const SoftSums& sums) {
  if (!open_) {
    return;
  }
  const int step = step_++;
  if (tail_countdown_ > 0) {
    LookAhead(copies.Dx, copies.Rx);
    return;
  }
  for (int value = 0; value < kCodewords; ++value) {
    combined_[value] = copies.Dx[value] + copies.Rx[value];
    combined_likelihood_[value] = copies.DxLikelihood[value] + copies.RxLikelihood[value];
  }
  sums_ = sums;
  if (*std::max_element(combined_.begin(), combined_.end()) < kDataErrorShare * sums.Magnitude) {
    EndReception(ReceptionEnd::DataError);
    return;
  }
  if (current_ == SequenceKind::Primary) {
    PrimaryStep(step);
  } else {
    ExpansionStep();
  }
}

void EnhancedCallAssembler::PrimaryStep(int step) {
  if (step == kFirstFormatStep) {
    first_format_ = combined_;
    first_format_likelihood_ = combined_likelihood_;
    first_format_energy_ = sums_.Energy;
    Store(call_.Primary, BestValue(combined_));
    return;
  }
  if (step == kSecondFormatStep) {
    FormatArrived();
    return;
  }
  if (eos_seen_) {
    CheckArrived();
    return;
  }
  const int value = BestCharacter(combined_);
  const int position = call_.Primary.Count;
  scores_[position] = combined_likelihood_;
  positions_[position] = {&scores_[position], value, GateScale(sums_.Energy, combined_[value], 2)};
  if (!Store(call_.Primary, value)) {
    return;
  }
  eos_seen_ = IsEndOfSequence(value);
}

void EnhancedCallAssembler::FormatArrived() {
  CodewordScores& both = first_format_;  // step 0's scores are not needed again
  CodewordScores& likelihood = scores_[kSecondFormatStep];
  for (int value = 0; value < kCodewords; ++value) {
    both[value] += combined_[value];
    likelihood[value] = first_format_likelihood_[value] + combined_likelihood_[value];
  }
  int format = kFormatSpecifiers[0];
  for (int candidate : kFormatSpecifiers) {
    if (both[candidate] > both[format]) {
      format = candidate;
    }
  }
  call_.Primary.Symbols[0] = static_cast<std::uint8_t>(format);
  positions_[kSecondFormatStep] = {&likelihood, format,
                                   GateScale(first_format_energy_ + sums_.Energy, both[format], 4)};
  Store(call_.Primary, format);
}

double EnhancedCallAssembler::GateScale(double energy, double best_score, int copies) const {
  // Sum over the copies' bits of (L - C)^2 = sum L^2 - 2 * score + bits.
  const int bits = copies * kBitsPerSymbol;
  const double own = std::max(0.0, (energy - 2.0 * best_score + bits) / bits);
  return gate_widening_ * std::max(1.0, own / variance_);
}

void EnhancedCallAssembler::CheckArrived() {
  eos_seen_ = false;
  const int check_value = BestValue(combined_);
  const CheckRepair::Position check{&combined_likelihood_, check_value,
                                    GateScale(sums_.Energy, combined_[check_value], 2)};
  const CheckOutcome outcome =
      check_.Judge(std::span<const CheckRepair::Position>(positions_.data(), call_.Primary.Count),
                   check, call_.Primary);
  if (outcome.Verdict == CheckVerdict::Refused) {
    Close();
    status_texts_.ReceptionEnded(ReceptionEnd::ParityError);
    return;
  }
  outcome_ = outcome;
  current_ = SequenceKind::Expansion;
  tail_mismatch_ = false;
  tail_countdown_ = kLookAheadSteps;
}

void EnhancedCallAssembler::LookAhead(const CodewordScores& dx, const CodewordScores& rx) {
  const bool rx_no_information =
      BestValue(rx) == kNoInformation && rx[kNoInformation] >= kNoInformationMetric;
  if (!IsEndOfSequence(BestValue(dx)) || !rx_no_information) {
    tail_mismatch_ = true;
  }
  if (--tail_countdown_ > 0) {
    return;
  }
  if (tail_mismatch_) {
    Close();
    CompleteCall();
    return;
  }
  // End of sequence over 126 twice: an expansion sequence follows.
  expansion_check_ = 0;
  call_.Expansion.Count = 0;
}

void EnhancedCallAssembler::ExpansionStep() {
  if (eos_seen_) {
    // The expansion's check character: good or bad, the call goes on with
    // the expansion characters as received.
    eos_seen_ = false;
    Close();
    CompleteCall();
    return;
  }
  const int value = BestCharacter(combined_);
  if (!Store(call_.Expansion, value)) {
    return;
  }
  expansion_check_ ^= value;
  eos_seen_ = IsEndOfSequence(value);
}

bool EnhancedCallAssembler::Store(SymbolSequence& sequence, int value) {
  sequence.Symbols[sequence.Count] = static_cast<std::uint8_t>(value);
  ++sequence.Count;
  if (sequence.Count > SymbolSequence::kCapacity - 1) {
    EndReception(ReceptionEnd::DataSizeError);
    return false;
  }
  return true;
}

void EnhancedCallAssembler::EndReception(ReceptionEnd end) {
  const bool call_waiting = PrimaryVerified();
  Close();
  if (call_waiting) {
    // A damaged expansion sequence must not lose the call in front of it,
    // which passed its own gate.
    CompleteCall();
  }
  status_texts_.ReceptionEnded(end);
}

void EnhancedCallAssembler::FinishReception() {
  const bool call_waiting = PrimaryVerified();
  Close();
  if (call_waiting) {
    CompleteCall();
  }
}

void EnhancedCallAssembler::CompleteCall() {
  if (!InterpretCompletedCall(call_, texts_, enhanced_position_)) {
    status_texts_.ReceptionEnded(ReceptionEnd::FormatError);
    return;
  }
  status_texts_.ReceptionEnded(ReceptionEnd::Completed);
  if (HasNotAvailableText(texts_) || IsImpossiblePositionText(texts_.Position)) {
    return;  // a soft decision that reads as no valid field is not trusted
  }
  last_outcome_ = outcome_;
  calls_.AddReceiveEntry(texts_);
}

}  // namespace tolvik
