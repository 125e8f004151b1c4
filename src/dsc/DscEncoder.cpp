#include "dsc/DscEncoder.h"

#include <algorithm>
#include <stdexcept>

#include "dsc/DscSymbolCode.h"
#include "dsc/DscSymbols.h"

namespace tolvik {

namespace {

void Append(Characters& out, std::span<const std::uint8_t> field) {
  out.insert(out.end(), field.begin(), field.end());
}

void Append(Characters& out, int character) {
  out.push_back(static_cast<std::uint8_t>(character));
}

void RequireCharacter(int value, const char* what) {
  if (!IsSymbolValue(value)) {
    throw std::invalid_argument(what);
  }
}

const DscDistressInfo& RequireDistress(const DscMessage& message) {
  if (!message.Distress) {
    throw std::invalid_argument("this call needs distress information");
  }
  return *message.Distress;
}

// Ship in distress, nature, position, time, subsequent communication.
void AppendDistressInfo(Characters& out, const DscDistressInfo& info) {
  RequireCharacter(info.Nature, "nature of distress 0..127");
  RequireCharacter(info.SubsequentCommunication, "subsequent communication 0..127");
  Append(out, IdentityCharacters(info.ShipInDistress));
  Append(out, info.Nature);
  Append(out, PositionCharacters(info.Position));
  Append(out, TimeCharacters(info.Time));
  Append(out, info.SubsequentCommunication);
}

// Six characters: two frequencies, or 55 and a position. A semi-automatic
// call leaves out an absent second frequency so that its telephone number
// follows the first one.
void AppendFrequencyField(Characters& out, const DscMessage& message) {
  if (message.WorkingPosition) {
    Append(out, kPositionFollows);
    Append(out, PositionCharacters(message.WorkingPosition));
    return;
  }
  Append(out, FrequencyCharacters(message.FirstFrequency));
  const bool short_field = message.FormatSpecifier == kFormatSemiAutomatic &&
                           !message.SecondFrequency && message.TelephoneNumber;
  if (!short_field) {
    Append(out, FrequencyCharacters(message.SecondFrequency));
  }
}

// After the self-identity: first telecommand, then either the distress
// information of an acknowledgement or relay, or the second telecommand
// and the frequency field.
void AppendTelecommandPart(Characters& out, const DscMessage& message) {
  RequireCharacter(message.FirstTelecommand, "first telecommand 0..127");
  RequireCharacter(message.SecondTelecommand, "second telecommand 0..127");
  Append(out, message.FirstTelecommand);
  if (message.Category == kCategoryDistress) {
    AppendDistressInfo(out, RequireDistress(message));
    return;
  }
  Append(out, message.SecondTelecommand);
  AppendFrequencyField(out, message);
  if (message.FormatSpecifier == kFormatSemiAutomatic && message.TelephoneNumber) {
    Append(out, TelephoneNumberCharacters(*message.TelephoneNumber));
  }
}

void AppendAddress(Characters& out, const DscMessage& message) {
  if (message.FormatSpecifier == kFormatGeographicArea) {
    if (!message.AreaAddress) {
      throw std::invalid_argument("an area call needs an area");
    }
    Append(out, AreaCharacters(*message.AreaAddress));
    return;
  }
  if (!message.Address) {
    throw std::invalid_argument("this call needs the called station's identity");
  }
  Append(out, IdentityCharacters(*message.Address));
}

std::vector<int> AsInts(std::span<const std::uint8_t> characters) {
  return std::vector<int>(characters.begin(), characters.end());
}

}  // namespace

Characters BuildCallCharacters(const DscMessage& message) {
  const int format = message.FormatSpecifier;
  if (!IsAcceptedFormatSpecifier(format)) {
    throw std::invalid_argument("format specifier must be 102, 112, 114, 116, 120 or 123");
  }
  if (!IsEndOfSequence(message.EndOfSequence)) {
    throw std::invalid_argument("end of sequence must be 117, 122 or 127");
  }
  Characters out;
  Append(out, format);
  Append(out, format);
  if (format == kFormatDistress) {
    AppendDistressInfo(out, RequireDistress(message));
  } else {
    RequireCharacter(message.Category, "category 0..127");
    if (format != kFormatAllShips) {
      AppendAddress(out, message);  // an all-ships call has no address
    }
    Append(out, message.Category);
    Append(out, IdentityCharacters(message.SelfId));
    AppendTelecommandPart(out, message);
  }
  Append(out, message.EndOfSequence);
  return out;
}

std::optional<Characters> BuildExpansionCharacters(const DscMessage& message) {
  if (!message.Enhancement) {
    return std::nullopt;
  }
  Characters out;
  Append(out, EnhancedPositionCharacters(*message.Enhancement));
  Append(out, message.EndOfSequence);
  return out;
}

std::uint8_t CallCheckCharacter(std::span<const std::uint8_t> characters) {
  // Both copies of the format specifier are sent but the check counts it
  // once: leave the first copy out.
  return characters.empty() ? 0 : ExpansionCheckCharacter(characters.subspan(1));
}

std::uint8_t ExpansionCheckCharacter(std::span<const std::uint8_t> characters) {
  std::uint8_t check = 0;
  for (std::uint8_t c : characters) {
    check ^= c;
  }
  return check;
}

std::vector<int> InterleaveCall(std::span<const int> call_with_check,
                                std::optional<std::span<const int>> expansion_with_check) {
  std::vector<int> dx(kDxPhasingCount, kDxPhasingSymbol);
  std::vector<int> rx;
  for (int s = kFirstRxPhasingSymbol; s >= kLastRxPhasingSymbol; --s) {
    rx.push_back(s);
  }
  auto add_sequence = [&](std::span<const int> sequence) {
    if (sequence.size() < 2) {
      throw std::invalid_argument("a sequence has at least an end of sequence and a check");
    }
    dx.insert(dx.end(), sequence.begin(), sequence.end());
    rx.insert(rx.end(), sequence.begin(), sequence.end());
    const int end_of_sequence = sequence[sequence.size() - 2];
    dx.insert(dx.end(), kTrailingDxEndOfSequenceCount, end_of_sequence);
  };
  add_sequence(call_with_check);
  if (expansion_with_check) {
    // RX pairs 126 with the two trailing DX end-of-sequence symbols: the
    // announcement of the expansion sequence.
    rx.insert(rx.end(), kTrailingDxEndOfSequenceCount, kNoInformation);
    add_sequence(*expansion_with_check);
  }
  // DX starts with two phasing symbols fewer than RX and ends each sequence
  // with two trailing symbols more, which RX matches with its two 126s in
  // front of an expansion sequence: both positions always hold the same
  // number of symbols, so every time slot is defined and the transmission
  // ends with the RX copy of the last check character.
  std::vector<int> timeline;
  timeline.reserve(dx.size() + rx.size());
  for (std::size_t i = 0; i < dx.size(); ++i) {
    timeline.push_back(dx[i]);
    timeline.push_back(rx[i]);
  }
  return timeline;
}

std::vector<std::uint8_t> EncodeSymbols(std::span<const int> timeline, int dot_pattern_bits) {
  std::vector<std::uint8_t> bits;
  bits.reserve(static_cast<std::size_t>(std::max(dot_pattern_bits, 0)) +
               timeline.size() * kBitsPerSymbol);
  for (int i = 0; i < dot_pattern_bits; ++i) {
    bits.push_back(i % 2 == 0 ? 1 : 0);
  }
  for (int symbol : timeline) {
    const SymbolBitArray code =
        symbol == kDamagedSymbol ? DamagedSymbolBits(0) : SymbolBits(symbol);
    bits.insert(bits.end(), code.begin(), code.end());
  }
  return bits;
}

std::vector<std::uint8_t> EncodeTransmission(
    std::span<const std::uint8_t> characters,
    std::optional<std::span<const std::uint8_t>> expansion_characters, int dot_pattern_bits) {
  std::vector<int> call = AsInts(characters);
  call.push_back(CallCheckCharacter(characters));
  std::optional<std::vector<int>> expansion;
  if (expansion_characters) {
    expansion = AsInts(*expansion_characters);
    expansion->push_back(ExpansionCheckCharacter(*expansion_characters));
  }
  std::optional<std::span<const int>> expansion_span;
  if (expansion) {
    expansion_span = *expansion;
  }
  return EncodeSymbols(InterleaveCall(call, expansion_span), dot_pattern_bits);
}

std::vector<std::uint8_t> EncodeMessage(const DscMessage& message, int dot_pattern_bits) {
  const Characters call = BuildCallCharacters(message);
  const std::optional<Characters> expansion = BuildExpansionCharacters(message);
  std::optional<std::span<const std::uint8_t>> expansion_span;
  if (expansion) {
    expansion_span = *expansion;
  }
  return EncodeTransmission(call, expansion_span, dot_pattern_bits);
}

std::vector<std::uint8_t> InvertBits(std::span<const std::uint8_t> bits) {
  std::vector<std::uint8_t> out;
  out.reserve(bits.size());
  for (std::uint8_t bit : bits) {
    out.push_back(bit != 0 ? 0 : 1);
  }
  return out;
}

}  // namespace tolvik
