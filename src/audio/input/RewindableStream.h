#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

namespace tolvik {

// A stream that cannot seek (a pipe, standard input) whose first bytes are
// kept, so that a reader may look at them and go back: format detection
// peeks at the header, and libsndfile's header parsers step back a little
// while reading it. Beyond the kept start the stream only goes forward.
class RewindableStream {
 public:
  static constexpr std::size_t kKeptBytes = 64 * 1024;

  explicit RewindableStream(std::FILE* stream) : stream_(stream) {}

  // Reads up to out.size() bytes at the current position; fewer only at the
  // end of the stream (or at a gap left by a refused seek, see Seek). A read
  // of the stream that a signal interrupts ends it: from then on nothing more
  // is read.
  std::size_t Read(std::span<unsigned char> out);

  // Moves to `position`: anywhere within the kept start or to the furthest
  // byte read, or forward to a position within the kept start (the bytes
  // between are read and kept). False, leaving the position alone, for any
  // other: a header parser that wants to skip a long data chunk to look
  // behind it is refused, and reads the data from where it is instead.
  bool Seek(std::uint64_t position);

  std::uint64_t Position() const { return position_; }

  // The start of the stream read so far, up to kKeptBytes.
  std::span<const unsigned char> KeptStart() const { return kept_; }

 private:
  std::size_t ReadFromStream(unsigned char* out, std::size_t count);

  std::FILE* stream_;                // not owned
  std::vector<unsigned char> kept_;  // the first bytes of the stream, up to kKeptBytes
  std::uint64_t position_ = 0;       // of the next byte Read delivers
  std::uint64_t bytes_taken_ = 0;    // taken from the stream so far
  bool interrupted_ = false;         // a signal cut a read short: the stream has ended
};

}  // namespace tolvik
