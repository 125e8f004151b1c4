#include "outputs/UdpPeer.h"

#include <netdb.h>

#include <cstring>

#include "outputs/OutputError.h"

namespace tolvik {

namespace {

// The first address getaddrinfo finds for `host` and `port` with `flags`,
// or its error code.
int FirstPeer(const std::string& host, int port, int flags, UdpPeer& peer) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  hints.ai_flags = flags | AI_NUMERICSERV;  // the port is a number: no services database
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (const int error = getaddrinfo(host.c_str(), service.c_str(), &hints, &found); error != 0) {
    return error;
  }
  std::memcpy(&peer.address, found->ai_addr, found->ai_addrlen);
  peer.length = found->ai_addrlen;
  freeaddrinfo(found);
  return 0;
}

}  // namespace

std::optional<UdpPeer> NumericUdpPeer(const std::string& host, int port) {
  UdpPeer peer;
  if (FirstPeer(host, port, AI_NUMERICHOST, peer) != 0) {
    return std::nullopt;
  }
  return peer;
}

UdpPeer ResolveUdpPeer(const std::string& host, int port) {
  UdpPeer peer;
  if (const int error = FirstPeer(host, port, 0, peer); error != 0) {
    throw OutputError("cannot resolve " + host + ": " + gai_strerror(error));
  }
  return peer;
}

}  // namespace tolvik
