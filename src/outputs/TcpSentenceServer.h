#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "outputs/SentenceSink.h"

namespace tolvik {

// A TCP server any number of plotters may connect to and leave; each gets
// every sentence sent from the moment it connected.
//
// The decoding thread only appends a sentence to a bounded hand-over queue
// under a mutex and wakes the server's own thread through a pipe; that
// thread accepts clients and writes to them with non-blocking sockets,
// each client with a bounded queue of its own. A client that reads too
// slowly (or not at all) fills its queue and is dropped, so no client can
// hold up decoding or the other clients. The mutex is never held across a
// system call on a socket.
//
// POSIX sockets and poll; on Windows the same design runs on Winsock with
// WSAPoll and a loopback socket pair in place of the pipe. MSG_NOSIGNAL
// keeps a vanished client from raising SIGPIPE; macOS has SO_NOSIGPIPE
// instead.
class TcpSentenceServer final : public SentenceSink {
 public:
  // About a thousand sentences: at the rate DSC calls arrive, a client that
  // falls this far behind has stopped reading.
  static constexpr std::size_t kClientQueueBytes = 64 * 1024;
  // What the system may buffer for a client beyond its queue (Linux
  // doubles it for its own bookkeeping).
  static constexpr int kSocketSendBufferBytes = 32 * 1024;
  // The hand-over queue: only a server thread starved of CPU lets it fill.
  static constexpr std::size_t kHandOverBytes = 64 * 1024;
  // On destruction, how long clients may take to receive what is queued.
  static constexpr std::chrono::milliseconds kFlushOnClose{1000};

  // Listens on `port` (0: any free port, see Port()) of every interface;
  // throws OutputError when it cannot.
  explicit TcpSentenceServer(int port);
  // Delivers what is queued for up to kFlushOnClose, then closes every
  // connection.
  ~TcpSentenceServer() override;

  TcpSentenceServer(const TcpSentenceServer&) = delete;
  TcpSentenceServer& operator=(const TcpSentenceServer&) = delete;

  void SendSentence(std::string_view sentence) override;

  int Port() const { return port_; }
  // Clients connected now, and clients dropped because they fell behind.
  int ClientCount() const { return client_count_; }
  std::uint64_t DroppedClients() const { return dropped_clients_; }
  // Sentences lost before reaching the server's thread (hand-over full).
  std::uint64_t DroppedSentences() const { return dropped_sentences_; }

 private:
  struct Client {
    int socket;
    std::string queue;  // bytes not yet written
  };

  void Run();
  void AcceptClients();
  void TakeHandOver();
  // Whether a client whose socket poll reported `events` is still there.
  static bool StillConnected(const Client& client, short events);
  // Writes what the client's socket takes now; false when the client is gone.
  bool WriteTo(Client& client);
  void DropClient(std::size_t index);
  bool AllDelivered() const;

  int listen_socket_ = -1;
  int wake_read_ = -1;   // the server thread polls it
  int wake_write_ = -1;  // the decoding thread writes a byte to it
  int port_ = 0;

  std::mutex mutex_;             // guards the hand-over and stopping_
  std::string hand_over_;        // sentences from the decoding thread, in order
  bool stopping_ = false;        // the destructor has asked the thread to finish
  std::vector<Client> clients_;  // the server thread's alone

  std::atomic<int> client_count_{0};
  std::atomic<std::uint64_t> dropped_clients_{0};
  std::atomic<std::uint64_t> dropped_sentences_{0};
  std::thread thread_;
};

}  // namespace tolvik
