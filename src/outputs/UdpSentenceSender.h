#pragma once

#include <sys/socket.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "outputs/SentenceSink.h"
#include "outputs/UdpPeer.h"

namespace tolvik {

// Each sentence as one UDP datagram to a host and port (OpenCPN and most
// plotters listen on 10110). Broadcast addresses are allowed. Sending never
// waits: a datagram the system cannot take at once is dropped and counted,
// as UDP would lose it anyway. POSIX sockets; on Windows the same calls come
// from Winsock after WSAStartup, with closesocket and ioctlsocket.
class UdpSentenceSender final : public SentenceSink {
 public:
  static constexpr int kDefaultPort = 10110;

  // Resolves `host` (a name, IPv4 or IPv6 address) once, waiting for the
  // name server if it must; throws OutputError when it does not resolve or
  // no socket can be made.
  UdpSentenceSender(const std::string& host, int port);
  // To a peer already found; throws OutputError when no socket can be made.
  explicit UdpSentenceSender(const UdpPeer& peer);
  ~UdpSentenceSender() override;

  UdpSentenceSender(const UdpSentenceSender&) = delete;
  UdpSentenceSender& operator=(const UdpSentenceSender&) = delete;

  void SendSentence(std::string_view sentence) override;

  // Datagrams the system refused (no route, buffer full).
  std::uint64_t FailedSends() const { return failed_sends_; }

 private:
  int socket_ = -1;
  UdpPeer peer_;
  std::uint64_t failed_sends_ = 0;
};

}  // namespace tolvik
