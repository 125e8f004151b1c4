#pragma once

#include <string_view>

namespace tolvik {

// Where finished NMEA sentences go: a file, a UDP peer, TCP clients. Called
// on the decoding thread, so it must never wait on a network or a reader.
class SentenceSink {
 public:
  virtual ~SentenceSink() = default;
  // One whole sentence, CR LF included.
  virtual void SendSentence(std::string_view sentence) = 0;
};

}  // namespace tolvik
