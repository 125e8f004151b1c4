#pragma once

#include <cstdio>
#include <string_view>

#include "outputs/SentenceSink.h"

namespace tolvik {

// Sentences to a stream (standard output), flushed one by one so that a
// reader at the other end of a pipe has each call at once.
class FileSentenceWriter final : public SentenceSink {
 public:
  explicit FileSentenceWriter(std::FILE* file) : file_(file) {}

  void SendSentence(std::string_view sentence) override {
    std::fwrite(sentence.data(), 1, sentence.size(), file_);
    std::fflush(file_);
  }

 private:
  std::FILE* file_;
};

}  // namespace tolvik
