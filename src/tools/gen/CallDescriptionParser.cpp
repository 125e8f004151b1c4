#include "gen/CallDescriptionParser.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <optional>
#include <stdexcept>

#include "dsc/DscEncoder.h"
#include "dsc/DscSymbols.h"
#include "gen/DroppedKeys.h"
#include "gen/FieldValues.h"

namespace tolvik {

namespace {

constexpr int kLargestDotPatternBits = 2000;

constexpr std::array<std::string_view, 21> kKnownKeys = {
    "format",     "to",     "area",     "from",    "category", "tc1",  "tc2",
    "freq",       "freq2",  "position", "ship",    "nature",   "dpos", "utc",
    "subsequent", "number", "eos",      "enhance", "dots",     "raw",  "check"};

// Telecommands that make an acknowledgement or a relay out of a call of
// category distress; a relay is what such a call usually is.
constexpr int kDefaultDistressTelecommand = kTelecommandDistressRelay;

std::string FormatName(int format) {
  switch (format) {
    case kFormatDistress:
      return "a distress alert";
    case kFormatAllShips:
      return "an all-ships call";
    case kFormatGeographicArea:
      return "an area call";
    case kFormatGroup:
      return "a group call";
    case kFormatIndividual:
      return "an individual call";
    case kFormatSemiAutomatic:
      return "a semi-automatic call";
    default:
      return "this call";
  }
}

// The keys of one description, handed out one by one so that keys nobody
// asked for can be reported.
class DescriptionKeys {
 public:
  explicit DescriptionKeys(const KeyValues& key_values) : key_values_(key_values) {
    used_.assign(key_values.size(), false);
    for (std::size_t i = 0; i < key_values.size(); ++i) {
      const std::string& key = key_values[i].first;
      if (std::find(kKnownKeys.begin(), kKnownKeys.end(), key) == kKnownKeys.end()) {
        Fail(i, "unknown key");
      }
      if (key_values[i].second.empty()) {
        Fail(i, "empty value");
      }
      for (std::size_t j = 0; j < i; ++j) {
        if (key_values[j].first == key) {
          Fail(i, "key given twice");
        }
      }
    }
  }

  bool Has(std::string_view key) const { return Find(key).has_value(); }

  // The value of `key` read by `parse`, nullopt when the key is absent.
  template <typename Parse>
  auto Take(std::string_view key, Parse parse)
      -> std::optional<decltype(parse(std::string_view{}))> {
    const auto index = Find(key);
    if (!index) {
      return std::nullopt;
    }
    used_[*index] = true;
    try {
      return parse(std::string_view(key_values_[*index].second));
    } catch (const std::invalid_argument& error) {
      Fail(*index, error.what());
    }
  }

  template <typename Parse>
  auto TakeRequired(std::string_view key, Parse parse, const std::string& why) {
    auto value = Take(key, parse);
    if (!value) {
      throw CallDescriptionError("missing key " + std::string(key) + ": " + why);
    }
    return *value;
  }

  // Fails on the first key the call did not use.
  void RequireAllUsed(const std::string& call_name) const {
    for (std::size_t i = 0; i < key_values_.size(); ++i) {
      if (!used_[i]) {
        Fail(i, "not used by " + call_name);
      }
    }
  }

  // The value of a key that has been used, for messages about the call.
  std::string Pair(std::string_view key) const {
    const auto index = Find(key);
    return index ? key_values_[*index].first + "=" + key_values_[*index].second : "";
  }

 private:
  std::optional<std::size_t> Find(std::string_view key) const {
    for (std::size_t i = 0; i < key_values_.size(); ++i) {
      if (key_values_[i].first == key) {
        return i;
      }
    }
    return std::nullopt;
  }

  [[noreturn]] void Fail(std::size_t index, const std::string& reason) const {
    throw CallDescriptionError(key_values_[index].first + "=" + key_values_[index].second + ": " +
                               reason);
  }

