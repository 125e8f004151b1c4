#include "dsc/AreaField.h"

#include <cstdio>

#include "dsc/FieldDigits.h"

namespace tolvik {

namespace {

// One corner coordinate: the first letter for a value above 0, otherwise the
// second letter and the negated value; whole degrees, truncated.
std::string AreaPiece(const char* positive_format, const char* negative_format, double value) {
  const char* format = positive_format;
  if (!(value > 0.0)) {
    format = negative_format;
    value = -value;
  }
  char text[24];
  std::snprintf(text, sizeof text, format, static_cast<int>(value));
  return text;
}

}  // namespace

std::optional<GeoArea> DecodeArea(const SymbolSequence& sequence, int start) {
  const auto found = FieldDigits<kAreaCharacters>(sequence, start);
  if (!found) {
    return std::nullopt;
  }
  const auto& d = *found;
  GeoArea area;
  area.Latitude = 10.0 * d[1] + d[2];
  area.Longitude = 100.0 * d[3] + 10.0 * d[4] + d[5];
  const int quadrant = d[0];
  if (quadrant == kQuadrantNorthWest || quadrant == kQuadrantSouthWest) {
    area.Longitude = -area.Longitude;
  }
  if (quadrant == kQuadrantSouthEast || quadrant == kQuadrantSouthWest) {
    area.Latitude = -area.Latitude;
  }
  // The extent runs southward and eastward from the reference corner.
  area.SecondLatitude = area.Latitude - (10.0 * d[6] + d[7]);
  area.SecondLongitude = area.Longitude + (10.0 * d[8] + d[9]);
  return area;
}

std::string FormatArea(const GeoArea& area) {
  return AreaPiece("N%d", "S%d", area.Latitude) + AreaPiece("E%d", "W%d", area.Longitude) +
         AreaPiece("-N%d", "-S%d", area.SecondLatitude) +
         AreaPiece("E%d", "W%d", area.SecondLongitude);
}

}  // namespace tolvik
