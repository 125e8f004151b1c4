#pragma once

#include <array>
#include <cstdint>

#include "base/StatusTextSink.h"
#include "demod/ChannelTuning.h"
#include "dsc/CharacterSink.h"
#include "dsc/DecoderOptions.h"
#include "dsc/ReceptionControl.h"

namespace tolvik {

// Turns one decoder channel's bits into DSC symbols.
//
// The last 60 bits are read as six ten-bit slots; slot 0 holds the newest
// ten bits, slot 5 the oldest. A call opens with DX phasing symbols (125)
// interleaved with RX phasing symbols (111 down to 104); one valid 125 in
// slot 3 followed by a valid RX phasing symbol in slot 2 is enough to lock.
// From then on, every 20 bits, slot 5 holds a DX-position symbol and slot 0
// the RX-position symbol sent five symbol periods after it: the repetition
// of the same character. Both go to the CharacterSink.
class SymbolSynchroniser : public ReceptionControl {
 public:
  static constexpr int kWindowBits = 60;
  static constexpr int kSlots = 6;
  static constexpr int kBitsPerCharacterStep = 20;

  // options: this channel's polarity (read, and toggled by automatic
  // polarity), automatic polarity, frequency control and mode, read at every
  // bit. tuning: this channel's centre frequencies. All must outlive the
  // synchroniser.
  SymbolSynchroniser(DecoderOptions& options, ChannelTuning& tuning, StatusTextSink& status,
                     CharacterSink& characters);

  // One decided bit (0 or 1; any non-zero value counts as 1), in time order.
  void PushBit(int bit);

  // The symbol in slot 0..5 of the bit window: 0..127, or -1 when the slot
  // fails its check or the slot number is out of range.
  int ReadSymbol(int slot) const;

  // Phasing found: lock, reset the call, apply AFC, show the status text.
  void StartReception();

  // End of a reception, whatever its outcome: back to the phasing search,
  // and the HF centre back to the user's centre, dropping the correction
  // the frequency control made at phasing. Every end of a reception comes
  // through here, the abandoned ones included.
  void StopReception() override;

  // The mode switch: a reception in progress is dropped without a message
  // (the character sink forgets its call) and ended like any other.
  void AbandonReception();

  // A call is being received (the receive lamp).
  bool Phased() const { return phased_; }

 private:
  void SearchPhasing();
  void CountTowardsCharacterStep();
  void InvertWindow();
  void ShowReceivingText();

  DecoderOptions& options_;    // this channel's options; the polarity is written
  ChannelTuning& tuning_;      // this channel's HF centre and frequency error
  StatusTextSink& status_;     // where "Receiving data..." goes
  CharacterSink& characters_;  // the call assembler of this channel

  std::array<std::uint8_t, kWindowBits> bit_window_{};  // last 60 bits, index 0 newest
  bool phased_ = false;                                 // a call is being received
  int bit_counter_ = 0;                                 // bits since the last character step, 0..19
};

}  // namespace tolvik
