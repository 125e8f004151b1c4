#include "outputs/UdpSentenceSender.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "outputs/OutputError.h"

namespace tolvik {

UdpSentenceSender::UdpSentenceSender(const std::string& host, int port)
    : UdpSentenceSender(ResolveUdpPeer(host, port)) {}

UdpSentenceSender::UdpSentenceSender(const UdpPeer& peer) : peer_(peer) {
  socket_ = socket(peer_.address.ss_family, SOCK_DGRAM, 0);
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
                              reinterpret_cast<const sockaddr*>(&peer_.address), peer_.length);
  if (sent != static_cast<ssize_t>(sentence.size())) {
    ++failed_sends_;
  }
}

}  // namespace tolvik
