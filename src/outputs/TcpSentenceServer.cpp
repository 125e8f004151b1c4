#include "outputs/TcpSentenceServer.h"

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "outputs/OutputError.h"

namespace tolvik {

namespace {

void MakeNonBlocking(int descriptor) {
  fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) | O_NONBLOCK);
}

// A listening IPv6 socket that takes IPv4 too, or an IPv4 one where the
// system has no IPv6.
int ListenOn(int port) {
  int listener = socket(AF_INET6, SOCK_STREAM, 0);
  const int on = 1;
  const int off = 0;
  if (listener >= 0) {
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    setsockopt(listener, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof off);
    sockaddr_in6 address{};
    address.sin6_family = AF_INET6;
    address.sin6_addr = in6addr_any;
    address.sin6_port = htons(static_cast<std::uint16_t>(port));
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      return listener;
    }
    close(listener);
  }
  listener = socket(AF_INET, SOCK_STREAM, 0);
  if (listener < 0) {
    return -1;
  }
  setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_ANY);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(listener);
    return -1;
  }
  return listener;
}

int BoundPort(int listener) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
  if (address.ss_family == AF_INET6) {
    return ntohs(reinterpret_cast<sockaddr_in6*>(&address)->sin6_port);
  }
  return ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port);
}

}  // namespace

TcpSentenceServer::TcpSentenceServer(int port) {
  listen_socket_ = ListenOn(port);
  if (listen_socket_ < 0 || listen(listen_socket_, SOMAXCONN) != 0) {
    const std::string reason = std::strerror(errno);
    if (listen_socket_ >= 0) {
      close(listen_socket_);
    }
    throw OutputError("cannot listen on TCP port " + std::to_string(port) + ": " + reason);
  }
  int wake[2];
  if (pipe(wake) != 0) {
    close(listen_socket_);
    throw OutputError(std::string("cannot make a pipe: ") + std::strerror(errno));
  }
  wake_read_ = wake[0];
  wake_write_ = wake[1];
  MakeNonBlocking(listen_socket_);
  MakeNonBlocking(wake_read_);
  MakeNonBlocking(wake_write_);
  port_ = BoundPort(listen_socket_);
  thread_ = std::thread([this] { Run(); });
}

TcpSentenceServer::~TcpSentenceServer() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  const char wake = 1;
  [[maybe_unused]] const ssize_t ignored = write(wake_write_, &wake, 1);
  thread_.join();
  for (const Client& client : clients_) {
    close(client.socket);
  }
  close(listen_socket_);
  close(wake_read_);
  close(wake_write_);
}

void TcpSentenceServer::SendSentence(std::string_view sentence) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (hand_over_.size() + sentence.size() > kHandOverBytes) {
      ++dropped_sentences_;
      return;
    }
    hand_over_ += sentence;
  }
  // A full pipe already holds a wake-up: nothing is lost when this fails.
  const char wake = 1;
  [[maybe_unused]] const ssize_t ignored = write(wake_write_, &wake, 1);
}

void TcpSentenceServer::Run() {
  std::vector<pollfd> polled;
  std::chrono::steady_clock::time_point flush_deadline{};
  bool flushing = false;
  for (;;) {
    polled.clear();
    polled.push_back({wake_read_, POLLIN, 0});
    polled.push_back({listen_socket_, POLLIN, 0});
    for (const Client& client : clients_) {
      polled.push_back(
          {client.socket, static_cast<short>(client.queue.empty() ? POLLIN : POLLIN | POLLOUT), 0});
    }
    constexpr int kFlushPollMs = 20;
    poll(polled.data(), polled.size(), flushing ? kFlushPollMs : -1);

    // Before anything changes the order of clients_, which the entries
    // after the first two follow.
    for (std::size_t i = clients_.size(); i-- > 0;) {
      if (polled[2 + i].revents != 0 && !StillConnected(clients_[i], polled[2 + i].revents)) {
        DropClient(i);
      }
    }
    if (polled[0].revents & POLLIN) {
      char drained[256];
      while (read(wake_read_, drained, sizeof drained) > 0) {
      }
    }
    TakeHandOver();
    if (polled[1].revents & POLLIN) {
      AcceptClients();
    }
    // Every client is written to each round, not only those poll named: a
    // sentence just handed over should not wait for the next wake-up. A
    // client that hung up shows as an error on its next write.
    for (std::size_t i = clients_.size(); i-- > 0;) {
      if (!WriteTo(clients_[i])) {
        DropClient(i);
      }
    }

    bool stopping;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopping = stopping_ && hand_over_.empty();
    }
    if (stopping && !flushing) {
      flushing = true;
      flush_deadline = std::chrono::steady_clock::now() + kFlushOnClose;
    }
    if (flushing && (AllDelivered() || std::chrono::steady_clock::now() >= flush_deadline)) {
      return;
    }
  }
}

void TcpSentenceServer::AcceptClients() {
  for (;;) {
    const int client = accept(listen_socket_, nullptr, nullptr);
    if (client < 0) {
      return;  // EAGAIN: none waiting; anything else: try again at the next round
    }
    MakeNonBlocking(client);
    // Fixed rather than grown by the system (up to megabytes), so that a
    // client that stops reading shows in its queue within a bounded number
    // of sentences.
    const int send_buffer = kSocketSendBufferBytes;
    setsockopt(client, SOL_SOCKET, SO_SNDBUF, &send_buffer, sizeof send_buffer);
    clients_.push_back({client, {}});
    ++client_count_;
  }
}

void TcpSentenceServer::TakeHandOver() {
  std::string taken;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    taken.swap(hand_over_);
  }
  if (taken.empty()) {
    return;
  }
  for (std::size_t i = clients_.size(); i-- > 0;) {
    Client& client = clients_[i];
    if (client.queue.size() + taken.size() > kClientQueueBytes) {
      DropClient(i);
      ++dropped_clients_;
      continue;
    }
    client.queue += taken;
  }
}

bool TcpSentenceServer::StillConnected(const Client& client, short events) {
  if (events & (POLLERR | POLLHUP | POLLNVAL)) {
    return false;
  }
  if (events & POLLIN) {
    // Plotters may talk back; what they say is not needed. End of stream
    // means the client has left.
    char ignored[512];
    const ssize_t got = recv(client.socket, ignored, sizeof ignored, MSG_DONTWAIT);
    return got > 0 || (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR));
  }
  return true;
}

bool TcpSentenceServer::WriteTo(Client& client) {
  while (!client.queue.empty()) {
    const ssize_t written =
        send(client.socket, client.queue.data(), client.queue.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (written < 0) {
      return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
    }
    client.queue.erase(0, static_cast<std::size_t>(written));
  }
  return true;
}

void TcpSentenceServer::DropClient(std::size_t index) {
  close(clients_[index].socket);
  clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(index));
  --client_count_;
}

bool TcpSentenceServer::AllDelivered() const {
  for (const Client& client : clients_) {
    if (!client.queue.empty()) {
      return false;
    }
  }
  return true;
}

}  // namespace tolvik
