#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "dsc/DscFieldCodes.h"
#include "dsc/DscMessage.h"

namespace tolvik {

// Builds what a DSC transmitter sends.
//
// A transmission, in time order: a dot pattern (1, 0, 1, 0, ...), then
// symbols alternating between a DX and an RX position, DX first. DX sends
// 125 six times, then every character of the call; RX sends 111 down to
// 104, then the same characters, so each character's RX copy goes out five
// symbol periods after its DX copy. The call ends with end of sequence and
// the check character; DX then repeats the end of sequence twice more.
// An expansion sequence follows directly: the two RX positions paired with
// those trailing DX end-of-sequence symbols carry 126, then the expansion
// characters, its end of sequence and its check character go out the same
// way, again with two trailing DX end-of-sequence symbols.

inline constexpr int kLongDotPatternBits = 200;  // MF/HF distress, and calls to ships
inline constexpr int kShortDotPatternBits = 20;  // VHF, replies

// Stands, in a symbol timeline, for a symbol damaged on the way: its ten
// bits fail the check.
inline constexpr int kDamagedSymbol = kInvalidSymbol;

// Symbol times (index in the timeline returned by InterleaveCall, 0 the
// first DX phasing symbol) of character k's DX and RX copies; k counts the
// characters of the call from the first format specifier. DX holds the even
// times, RX the odd ones, each starting with its phasing symbols: character
// k goes out at 12 + 2k and 17 + 2k.
constexpr int DxTime(int k) {
  return 2 * (kDxPhasingCount + k);
}
constexpr int RxTime(int k) {
  return 2 * (kRxPhasingCount + k) + 1;
}
static_assert(RxTime(0) - DxTime(0) == kRxRepetitionDelaySymbols);

// The characters of a call: format specifier twice, the fields of its
// layout, end of sequence; not the check character. Throws
// std::invalid_argument when a field the layout needs is missing or holds
// a value that cannot be sent.
Characters BuildCallCharacters(const DscMessage& message);

// The expansion sequence of a call with an enhancement: specifier 100,
// four characters, end of sequence (the call's). nullopt without one.
std::optional<Characters> BuildExpansionCharacters(const DscMessage& message);

// Check character of a call (format specifier counted once: the first
// copy is left out) and of an expansion sequence (every character).
std::uint8_t CallCheckCharacter(std::span<const std::uint8_t> characters);
std::uint8_t ExpansionCheckCharacter(std::span<const std::uint8_t> characters);

// The symbols in time order from the first phasing symbol on, DX at even
// and RX at odd times. Each sequence is passed with its check character
// last, so that tests can send a wrong one; the trailing DX copies repeat
// the character in front of the check character. A timeline may be edited
// (kDamagedSymbol, other values) before encoding. Throws
// std::invalid_argument for a sequence shorter than two characters.
std::vector<int> InterleaveCall(std::span<const int> call_with_check,
                                std::optional<std::span<const int>> expansion_with_check = {});

// The dot pattern followed by the ten bits of every symbol of the timeline.
// Throws std::out_of_range for a symbol outside 0..127 other than
// kDamagedSymbol.
std::vector<std::uint8_t> EncodeSymbols(std::span<const int> timeline, int dot_pattern_bits);

// The whole bit stream of a call: check characters computed, phasing,
// time diversity, endings.
std::vector<std::uint8_t> EncodeTransmission(
    std::span<const std::uint8_t> characters,
    std::optional<std::span<const std::uint8_t>> expansion_characters, int dot_pattern_bits);

// BuildCallCharacters and BuildExpansionCharacters, then EncodeTransmission.
std::vector<std::uint8_t> EncodeMessage(const DscMessage& message, int dot_pattern_bits);

// Every bit flipped: the same transmission received with reversed polarity.
std::vector<std::uint8_t> InvertBits(std::span<const std::uint8_t> bits);

}  // namespace tolvik
