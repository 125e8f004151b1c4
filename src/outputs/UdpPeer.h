#pragma once

#include <sys/socket.h>

#include <optional>
#include <string>

namespace tolvik {

// Where NMEA datagrams go: an address and port found for a host, ready for
// sendto.
struct UdpPeer {
  sockaddr_storage address{};
  socklen_t length = 0;
};

// `host` as an IPv4 or IPv6 address in numbers, which never asks a name
// server and so never waits; none when `host` is a name (or no address).
std::optional<UdpPeer> NumericUdpPeer(const std::string& host, int port);

// `host` (a name, IPv4 or IPv6 address) through the system's resolver,
// which for a name may wait for seconds on a slow or unreachable name
// server. Throws OutputError ("cannot resolve <host>: <reason>") when it
// does not resolve.
UdpPeer ResolveUdpPeer(const std::string& host, int port);

}  // namespace tolvik
