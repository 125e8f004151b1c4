#include "ui/MapLink.h"

#include <cstdio>
#include <optional>

namespace tolvik {

namespace {

constexpr double kMinutesPerDegree = 60.0;
constexpr double kMinutesPerFractionUnit = 0.0001;  // the four digits after "."
constexpr int kMinuteDigits = 2;
constexpr int kFractionDigits = 4;
// A fraction moves every later character by "." and its four digits.
constexpr int kFractionWidth = 1 + kFractionDigits;
constexpr const char* kZoomSuffix = ")&z=6";

// The text is read by character positions, as the position field lays it
// out: hemisphere, degrees, "-", minutes, an optional fraction, " , ", and
// the same for the longitude.
class PositionReader {
 public:
  explicit PositionReader(std::string_view text) : text_(text) {}

  // A test at or past the end of the text is simply false.
  bool Is(int index, char wanted) const {
    return index >= 0 && index < static_cast<int>(text_.size()) && text_[index] == wanted;
  }

  // The number of `count` digits from index (digits are not validated);
  // empty when they run past the end.
  std::optional<int> Number(int index, int count) const {
    if (index < 0 || index + count > static_cast<int>(text_.size())) {
      return std::nullopt;
    }
    int value = 0;
    for (int i = 0; i < count; ++i) {
      value = value * 10 + (text_[index + i] - '0');
    }
    return value;
  }

  // Minutes at index and, when a "." follows them, the fraction; k grows by
  // the fraction's width. Empty when a digit is missing.
  std::optional<double> Minutes(int index, int& k) const {
    const auto whole = Number(index, kMinuteDigits);
    if (!whole) {
      return std::nullopt;
    }
    int fraction = 0;
    if (Is(index + kMinuteDigits, '.')) {
      const auto digits = Number(index + kMinuteDigits + 1, kFractionDigits);
      if (!digits) {
        return std::nullopt;
      }
      fraction = *digits;
      k += kFractionWidth;
    }
    return *whole + fraction * kMinutesPerFractionUnit;
  }

 private:
  std::string_view text_;
};

std::optional<double> Latitude(const PositionReader& reader, int& k) {
  std::optional<int> degrees;
  if (reader.Is(2, '-')) {
    degrees = reader.Number(1, 1);
  } else if (reader.Is(3, '-')) {
    degrees = reader.Number(1, 2);
    k = 1;
  }
  if (!degrees) {
    return std::nullopt;
  }
  const auto minutes = reader.Minutes(3 + k, k);
  if (!minutes) {
    return std::nullopt;
  }
  const double value = *degrees + *minutes / kMinutesPerDegree;
  return reader.Is(0, 'S') ? -value : value;
}

// From the character after the latitude's " , ", at 6 + k.
std::optional<double> Longitude(const PositionReader& reader, int& k) {
  if (!reader.Is(6 + k, ',')) {
    return std::nullopt;
  }
  const double sign = reader.Is(8 + k, 'W') ? -1.0 : 1.0;
  std::optional<int> degrees;
  if (reader.Is(10 + k, '-')) {
    degrees = reader.Number(9 + k, 1);
  } else if (reader.Is(11 + k, '-')) {
    degrees = reader.Number(9 + k, 2);
    k += 1;
  } else if (reader.Is(12 + k, '-')) {
    degrees = reader.Number(9 + k, 3);
    k += 2;
  }
  if (!degrees) {
    return std::nullopt;
  }
  const auto minutes = reader.Minutes(11 + k, k);
  if (!minutes) {
    return std::nullopt;
  }
  return sign * (*degrees + *minutes / kMinutesPerDegree);
}

}  // namespace

std::string MapLinkOfPosition(std::string_view position, std::string_view from) {
  const PositionReader reader(position);
  int k = 0;
  const auto latitude = Latitude(reader, k);
  if (!latitude) {
    return {};
  }
  const auto longitude = Longitude(reader, k);
  if (!longitude) {
    return {};
  }
  char coordinates[64];
  std::snprintf(coordinates, sizeof coordinates, "%0.6f,%0.6f", *latitude, *longitude);
  std::string link(kMapServiceAddress);
  link += "?q=";
  link += coordinates;
  link += "(";
  link += from;
  link += kZoomSuffix;
  return link;
}

}  // namespace tolvik
