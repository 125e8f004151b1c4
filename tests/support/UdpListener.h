#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

#include "outputs/LoopbackSockets.h"

namespace tolvik::testing {

// A UDP socket listening on a free loopback port, as a plotter would.
class UdpListener {
 public:
  UdpListener() : socket_(socket(AF_INET, SOCK_DGRAM, 0)) {
    sockaddr_in address = Loopback(0);
    bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~UdpListener() { close(socket_); }

  UdpListener(const UdpListener&) = delete;
  UdpListener& operator=(const UdpListener&) = delete;

  int Port() const { return port_; }

  // The next datagram, or "" when none comes within the tests' patience.
  std::string Receive() const {
    pollfd polled{socket_, POLLIN, 0};
    if (poll(&polled, 1, static_cast<int>(kPatience.count())) <= 0) {
      return {};
    }
    char datagram[2048];
    const ssize_t n = recv(socket_, datagram, sizeof datagram, 0);
    return n > 0 ? std::string(datagram, static_cast<std::size_t>(n)) : std::string();
  }

 private:
  int socket_;
  int port_ = 0;
};

}  // namespace tolvik::testing
