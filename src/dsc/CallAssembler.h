#pragma once

#include "dsc/CallSink.h"
#include "dsc/CallTexts.h"
#include "dsc/CharacterSink.h"
#include "dsc/DscCall.h"
#include "dsc/ReceptionControl.h"
#include "dsc/ReceptionEnd.h"
#include "dsc/ReceptionObserver.h"

namespace tolvik {

// Which sequence of the call receives characters.
enum class SequenceKind {
  Primary,    // the call itself
  Expansion,  // an expansion sequence sent right after it
};

// Builds one decoder channel's call from the DX/RX symbol pairs.
//
// Each character is sent twice: the DX copy wins when it passed its ten-bit
// check, otherwise the RX copy is used. Remaining DX phasing symbols (125)
// are skipped. Characters are stored up to the end-of-sequence symbol (117,
// 122 or 127); the next character is the check character, the exclusive-or
// of the stored characters with the format specifier counted once. After a
// good check the next two steps are watched: a DX end-of-sequence over RX
// 126 at both announces an expansion sequence, which is stored and checked
// the same way (all its characters counted). Otherwise the call is completed
// two steps after its check character, checked for an accepted format
// specifier, interpreted and handed to the CallSink. How each reception
// ends goes to a ReceptionObserver; in the decoder that is the one which
// shows the status texts.
class CallAssembler : public CharacterSink {
 public:
  // enhanced_position: the decoder-wide flag the interpreter's position
  // decoding sets. All references must outlive the assembler.
  CallAssembler(ReceptionControl& reception, ReceptionObserver& receptions, CallSink& calls,
                bool& enhanced_position);

  void Reset() override;
  void CharacterStep(int dx, int rx) override;

  // The mode switch drops a reception: no end-of-sequence pending, both
  // sequences empty. Nothing is handed on; a reception that was open is
  // reported Abandoned. The synchroniser, which calls this, ends the
  // reception itself.
  void Abandon() override;

  // The reception is still open, its primary sequence passed its check and
  // the call waits only for the look-ahead or for the rest of an expansion
  // sequence.
  bool PrimaryVerified() const {
    return reception_open_ && current_sequence_ == SequenceKind::Expansion;
  }

  // The input has ended (end of a file, digital silence) while a verified
  // call was still waiting: hand it on now, with whatever expansion
  // characters arrived, and end the reception.
  void FinishInput();

  const DscCall& Call() const { return call_; }
  const CallTexts& Texts() const { return texts_; }

 private:
  SymbolSequence& Current();
  void LookAhead(int dx, int rx);
  void StoreInformationCharacter(int value);
  void CheckCharacterArrived(int value);
  void EndReception(ReceptionEnd end);
  void StopReception();
  // Checks the format specifier, interprets the call and hands it on.
  void CompleteCall();

  ReceptionControl& reception_;    // the synchroniser that owns this reception
  ReceptionObserver& receptions_;  // told how each reception ends
  CallSink& calls_;                // where completed calls go
  bool& enhanced_position_;        // decoder-wide, written by the interpreter
  DscCall call_;                   // the characters of the current or last call
  CallTexts texts_;                // the row texts; persist from call to call
  bool reception_open_ = false;    // between Reset and the end of that reception

  SequenceKind current_sequence_ = SequenceKind::Primary;  // the sequence receiving characters
  bool eos_seen_ = false;       // end of sequence just stored; the check character comes next
  int ecc_accumulator_ = 0;     // exclusive-or of the current sequence's stored characters
  int tail_countdown_ = 0;      // look-ahead steps left after a good primary check
  bool tail_mismatch_ = false;  // the look-ahead saw something other than EOS over 126
};

}  // namespace tolvik
