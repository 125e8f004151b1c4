#pragma once

#include <string>
#include <string_view>

namespace tolvik {

// The web map that shows a position: its query form is
// "<address>?q=<lat>,<lon>(<label>)&z=6".
inline constexpr std::string_view kMapServiceAddress = "https://maps.google.com/maps";

// The map link of a position text as the position field writes it
// ("N35-40 , E139-45", "S33-51.1234 , W151-12.5000"), labelled with the
// from text as it stands; empty when the text cannot be read that way.
std::string MapLinkOfPosition(std::string_view position, std::string_view from);

}  // namespace tolvik
