#pragma once

#include <optional>
#include <string>

namespace tolvik {

// Where a network output goes (--nmea-udp, --mqtt): a host (name, IPv4
// address, or IPv6 address in brackets) and a port.
struct HostAndPort {
  std::string host;
  int port = 0;
};

// "HOST:PORT", "HOST" (the default port), "[::1]:10110"; a bare IPv6
// address takes the default port. nullopt for an empty host or a port that
// is not a whole number from 1 to 65535.
std::optional<HostAndPort> ParseHostAndPort(const std::string& text, int default_port);

}  // namespace tolvik