  const KeyValues& key_values_;
  std::vector<bool> used_;  // per pair: read by the builder
};

auto IntegerIn(int low, int high) {
  return [low, high](std::string_view text) { return ParseIntegerValue(text, low, high); };
}

// A first or second telecommand, or a type of subsequent communication.
auto Telecommand() {
  return IntegerIn(kLowestControlSymbol, kLargestSymbol);
}

DscDistressInfo TakeDistressInfo(DescriptionKeys& keys, const std::string& ship) {
  DscDistressInfo info;
  info.ShipInDistress = ship;
  info.Nature = keys.Take("nature", ParseNatureValue).value_or(info.Nature);
  info.Position = keys.Take("dpos", ParsePositionValue).value_or(std::nullopt);
  info.Time = keys.Take("utc", ParseTimeValue).value_or(std::nullopt);
  info.SubsequentCommunication =
      keys.Take("subsequent", Telecommand()).value_or(info.SubsequentCommunication);
  return info;
}

// A distress alert: the caller is the ship in distress.
void TakeDistressAlert(DescriptionKeys& keys, DscMessage& message) {
  const auto from = keys.Take("from", ParseIdentityValue);
  const auto ship = keys.Take("ship", ParseIdentityValue);
  if (from && ship && *from != *ship) {
    throw CallDescriptionError(keys.Pair("ship") + ": differs from " + keys.Pair("from") +
                               " (a distress alert's caller is the ship in distress)");
  }
  if (!from && !ship) {
    throw CallDescriptionError("missing key ship (or from): the ship in distress");
  }
  message.Distress = TakeDistressInfo(keys, ship ? *ship : *from);
}

// Frequencies or a working position, and the telephone number of a
// semi-automatic call.
void TakeWorkingFields(DescriptionKeys& keys, DscMessage& message) {
  message.SecondTelecommand = keys.Take("tc2", Telecommand()).value_or(kNoInformation);
  if (keys.Has("position")) {
    if (keys.Has("freq") || keys.Has("freq2")) {
      throw CallDescriptionError(keys.Pair("position") +
                                 ": a call carries frequencies or a position, not both");
    }
    message.WorkingPosition = keys.Take("position", [](std::string_view text) {
      const auto position = ParsePositionValue(text);
      if (!position) {
        throw std::invalid_argument("a working position must be known");
      }
      return *position;
    });
  } else {
    message.FirstFrequency = keys.Take("freq", ParseFrequencyValue);
    message.SecondFrequency = keys.Take("freq2", ParseFrequencyValue);
  }
  if (message.FormatSpecifier == kFormatSemiAutomatic) {
    message.TelephoneNumber = keys.Take("number", ParseTelephoneNumberValue);
  }
}

// Every format but the distress alert.
void TakeAddressedCall(DescriptionKeys& keys, DscMessage& message) {
  const int format = message.FormatSpecifier;
  const std::string name = FormatName(format);
  if (format == kFormatGeographicArea) {
    message.AreaAddress = keys.TakeRequired("area", ParseAreaValue, name + " is sent to an area");
  } else if (format != kFormatAllShips) {
    message.Address =
        keys.TakeRequired("to", ParseIdentityValue, name + " needs the called station's identity");
  }
  message.SelfId =
      keys.TakeRequired("from", ParseIdentityValue, name + " needs the caller's identity");
  message.Category = keys.Take("category", ParseCategoryValue).value_or(kCategoryRoutine);
  if (message.Category == kCategoryDistress) {
    // An acknowledgement (tc1=110) or relay (tc1=112) of a distress alert.
    message.FirstTelecommand =
        keys.Take("tc1", Telecommand()).value_or(kDefaultDistressTelecommand);
    const std::string ship = keys.TakeRequired("ship", ParseIdentityValue,
                                               "a call of category distress repeats an alert");
    message.Distress = TakeDistressInfo(keys, ship);
    return;
  }
  message.FirstTelecommand = keys.Take("tc1", Telecommand()).value_or(kNoInformation);
  TakeWorkingFields(keys, message);
}

CallDescription TakeRawCall(DescriptionKeys& keys) {
  RawSymbols raw;
  raw.Characters = *keys.Take("raw", ParseSymbolListValue);
  raw.Check = keys.Take("check", IntegerIn(0, kLargestSymbol));
  CallDescription description;
  description.Call = raw;
  description.DotPatternBits = keys.Take("dots", IntegerIn(0, kLargestDotPatternBits));
  keys.RequireAllUsed("a raw call");
  return description;
}

CallDescription TakeMessage(DescriptionKeys& keys, DroppedKeys dropped) {
  DscMessage message;
  message.FormatSpecifier = keys.TakeRequired("format", ParseFormatValue,
                                              "give the call's format (or its symbols as raw)");
  message.EndOfSequence = keys.Take("eos", ParseEndOfSequenceValue).value_or(kEosOther);
  if (message.FormatSpecifier == kFormatDistress) {
    TakeDistressAlert(keys, message);
  } else {
    TakeAddressedCall(keys, message);
  }
  message.Enhancement = keys.Take("enhance", ParseEnhancementValue);
  CallDescription description;
  description.DotPatternBits = keys.Take("dots", IntegerIn(0, kLargestDotPatternBits));
  keys.RequireAllUsed(FormatName(message.FormatSpecifier));
  // The readers check each value; the encoder checks how they fit together.
  try {
    BuildCallCharacters(message);
  } catch (const std::invalid_argument& error) {
    throw CallDescriptionError(keys.Pair("format") + ": cannot be sent: " + error.what());
  }
  if (dropped == DroppedKeys::Refuse) {
    if (const auto key = FindDroppedKey(message)) {
      throw CallDescriptionError(keys.Pair(key->Key) +
                                 ": the receiver would not show it: " + key->Reason);
    }
  }
  description.Call = std::move(message);
  return description;
}

std::string JoinPairs(const KeyValues& key_values) {
  std::string text;
  for (const auto& [key, value] : key_values) {
    if (!text.empty()) {
      text += ' ';
    }
    text += key + "=" + value;
  }
  return text;
}

}  // namespace

CallDescription BuildCallDescription(const KeyValues& key_values, DroppedKeys dropped) {
  DescriptionKeys keys(key_values);
  CallDescription description = keys.Has("raw") ? TakeRawCall(keys) : TakeMessage(keys, dropped);
  description.Text = JoinPairs(key_values);
  return description;
}

CallDescription ParseCallDescription(std::string_view key_values, DroppedKeys dropped) {
  KeyValues pairs;
  std::size_t at = 0;
  while (at < key_values.size()) {
    if (std::isspace(static_cast<unsigned char>(key_values[at]))) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < key_values.size() && !std::isspace(static_cast<unsigned char>(key_values[end]))) {
      ++end;
    }
    const std::string_view token = key_values.substr(at, end - at);
    const auto equals = token.find('=');
    if (equals == std::string_view::npos || equals == 0) {
      throw CallDescriptionError(std::string(token) + ": expected key=value");
    }
    pairs.emplace_back(std::string(token.substr(0, equals)), std::string(token.substr(equals + 1)));
    at = end;
  }
  if (pairs.empty()) {
    throw CallDescriptionError("empty call description");
  }
  return BuildCallDescription(pairs, dropped);
}

}  // namespace tolvik
