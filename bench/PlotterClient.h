#pragma once

#include <cstdint>
#include <thread>

namespace tolvik {

// A chart plotter on a TCP sentence server at 127.0.0.1: connects at once and,
// on its own thread, reads everything until the server closes the
// connection, counting sentences and hashing the bytes in order. A client
// made not to read never reads at all, with a small receive buffer, as a
// plotter that has hung.
class PlotterClient {
 public:
  static constexpr int kStalledReceiveBufferBytes = 4096;

  // Throws std::runtime_error when it cannot connect.
  PlotterClient(int port, bool reads);
  ~PlotterClient();
  PlotterClient(const PlotterClient&) = delete;
  PlotterClient& operator=(const PlotterClient&) = delete;

  // Waits for the server to close the connection (a reading client) and
  // closes this end.
  void Finish();

  bool Reads() const { return reads_; }
  std::uint64_t Bytes() const { return bytes_; }
  std::uint64_t Sentences() const { return sentences_; }
  std::uint64_t Hash() const { return hash_; }

 private:
  void ReadAll();

  int socket_ = -1;
  bool reads_;
  std::uint64_t bytes_ = 0;
  std::uint64_t sentences_ = 0;  // line feeds read
  std::uint64_t hash_;
  std::thread reader_;
};

// FNV-1a over bytes, continued from `hash` (start with kFnvOffsetBasis).
inline constexpr std::uint64_t kFnvOffsetBasis = 14695981039346656037ull;
std::uint64_t ContinueFnv1a(std::uint64_t hash, const char* bytes, std::size_t count);

}  // namespace tolvik
