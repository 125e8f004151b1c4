#pragma once

#include <optional>
#include <string>

#include "dsc/DscCall.h"
#include "dsc/DscDigitFields.h"

namespace tolvik {

// A decoded area: the reference corner and the opposite corner, in whole
// degrees; south latitudes and west longitudes are negative.
struct GeoArea {
  double Latitude = 0.0;
  double Longitude = 0.0;
  double SecondLatitude = 0.0;
  double SecondLongitude = 0.0;
};

// Decodes the area field of five characters from position start. Empty when
// a character is above 99.
std::optional<GeoArea> DecodeArea(const SymbolSequence& sequence, int start);

// "N35E139-N30E149": both corners, each number made positive. Always starts
// with N or S, which tells an area apart from a station identity.
std::string FormatArea(const GeoArea& area);

}  // namespace tolvik
