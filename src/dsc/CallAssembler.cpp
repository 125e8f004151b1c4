#include "dsc/CallAssembler.h"

#include "dsc/CallInterpreter.h"
#include "dsc/DscSymbols.h"

namespace tolvik {

namespace {

// Steps watched after a good primary check for the announcement of an
// expansion sequence.
constexpr int kLookAheadSteps = 2;

// Where the distress information of a distress alert starts.
constexpr int kDistressAlertInfoStart = 2;

constexpr char kDataErrorText[] = "Data error...";
constexpr char kDataSizeErrorText[] = "Data size error...";
constexpr char kParityErrorText[] = "Parity error...";
constexpr char kFormatErrorText[] = "DSC format error...";

constexpr bool IsValidSymbol(int symbol) {
  return symbol >= 0 && symbol <= kLargestSymbol;
}

// The DX copy wins whenever it passed its own check; the copies are never
// compared with each other.
constexpr int CombineCopies(int dx, int rx) {
  if (IsValidSymbol(dx)) {
    return dx;
  }
  if (IsValidSymbol(rx)) {
    return rx;
  }
  return kInvalidSymbol;
}

}  // namespace

CallAssembler::CallAssembler(ReceptionControl& reception, StatusTextSink& status, CallSink& calls,
                             bool& enhanced_position)
    : reception_(reception),
      status_(status),
      calls_(calls),
      enhanced_position_(enhanced_position) {}

void CallAssembler::Reset() {
  reception_open_ = true;
  EosSeen = false;
  CurrentSequence = SequenceKind::Primary;
  TailCountdown = 0;
  EccAccumulator = 0;
  call_.Primary.Count = 0;
  call_.Expansion.Count = 0;
}

void CallAssembler::Abandon() {
  EosSeen = false;
  call_.Primary.Count = 0;
  call_.Expansion.Count = 0;
  reception_open_ = false;  // a later FinishInput must not complete it
}

void CallAssembler::StopReception() {
  reception_open_ = false;
  reception_.StopReception();
}

SymbolSequence& CallAssembler::Current() {
  return CurrentSequence == SequenceKind::Primary ? call_.Primary : call_.Expansion;
}

void CallAssembler::CharacterStep(int dx, int rx) {
  const int value = CombineCopies(dx, rx);
  if (TailCountdown > 0) {
    LookAhead(dx, rx);
    return;
  }
  if (value == kInvalidSymbol) {
    EndReception(kDataErrorText);
    return;
  }
  if (value == kDxPhasingSymbol && !EosSeen) {
    return;  // a phasing symbol still in the DX position: neither stored nor checked
  }
  if (!EosSeen) {
    StoreInformationCharacter(value);
  } else {
    CheckCharacterArrived(value);
  }
}

void CallAssembler::LookAhead(int dx, int rx) {
  if (!IsEndOfSequence(dx) || rx != kNoInformation) {
    TailMismatch = true;
  }
  --TailCountdown;
  if (TailCountdown > 0) {
    return;
  }
  if (TailMismatch) {
    CompleteCall();
    StopReception();
    return;
  }
  // End of sequence over 126 twice: an expansion sequence follows.
  EccAccumulator = 0;
  call_.Expansion.Count = 0;
}

void CallAssembler::StoreInformationCharacter(int value) {
  SymbolSequence& sequence = Current();
  if (sequence.Count >= SymbolSequence::kCapacity) {
    EndReception(kDataSizeErrorText);  // only reachable if the reception was not stopped
    return;
  }
  if (IsEndOfSequence(value)) {
    EosSeen = true;
  }
  sequence.Symbols[sequence.Count] = static_cast<std::uint8_t>(value);
  ++sequence.Count;
  if (sequence.Count > SymbolSequence::kCapacity - 1) {
    EndReception(kDataSizeErrorText);
  }
  EccAccumulator ^= value;
}

void CallAssembler::CheckCharacterArrived(int value) {
  EosSeen = false;
  const bool primary = CurrentSequence == SequenceKind::Primary;
  if (primary) {
    // The format specifier is stored twice but counts once: this cancels
    // the first copy, so the second copy counts, whatever its value.
    EccAccumulator ^= call_.Primary.Symbols[0];
  }
  const bool good = value == EccAccumulator;
  if (good && primary) {
    CurrentSequence = SequenceKind::Expansion;
    TailMismatch = false;
    TailCountdown = kLookAheadSteps;
    return;
  }
  StopReception();
  if (!good && primary) {
    status_.ShowStatusText(StatusPanel::Decoder, kParityErrorText);
    return;
  }
  // The expansion sequence ended, well or badly: the call goes on with the
  // expansion characters as received.
  CompleteCall();
}

void CallAssembler::EndReception(const char* text) {
  const bool call_waiting = PrimaryVerified();
  StopReception();
  if (call_waiting) {
    // A damaged expansion sequence must not lose the call in front of it,
    // which passed its own check: hand it on with the expansion characters
    // received so far, then say what went wrong.
    CompleteCall();
  }
  status_.ShowStatusText(StatusPanel::Decoder, text);
}

void CallAssembler::FinishInput() {
  if (!PrimaryVerified()) {
    return;
  }
  TailCountdown = 0;
  CompleteCall();
  StopReception();
}

void CallAssembler::CompleteCall() {
  status_.ShowStatusText(StatusPanel::Decoder, "");
  texts_.Information.clear();
  texts_.Position.clear();
  texts_.Ack.clear();

  const int format = call_.Primary.Symbols[0];  // only the first copy counts here
  if (call_.Primary.Count == 0 || !IsAcceptedFormatSpecifier(format)) {
    status_.ShowStatusText(StatusPanel::Decoder, kFormatErrorText);
    return;
  }
  texts_.Kind = DistressKind::None;
  if (format == kFormatDistress) {
    texts_.Category = "Distress";
    InterpretDistressInfo(call_, kDistressAlertInfoStart, DistressKind::Alert, texts_,
                          enhanced_position_);
  } else {
    InterpretCall(call_, texts_, enhanced_position_);
  }
  SetAckFromEndOfSequence();
  calls_.AddReceiveEntry(texts_);
}

void CallAssembler::SetAckFromEndOfSequence() {
  const int end_of_sequence = call_.Primary.Symbols[call_.Primary.Count - 1];
  if (end_of_sequence == kEosAckRequest) {
    texts_.Ack = "Req";
  } else if (end_of_sequence == kEosAcknowledgement) {
    texts_.Ack = "Ack";
  }
}

}  // namespace tolvik
