#include "outputs/UdpSentenceSender.h"

#include <fcntl.h>
#include <netdb.h>
#include <unistd.h>

#include <cstring>

#include "outputs/OutputError.h"

namespace tolvik {

UdpSentenceSender::UdpSentenceSender(const std::string& host, int port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  if (const int error = getaddrinfo(host.c_str(), service.c_str(), &hints, &found); error != 0) {
    throw OutputError("cannot resolve " + host + ": " + gai_strerror(error));
  }
  socket_ = socket(found->ai_family, found->ai_socktype, found->ai_protocol);
  if (socket_ >= 0) {
    std::memcpy(&peer_, found->ai_addr, found->ai_addrlen);
    peer_length_ = found->ai_addrlen;
  }
  freeaddrinfo(found);
  if (socket_ < 0) {
    throw OutputError(std::string("cannot open a UDP socket: ") + std::strerror(errno));
  }
  // Without it a send to a broadcast address fails with EACCES.
  const int on = 1;
  setsockopt(socket_, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  fcntl(socket_, F_SETFL, fcntl(socket_, F_GETFL) | O_NONBLOCK);
}

UdpSentenceSender::~UdpSentenceSender() {
  close(socket_);
}

void UdpSentenceSender::SendSentence(std::string_view sentence) {
  const ssize_t sent = sendto(socket_, sentence.data(), sentence.size(), MSG_DONTWAIT,
                              reinterpret_cast<const sockaddr*>(&peer_), peer_length_);
  if (sent != static_cast<ssize_t>(sentence.size())) {
    ++failed_sends_;
  }
}

}  // namespace tolvik
