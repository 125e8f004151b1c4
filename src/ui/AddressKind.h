#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "ui/InformationPicture.h"

namespace tolvik {

// What a From or To text of a receive-list row names, as the details dialog
// reads it from the text alone.
enum class AddressKind {
  None = -1,  // no station the dialog can name
  Ship = 0,
  Coast = 1,
  Group = 2,
  Aircraft = 3,
  Area = 4,
  AllStations = 5,
};

// A nine-character text is judged by its first characters only (2..7 ship,
// 00 coast, 0 group, 111 aircraft); any other length is "All stations", an
// area (its text begins with the latitude's N or S) or nothing.
AddressKind ClassifyAddress(std::string_view text);

// The country of an identity of exactly nine decimal digits from the MID
// table, read afresh; "-" for any other text.
std::string CountryOfAddress(const std::filesystem::path& mid_file, std::string_view identity);

// The line under a station: "[country]" for stations with a country,
// "[Group call]", "[Area call]", or empty.
std::string KindLabelText(AddressKind kind, const std::string& country);

// The picture beside a station; none for a text the dialog cannot name.
std::optional<InformationPicture> KindPicture(AddressKind kind);

// Whether the kind label shows a country, so the table is worth reading.
bool HasCountry(AddressKind kind);

}  // namespace tolvik
