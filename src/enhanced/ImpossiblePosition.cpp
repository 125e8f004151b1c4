#include "enhanced/ImpossiblePosition.h"

#include <cctype>
#include <optional>

namespace tolvik {

namespace {

constexpr int kMinutesPerDegree = 60;
constexpr int kLargestLatitudeDegrees = 90;
constexpr int kLargestLongitudeDegrees = 180;
constexpr std::string_view kCoordinateSeparator = " , ";

struct Coordinate {
  int Degrees = 0;
  int Minutes = 0;
};

std::optional<int> LeadingNumber(std::string_view& text) {
  int value = 0;
  std::size_t length = 0;
  while (length < text.size() && std::isdigit(static_cast<unsigned char>(text[length]))) {
    value = 10 * value + (text[length] - '0');
    ++length;
  }
  if (length == 0) {
    return std::nullopt;
  }
  text.remove_prefix(length);
  return value;
}

// "N35-41" or "E139-45.5678" after its hemisphere letter; the decimals of
// an enhanced position are fractions of a minute and cannot make it
// impossible.
std::optional<Coordinate> ParseCoordinate(std::string_view text) {
  const auto degrees = LeadingNumber(text);
  if (!degrees || text.empty() || text.front() != '-') {
    return std::nullopt;
  }
  text.remove_prefix(1);
  const auto minutes = LeadingNumber(text);
  if (!minutes) {
    return std::nullopt;
  }
  return Coordinate{*degrees, *minutes};
}

bool Exceeds(const Coordinate& coordinate, int largest_degrees) {
  const int minutes = coordinate.Degrees * kMinutesPerDegree + coordinate.Minutes;
  return coordinate.Minutes >= kMinutesPerDegree || minutes > largest_degrees * kMinutesPerDegree;
}

}  // namespace

bool IsImpossiblePositionText(std::string_view position) {
  const std::size_t separator = position.find(kCoordinateSeparator);
  if (separator == std::string_view::npos || separator == 0) {
    return false;
  }
  const std::string_view longitude_text = position.substr(separator + kCoordinateSeparator.size());
  if (longitude_text.empty()) {
    return false;
  }
  const auto latitude = ParseCoordinate(position.substr(1, separator - 1));
  const auto longitude = ParseCoordinate(longitude_text.substr(1));
  if (!latitude || !longitude) {
    return false;
  }
  return Exceeds(*latitude, kLargestLatitudeDegrees) ||
         Exceeds(*longitude, kLargestLongitudeDegrees);
}

}  // namespace tolvik
