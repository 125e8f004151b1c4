#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "outputs/UdpPeer.h"

namespace tolvik {

// A host name for NMEA over UDP, looked up on a thread of its own. The
// system's resolver may wait for seconds on a name server that is slow or
// away (the timeout in resolv.conf times its attempts), and the decoding
// thread must never wait for it; it looks at Finished between blocks
// instead.
//
// The thread owns what it finds, shared with this object: a lookup that
// is dropped before it finishes is not waited for, its thread runs on
// alone and its answer goes nowhere.
class UdpHostLookup {
 public:
  // Finds a host's peer, as ResolveUdpPeer does; throws OutputError when
  // the host does not resolve. Runs on the lookup's thread.
  using Resolver = std::function<UdpPeer(const std::string& host, int port)>;

  UdpHostLookup(const std::string& host, int port, Resolver resolver = ResolveUdpPeer);

  UdpHostLookup(const UdpHostLookup&) = delete;
  UdpHostLookup& operator=(const UdpHostLookup&) = delete;

  // Whether the answer is in; one atomic load, so it may be asked after
  // every block.
  bool Finished() const { return answer_->finished.load(std::memory_order_acquire); }

  // Once Finished: the peer found, or none and why not (the resolver's
  // OutputError text).
  const std::optional<UdpPeer>& Peer() const { return answer_->peer; }
  const std::string& Problem() const { return answer_->problem; }

 private:
  struct Answer {
    std::optional<UdpPeer> peer;
    std::string problem;
    std::atomic<bool> finished{false};  // set last: peer and problem are written
  };

  static void Resolve(Answer& answer, const Resolver& resolver, const std::string& host, int port);

  std::shared_ptr<Answer> answer_;
};

}  // namespace tolvik
