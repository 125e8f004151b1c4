#include "dsc/CallAssembler.h"

#include "dsc/CallInterpreter.h"
#include "dsc/DscSymbols.h"

namespace tolvik {

namespace {

// Steps watched after a good primary check for the announcement of an
// expansion sequence: the two end-of-sequence symbols DX sends after it.
constexpr int kLookAheadSteps = kTrailingDxEndOfSequenceCount;

// The DX copy wins whenever it passed its own check; the copies are never
// compared with each other.
constexpr int CombineCopies(int dx, int rx) {
  if (IsSymbolValue(dx)) {
    return dx;
  }
  if (IsSymbolValue(rx)) {
    return rx;
  }
  return kInvalidSymbol;
}

}  // namespace

CallAssembler::CallAssembler(ReceptionControl& reception, ReceptionObserver& receptions,
                             CallSink& calls, bool& enhanced_position)
    : reception_(reception),
      receptions_(receptions),
      calls_(calls),
      enhanced_position_(enhanced_position) {}

void CallAssembler::Reset() {
  reception_open_ = true;
  receptions_.ReceptionStarted();
  eos_seen_ = false;
  current_sequence_ = SequenceKind::Primary;
  tail_countdown_ = 0;
  ecc_accumulator_ = 0;
  call_.Primary.Count = 0;
  call_.Expansion.Count = 0;
}

void CallAssembler::Abandon() {
  eos_seen_ = false;
  call_.Primary.Count = 0;
  call_.Expansion.Count = 0;
  if (reception_open_) {
    reception_open_ = false;  // a later FinishInput must not complete it
    receptions_.ReceptionEnded(ReceptionEnd::Abandoned);
  }
}

void CallAssembler::StopReception() {
  reception_open_ = false;
  reception_.StopReception();
}

SymbolSequence& CallAssembler::Current() {
  return current_sequence_ == SequenceKind::Primary ? call_.Primary : call_.Expansion;
}

void CallAssembler::CharacterStep(int dx, int rx) {
  const int value = CombineCopies(dx, rx);
  if (tail_countdown_ > 0) {
    LookAhead(dx, rx);
    return;
  }
  if (value == kInvalidSymbol) {
    EndReception(ReceptionEnd::DataError);
    return;
  }
  if (value == kDxPhasingSymbol && !eos_seen_) {
    return;  // a phasing symbol still in the DX position: neither stored nor checked
  }
  if (!eos_seen_) {
    StoreInformationCharacter(value);
  } else {
    CheckCharacterArrived(value);
  }
}

void CallAssembler::LookAhead(int dx, int rx) {
  if (!IsEndOfSequence(dx) || rx != kNoInformation) {
    tail_mismatch_ = true;
  }
  --tail_countdown_;
  if (tail_countdown_ > 0) {
    return;
  }
  if (tail_mismatch_) {
    CompleteCall();
    StopReception();
    return;
  }
  // End of sequence over 126 twice: an expansion sequence follows.
  ecc_accumulator_ = 0;
  call_.Expansion.Count = 0;
}

void CallAssembler::StoreInformationCharacter(int value) {
  SymbolSequence& sequence = Current();
  if (sequence.Count >= SymbolSequence::kCapacity) {
    EndReception(ReceptionEnd::DataSizeError);  // only reachable if the reception was not stopped
    return;
  }
  if (IsEndOfSequence(value)) {
    eos_seen_ = true;
  }
  sequence.Symbols[sequence.Count] = static_cast<std::uint8_t>(value);
  ++sequence.Count;
  if (sequence.Count > SymbolSequence::kCapacity - 1) {
    EndReception(ReceptionEnd::DataSizeError);
  }
  ecc_accumulator_ ^= value;
}

void CallAssembler::CheckCharacterArrived(int value) {
  eos_seen_ = false;
  const bool primary = current_sequence_ == SequenceKind::Primary;
  if (primary) {
    // The format specifier is stored twice but counts once: this cancels
    // the first copy, so the second copy counts, whatever its value.
    ecc_accumulator_ ^= call_.Primary.Symbols[0];
  }
  const bool good = value == ecc_accumulator_;
  if (good && primary) {
    current_sequence_ = SequenceKind::Expansion;
    tail_mismatch_ = false;
    tail_countdown_ = kLookAheadSteps;
    return;
  }
  StopReception();
  if (!good && primary) {
    receptions_.ReceptionEnded(ReceptionEnd::ParityError);
    return;
  }
  // The expansion sequence ended, well or badly: the call goes on with the
  // expansion characters as received.
  CompleteCall();
}

void CallAssembler::EndReception(ReceptionEnd end) {
  const bool call_waiting = PrimaryVerified();
  StopReception();
  if (call_waiting) {
    // A damaged expansion sequence must not lose the call in front of it,
    // which passed its own check: hand it on with the expansion characters
    // received so far, then say what went wrong.
    CompleteCall();
  }
  receptions_.ReceptionEnded(end);
}

void CallAssembler::FinishInput() {
  if (!PrimaryVerified()) {
    return;
  }
  tail_countdown_ = 0;
  CompleteCall();
  StopReception();
  receptions_.ReceptionEnded(ReceptionEnd::EndOfInput);
}

void CallAssembler::CompleteCall() {
  if (!InterpretCompletedCall(call_, texts_, enhanced_position_)) {
    receptions_.ReceptionEnded(ReceptionEnd::FormatError);
    return;
  }
  // Reported before the call is handed on: the reception's status text is
  // cleared before the row appears.
  receptions_.ReceptionEnded(ReceptionEnd::Completed);
  calls_.AddReceiveEntry(texts_);
}

}  // namespace tolvik
