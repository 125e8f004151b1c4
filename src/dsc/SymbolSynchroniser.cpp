#include "dsc/SymbolSynchroniser.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "dsc/DscSymbolCode.h"
#include "dsc/DscSymbols.h"
#include "dsc/ReceivingText.h"

namespace tolvik {

namespace {

// Images of the phasing symbols when every bit arrives inverted: 127 - v.
constexpr int kInvertedDxPhasingSymbol = kLargestSymbol - kDxPhasingSymbol;
constexpr int kInvertedRxPhasingLow = kLargestSymbol - kFirstRxPhasingSymbol;
constexpr int kInvertedRxPhasingHigh = kLargestSymbol - kLastRxPhasingSymbol;

// At phasing the DX phasing symbol sits in slot 3 and its RX neighbour in
// slot 2.
constexpr int kPhasingDxSlot = 3;
constexpr int kPhasingRxSlot = 2;

// Once locked, slot 0 holds an RX copy and slot 5 the DX copy of the same
// character, sent five symbol periods earlier.
constexpr int kRxSlot = 0;
constexpr int kDxSlot = kRxSlot + kRxRepetitionDelaySymbols;

constexpr bool IsRxPhasingSymbol(int symbol) {
  return symbol >= kLastRxPhasingSymbol && symbol <= kFirstRxPhasingSymbol;
}

constexpr bool IsInvertedRxPhasingSymbol(int symbol) {
  return symbol >= kInvertedRxPhasingLow && symbol <= kInvertedRxPhasingHigh;
}

}  // namespace

SymbolSynchroniser::SymbolSynchroniser(DecoderOptions& options, ChannelTuning& tuning,
                                       StatusTextSink& status, CharacterSink& characters)
    : options_(options), tuning_(tuning), status_(status), characters_(characters) {}

void SymbolSynchroniser::PushBit(int bit) {
  std::uint8_t value = bit != 0 ? 1 : 0;
  if (options_.Inverted()) {
    value ^= 1;
  }
  std::copy_backward(bit_window_.begin(), bit_window_.end() - 1, bit_window_.end());
  bit_window_[0] = value;

  if (!phased_) {
    SearchPhasing();
  } else {
    CountTowardsCharacterStep();
  }
}

int SymbolSynchroniser::ReadSymbol(int slot) const {
  if (slot < 0 || slot >= kSlots) {
    return kInvalidSymbol;
  }
  // Within a slot the last received bit is at the lowest index: the three
  // check bits come first (weights 1, 2, 4 from the newest), then the seven
  // information bits, most significant first.
  const std::uint8_t* b = bit_window_.data() + kBitsPerSymbol * slot;
  const int check = b[0] + 2 * b[1] + 4 * b[2];
  int ones = 0;
  int value = 0;
  for (int i = 0; i < kInformationBits; ++i) {
    const int information_bit = b[kCheckBits + i];
    ones += information_bit;
    value = 2 * value + information_bit;
  }
  if (check + ones != kInformationBits) {
    return kInvalidSymbol;
  }
  return value;
}

void SymbolSynchroniser::SearchPhasing() {
  const int dx = ReadSymbol(kPhasingDxSlot);
  if (dx == kDxPhasingSymbol) {
    if (IsRxPhasingSymbol(ReadSymbol(kPhasingRxSlot))) {
      StartReception();
    }
    return;
  }
  if (dx == kInvertedDxPhasingSymbol && options_.AutomaticPolarity()) {
    if (IsInvertedRxPhasingSymbol(ReadSymbol(kPhasingRxSlot))) {
      // The transmission arrives upside down: put the stored bits right and
      // keep the reversed polarity for this and later calls.
      InvertWindow();
      options_.SetInverted(!options_.Inverted());
      StartReception();
    }
  }
}

void SymbolSynchroniser::CountTowardsCharacterStep() {
  if (bit_counter_ != kBitsPerCharacterStep - 1) {
    ++bit_counter_;
    return;
  }
  bit_counter_ = 0;
  characters_.CharacterStep(ReadSymbol(kDxSlot), ReadSymbol(kRxSlot));
}

void SymbolSynchroniser::InvertWindow() {
  for (std::uint8_t& bit : bit_window_) {
    bit ^= 1;
  }
}

void SymbolSynchroniser::StartReception() {
  phased_ = true;
  bit_counter_ = 0;
  characters_.Reset();
  if (options_.AutomaticFrequencyControl()) {
    tuning_.TrackedCentre += tuning_.FrequencyError;
  }
  ShowReceivingText();
}

void SymbolSynchroniser::ShowReceivingText() {
  const bool hf = options_.Mode() == DecoderMode::Hf;
  status_.ShowStatusText(StatusPanel::Decoder,
                         ReceivingText(hf ? std::optional(tuning_.FrequencyError) : std::nullopt));
}

void SymbolSynchroniser::StopReception() {
  phased_ = false;
  tuning_.TrackedCentre = tuning_.CentreFrequency;
}

void SymbolSynchroniser::AbandonReception() {
  characters_.Abandon();
  if (phased_) {
    // An abandoned reception ends like every other: a correction the
    // frequency control made for the dropped call must not stay behind, or
    // the next phasing search (after switching back to HF) would run off
    // the user's centre until some later reception ended.
    StopReception();
  }
}

}  // namespace tolvik
