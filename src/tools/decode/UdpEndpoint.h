#pragma once

#include <optional>
#include <string>

namespace tolvik {

// Where --nmea-udp sends: a host (name, IPv4 address, or IPv6 address in
// brackets) and a port.
struct UdpEndpoint {
  std::string host;
  int port = 0;
};

// "HOST:PORT", "HOST" (port 10110), "[::1]:10110". nullopt for an empty
// host or a port that is not a whole number from 1 to 65535.
std::optional<UdpEndpoint> ParseUdpEndpoint(const std::string& text);

}  // namespace tolvik
