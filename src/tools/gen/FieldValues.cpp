#include "gen/FieldValues.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "dsc/DscSymbols.h"

namespace tolvik {

namespace {

using WordTable = std::initializer_list<std::pair<std::string_view, int>>;

[[noreturn]] void Reject(const std::string& reason) {
  throw std::invalid_argument(reason);
}

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](unsigned char c) { return std::isdigit(c) != 0; });
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  return text;
}

std::optional<int> ToInteger(std::string_view text) {
  if (!AllDigits(text) && !(text.size() > 1 && text[0] == '-' && AllDigits(text.substr(1)))) {
    return std::nullopt;
  }
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

// A word of the table (any case), or one of its numbers.
int ParseWordOrNumber(std::string_view text, WordTable table, const char* choices) {
  const std::string word = Lower(text);
  for (const auto& [name, value] : table) {
    if (word == name) {
      return value;
    }
  }
  if (const auto number = ToInteger(text)) {
    for (const auto& entry : table) {
      if (entry.second == *number) {
        return *number;
      }
    }
  }
  Reject(std::string("expected ") + choices);
}

// Splits "a<sep>b" at the only separator; nullopt without exactly one.
std::optional<std::pair<std::string_view, std::string_view>> SplitOnce(std::string_view text,
                                                                       char separator) {
  const auto at = text.find(separator);
  if (at == std::string_view::npos || text.find(separator, at + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  return std::pair{text.substr(0, at), text.substr(at + 1)};
}

struct Coordinate {
  bool Negative = false;  // south or west
  int Degrees = 0;
  int Minutes = 0;
};

// "N35-41" / "E139-45", or with whole_degrees "N35" / "E139".
std::optional<Coordinate> ReadCoordinate(std::string_view text, char positive, char negative,
                                         bool whole_degrees) {
  if (text.empty()) {
    return std::nullopt;
  }
  const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  if (letter != positive && letter != negative) {
    return std::nullopt;
  }
  Coordinate coordinate;
  coordinate.Negative = letter == negative;
  text.remove_prefix(1);
  std::string_view degrees = text;
  std::string_view minutes;
  if (!whole_degrees) {
    const auto parts = SplitOnce(text, '-');
    if (!parts || parts->second.size() > 2) {
      return std::nullopt;
    }
    std::tie(degrees, minutes) = *parts;
    const auto value = ToInteger(minutes);
    if (!AllDigits(minutes) || !value) {
      return std::nullopt;
    }
    coordinate.Minutes = *value;
  }
  const auto value = ToInteger(degrees);
  if (!AllDigits(degrees) || degrees.size() > 3 || !value) {
    return std::nullopt;
  }
  coordinate.Degrees = *value;
  return coordinate;
}

int Quadrant(bool south, bool west) {
  if (south) {
    return west ? kQuadrantSouthWest : kQuadrantSouthEast;
  }
  return west ? kQuadrantNorthWest : kQuadrantNorthEast;
}

int SignedDegrees(const Coordinate& coordinate) {
  return coordinate.Negative ? -coordinate.Degrees : coordinate.Degrees;
}

}  // namespace

int ParseIntegerValue(std::string_view text, int low, int high) {
  const auto value = ToInteger(text);
  if (!value || *value < low || *value > high) {
    Reject("expected a whole number " + std::to_string(low) + ".." + std::to_string(high));
  }
  return *value;
}

std::string ParseIdentityValue(std::string_view text) {
  if (text.size() != kIdentityDigits || !AllDigits(text)) {
    Reject("an identity has nine digits (quote it in JSON when it starts with 0)");
  }
  return std::string(text);
}

int ParseFormatValue(std::string_view text) {
  return ParseWordOrNumber(text,
                           {{"distress", kFormatDistress},
                            {"all-ships", kFormatAllShips},
                            {"area", kFormatGeographicArea},
                            {"group", kFormatGroup},
                            {"individual", kFormatIndividual},
                            {"semi-auto", kFormatSemiAutomatic}},
                           "distress, all-ships, area, group, individual, semi-auto, or 102, 112, "
                           "114, 116, 120, 123");
}

int ParseCategoryValue(std::string_view text) {
  return ParseWordOrNumber(text,
                           {{"routine", kCategoryRoutine},
                            {"safety", kCategorySafety},
                            {"urgency", kCategoryUrgency},
                            {"distress", kCategoryDistress}},
                           "routine, safety, urgency, distress, or 100, 108, 110, 112");
}

int ParseNatureValue(std::string_view text) {
  static constexpr std::array<std::pair<std::string_view, int>, 12> kWords = {{
      {"fire", kNatureFire},
      {"flooding", kNatureFlooding},
      {"collision", kNatureCollision},
      {"grounding", kNatureGrounding},
      {"listing", kNatureListing},
      {"sinking", kNatureSinking},
      {"adrift", kNatureDisabledAndAdrift},
      {"undesignated", kNatureUndesignated},
      {"abandoning", kNatureAbandoningShip},
      {"piracy", kNaturePiracy},
      {"mob", kNatureManOverboard},
      {"epirb", kNatureEpirb},
  }};
  const std::string word = Lower(text);
  for (const auto& [name, value] : kWords) {
    if (word == name) {
      return value;
    }
  }
  const auto number = ToInteger(text);
  if (!number || *number < kLowestNature || *number > kHighestNature) {
    Reject(
        "expected 100..112 or fire, flooding, collision, grounding, listing, sinking, adrift, "
        "undesignated, abandoning, piracy, mob, epirb");
  }
  return *number;
}

int ParseEndOfSequenceValue(std::string_view text) {
  return ParseWordOrNumber(
      text, {{"req", kEosAckRequest}, {"ack", kEosAcknowledgement}, {"other", kEosOther}},
      "req, ack, other, or 117, 122, 127");
}

DscFrequency ParseFrequencyValue(std::string_view text) {
  const std::string lower = Lower(text);
  const std::string_view value(lower);
  if (value.starts_with("vhf")) {
    const auto channel = ToInteger(value.substr(3));
    if (!AllDigits(value.substr(3)) || !channel || *channel > kLargestVhfChannel) {
      Reject("a VHF channel is vhf0..vhf999");
    }
    return DscFrequency::Vhf(*channel);
  }
  if (value.starts_with("ch")) {
    const auto channel = ToInteger(value.substr(2));
    if (!AllDigits(value.substr(2)) || !channel || *channel > kLargestMfHfChannel) {
      Reject("an MF/HF channel is ch0..ch99999");
    }
    return DscFrequency::MfHf(*channel);
  }
  // kHz with at most one decimal: the field carries units of 100 Hz.
  std::string_view whole = value;
  std::string_view tenth = "0";
  if (const auto parts = SplitOnce(value, '.')) {
    std::tie(whole, tenth) = *parts;
  }
  const auto khz = ToInteger(whole);
  const bool readable = AllDigits(whole) && AllDigits(tenth) && tenth.size() == 1 && khz;
  if (!readable || *khz * 10 + (tenth[0] - '0') > kLargestFrequencyTenthsKhz) {
    Reject("expected kHz 0..29999.9 with at most one decimal, chNNNN or vhfNN");
  }
  return DscFrequency::Khz(*khz + (tenth[0] - '0') / 10.0);
}

std::optional<DscPosition> ParsePositionValue(std::string_view text) {
  if (Lower(text) == "unknown") {
    return std::nullopt;
  }
  const char* const kShape = "expected a position like N35-41,E139-45, or unknown";
  const auto parts = SplitOnce(text, ',');
  if (!parts) {
    Reject(kShape);
  }
  const auto latitude = ReadCoordinate(Trim(parts->first), 'N', 'S', false);
  const auto longitude = ReadCoordinate(Trim(parts->second), 'E', 'W', false);
  if (!latitude || !longitude) {
    Reject(kShape);
  }
  if (latitude->Degrees > kLargestLatitudeDegrees ||
      longitude->Degrees > kLargestLongitudeDegrees) {
    Reject("latitude is 0..90 degrees, longitude 0..180");
  }
  if (latitude->Minutes > kLargestMinutes || longitude->Minutes > kLargestMinutes) {
    Reject("minutes are 0..59");
  }
  return DscPosition{Quadrant(latitude->Negative, longitude->Negative), latitude->Degrees,
                     latitude->Minutes, longitude->Degrees, longitude->Minutes};
}

DscArea ParseAreaValue(std::string_view text) {
  const char* const kShape = "expected an area like N35E139-N30E149";
  const auto corners = SplitOnce(text, '-');
  if (!corners) {
    Reject(kShape);
  }
  // Each corner is a latitude then a longitude; the longitude starts at
  // the first E or W.
  auto read_corner = [&](std::string_view corner) {
    const auto at = corner.find_first_of("EWew");
    if (at == std::string_view::npos) {
      Reject(kShape);
    }
    const auto latitude = ReadCoordinate(corner.substr(0, at), 'N', 'S', true);
    const auto longitude = ReadCoordinate(corner.substr(at), 'E', 'W', true);
    if (!latitude || !longitude) {
      Reject(kShape);
    }
    return std::pair{*latitude, *longitude};
  };
  const auto [latitude, longitude] = read_corner(corners->first);
  const auto [far_latitude, far_longitude] = read_corner(corners->second);
  if (latitude.Degrees > kLargestLatitudeDegrees || longitude.Degrees > kLargestLongitudeDegrees) {
    Reject("the reference corner's latitude is 0..90 degrees, its longitude 0..180");
  }
  const int latitude_extent = SignedDegrees(latitude) - SignedDegrees(far_latitude);
  const int longitude_extent = SignedDegrees(far_longitude) - SignedDegrees(longitude);
  if (latitude_extent < 0 || latitude_extent > kLargestAreaExtentDegrees || longitude_extent < 0 ||
      longitude_extent > kLargestAreaExtentDegrees) {
    Reject("the far corner lies 0..99 degrees south and 0..99 degrees east of the first");
  }
  return DscArea{Quadrant(latitude.Negative, longitude.Negative), latitude.Degrees,
                 longitude.Degrees, latitude_extent, longitude_extent};
}

std::optional<DscTime> ParseTimeValue(std::string_view text) {
  if (Lower(text) == "unknown") {
    return std::nullopt;
  }
  const auto parts = SplitOnce(text, ':');
  if (!parts || parts->first.size() != 2 || parts->second.size() != 2) {
    Reject("expected HH:MM (UTC) or unknown");
  }
  const auto hours = ToInteger(parts->first);
  const auto minutes = ToInteger(parts->second);
  if (!hours || !minutes || !AllDigits(parts->first) || !AllDigits(parts->second) ||
      *hours > kLargestHours || *minutes > kLargestMinutes) {
    Reject("expected HH:MM (UTC, 00:00..23:59) or unknown");
  }
  return DscTime{*hours, *minutes};
}

DscEnhancedPosition ParseEnhancementValue(std::string_view text) {
  const auto parts = SplitOnce(text, ',');
  if (!parts || parts->first.size() != kEnhancementDigitsPerCoordinate ||
      parts->second.size() != kEnhancementDigitsPerCoordinate || !AllDigits(parts->first) ||
      !AllDigits(parts->second)) {
    Reject("expected four digits of latitude minutes, a comma, four of longitude (1234,5678)");
  }
  return DscEnhancedPosition{ParseIntegerValue(parts->first, 0, kLargestEnhancementDecimals),
                             ParseIntegerValue(parts->second, 0, kLargestEnhancementDecimals)};
}

std::string ParseTelephoneNumberValue(std::string_view text) {
  if (!AllDigits(text)) {
    Reject("a telephone number is one or more digits");
  }
  return std::string(text);
}

std::vector<int> ParseSymbolListValue(std::string_view text) {
  std::vector<int> symbols;
  while (true) {
    const auto comma = text.find(',');
    const std::string_view item = Trim(text.substr(0, comma));
    const auto symbol = ToInteger(item);
    if (!symbol || *symbol < 0 || *symbol > kLargestSymbol) {
      Reject("expected comma-separated symbols 0..127");
    }
    symbols.push_back(*symbol);
    if (comma == std::string_view::npos) {
      return symbols;
    }
    text.remove_prefix(comma + 1);
  }
}

}  // namespace tolvik
