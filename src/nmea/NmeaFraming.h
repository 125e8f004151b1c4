#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tolvik {

// An NMEA 0183 sentence on the wire: "$", the talker and sentence name
// ("CDDSC"), each field after a comma, "*", two upper-case hex digits of the
// checksum, CR LF. The checksum is the exclusive-or of every character
// between "$" and "*".

// The longest sentence the standard allows, "$" to LF. (OpenCPN takes up to
// 128, other readers fewer.)
inline constexpr std::size_t kNmeaMaxSentenceLength = 82;

inline constexpr std::string_view kNmeaLineEnd = "\r\n";

// The exclusive-or of every character of `between_dollar_and_star`.
std::uint8_t NmeaChecksum(std::string_view between_dollar_and_star);

// The whole sentence of `name` ("CDDSC") with `fields`, CR LF included.
std::string FrameSentence(std::string_view name, std::span<const std::string> fields);

}  // namespace tolvik
