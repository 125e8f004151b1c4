#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace tolvik::testing {

// Plain sockets on 127.0.0.1 for the tests: the real network stack, as a
// plotter would use it.

constexpr std::chrono::milliseconds kPatience{5000};  // far beyond any loopback delay

inline sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A TCP client connected to the port; receive_buffer_bytes > 0 shrinks its
// receive buffer first (a plotter that stops reading fills it sooner).
inline int ConnectTo(int port, int receive_buffer_bytes = 0) {
  const int client = socket(AF_INET, SOCK_STREAM, 0);
  if (receive_buffer_bytes > 0) {
    setsockopt(client, SOL_SOCKET, SO_RCVBUF, &receive_buffer_bytes, sizeof receive_buffer_bytes);
  }
  const sockaddr_in address = Loopback(port);
  if (connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    close(client);
    return -1;
  }
  return client;
}

// Reads until `bytes` have come, the peer closes, or kPatience passes.
inline std::string ReadBytes(int socket, std::size_t bytes) {
  std::string got;
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (got.size() < bytes && std::chrono::steady_clock::now() < deadline) {
    pollfd polled{socket, POLLIN, 0};
    if (poll(&polled, 1, 100) <= 0) {
      continue;
    }
    char chunk[4096];
    const ssize_t n = recv(socket, chunk, sizeof chunk, 0);
    if (n <= 0) {
      break;
    }
    got.append(chunk, static_cast<std::size_t>(n));
  }
  return got;
}

// Waits (up to kPatience) until `condition` holds; whether it did.
template <typename Condition>
bool Eventually(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    usleep(1000);
  }
  return true;
}

}  // namespace tolvik::testing
