#include "PlotterClient.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <stdexcept>

namespace tolvik {

namespace {
constexpr std::uint64_t kFnvPrime = 1099511628211ull;
}  // namespace

std::uint64_t ContinueFnv1a(std::uint64_t hash, const char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    hash = (hash ^ static_cast<unsigned char>(bytes[i])) * kFnvPrime;
  }
  return hash;
}

PlotterClient::PlotterClient(int port, bool reads) : reads_(reads), hash_(kFnvOffsetBasis) {
  socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
  if (socket_ < 0) {
    throw std::runtime_error("cannot make a socket");
  }
  if (!reads_) {
    // Set before connecting, so that the window offered to the server is small.
    const int bytes = kStalledReceiveBufferBytes;
    ::setsockopt(socket_, SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(socket_);
    throw std::runtime_error("cannot connect to port " + std::to_string(port));
  }
  if (reads_) {
    reader_ = std::thread([this] { ReadAll(); });
  }
}

PlotterClient::~PlotterClient() {
  Finish();
}

void PlotterClient::ReadAll() {
  std::array<char, 16384> buffer{};
  for (;;) {
    const ssize_t got = ::recv(socket_, buffer.data(), buffer.size(), 0);
    if (got <= 0) {
      return;  // closed by the server, or dropped
    }
    const auto count = static_cast<std::size_t>(got);
    bytes_ += count;
    hash_ = ContinueFnv1a(hash_, buffer.data(), count);
    for (std::size_t i = 0; i < count; ++i) {
      sentences_ += buffer[i] == '\n' ? 1 : 0;
    }
  }
}

void PlotterClient::Finish() {
  if (reader_.joinable()) {
    reader_.join();
  }
  if (socket_ >= 0) {
    ::close(socket_);
    socket_ = -1;
  }
}

}  // namespace tolvik
