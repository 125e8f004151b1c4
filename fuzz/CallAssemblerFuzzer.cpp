// Raw DX/RX symbol pairs into the call assembler's CharacterStep, as the
// symbol synchroniser hands them on once phasing is held. A reception the
// assembler stops is followed by a fresh one, as after the next phasing.
//
// Input: a stream of tokens.
//   254           the mode switch abandons the reception
//   255           the input ends (FinishInput)
//   dx, rx        one character step; a byte below 128 is that symbol, any
//                 other a copy that failed its ten-bit check
//
// Every reception must end with exactly one report (a call handed on may
// come first, when a later fault ends the reception), and every call
// reported completed must reach the sink.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dsc/CallAssembler.h"
#include "dsc/CallSink.h"
#include "dsc/DscSymbols.h"
#include "dsc/ReceptionControl.h"
#include "dsc/ReceptionObserver.h"
#include "support/CallCountCheck.h"
#include "support/FuzzBytes.h"

namespace {

using tolvik::fuzzing::Require;

using tolvik::ReceptionEnd;

constexpr std::uint8_t kAbandonToken = 254;
constexpr std::uint8_t kFinishInputToken = 255;
constexpr std::uint8_t kFirstFailedSymbolByte = 128;

bool HandsOnTheCall(ReceptionEnd end) {
  return end == ReceptionEnd::Completed || end == ReceptionEnd::FormatError;
}

// Watches one reception after the other, as the synchroniser and the
// receive list would see them.
class ReceptionWatch final : public tolvik::ReceptionControl,
                             public tolvik::ReceptionObserver,
                             public tolvik::CallSink {
 public:
  void StopReception() override {
    Require(open_);
    open_ = false;
  }
  void ReceptionStarted() override {
    Require(ends_.empty());
    open_ = true;
  }
  void ReceptionEnded(ReceptionEnd end) override {
    ends_.push_back(end);
    if (end == ReceptionEnd::Completed) {
      ++completed_;
    }
  }
  void AddReceiveEntry(const tolvik::CallTexts&) override {
    Require(!ends_.empty() && ends_.back() == ReceptionEnd::Completed);
    ++handed_on_;
  }

  bool Open() const { return open_; }

  // The mode switch ended the reception itself.
  void Abandoned() { open_ = false; }

  // Between two receptions: the one that ended gave its one report, or
  // a call first and then the reason.
  void CheckEndedReception() {
    Require(!open_);
    Require(ends_.size() == 1 ||
            (ends_.size() == 2 && HandsOnTheCall(ends_[0]) && !HandsOnTheCall(ends_[1])));
    Require(completed_ == handed_on_);
    ends_.clear();
  }

  // After the last step: a reception still open has said nothing yet.
  void CheckAtEnd() {
    if (open_) {
      Require(ends_.empty());
    } else if (!ends_.empty()) {
      CheckEndedReception();
    }
  }

 private:
  bool open_ = false;
  std::vector<ReceptionEnd> ends_;  // of the current or last reception
  int completed_ = 0;
  int handed_on_ = 0;
};

int SymbolOf(std::uint8_t byte) {
  return byte < kFirstFailedSymbolByte ? byte : tolvik::kInvalidSymbol;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tolvik::fuzzing::FuzzBytes input(data, size);
  ReceptionWatch watch;
  bool enhanced_position = false;
  tolvik::CallAssembler assembler(watch, watch, watch, enhanced_position);
  bool reception_seen = false;

  while (!input.Rest().empty()) {
    const std::uint8_t token = input.Next();
    if (token == kAbandonToken) {
      assembler.Abandon();
      watch.Abandoned();
      continue;
    }
    if (token == kFinishInputToken) {
      assembler.FinishInput();
      continue;
    }
    if (!watch.Open()) {
      if (reception_seen) {
        watch.CheckEndedReception();
      }
      assembler.Reset();
      reception_seen = true;
    }
    const int dx = SymbolOf(token);
    const int rx = SymbolOf(input.Next());
    assembler.CharacterStep(dx, rx);
    tolvik::fuzzing::RequireCountsWithinCapacity(assembler.Call());
  }
  watch.CheckAtEnd();
  return 0;
}
