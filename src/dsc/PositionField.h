#pragma once

#include <optional>
#include <string>

#include "dsc/DscCall.h"
#include "dsc/DscDigitFields.h"

namespace tolvik {

// A decoded position in packed form: degrees plus minutes / 100 (35 deg 41'
// is 35.41); south latitudes and west longitudes are negative.
struct GeoPosition {
  double Latitude = 0.0;
  double Longitude = 0.0;
};

// Decodes the position field of five characters from position start of the
// primary sequence. Empty when a character is above 99. An expansion
// sequence that starts with the enhanced-position specifier adds four more
// digits of minutes to each coordinate; enhanced_position (the decoder-wide
// flag) is cleared first and set when that happened.
std::optional<GeoPosition> DecodePosition(const DscCall& call, int start, bool& enhanced_position);

// Whether the position field of five characters from position start says
// that the position is not known: every character 99 (ten digits 9), as
// M.493 sends it. Such a field decodes like any other, to N99-99 , E999-99,
// which is no place on earth.
bool IsUnknownPosition(const DscCall& call, int start);

// "N35-41 , E139-45", or with enhanced_position "N35-41.1234 , E139-45.5678".
// A coordinate of exactly 0 shows the second letter: S0-00, W0-00. The
// coordinates are those DecodePosition gives (at most 999.99 in size).
std::string FormatPosition(double latitude, double longitude, bool enhanced_position);

}  // namespace tolvik
