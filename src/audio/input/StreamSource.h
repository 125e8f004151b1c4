#pragma once

#include <cstdio>
#include <memory>

#include "audio/input/RawPcmSource.h"
#include "audio/input/RewindableStream.h"
#include "audio/input/SampleSource.h"

namespace tolvik {

// An input arriving on a stream (standard input), which is either a sound
// file (WAV, FLAC, Ogg, AIFF, .snd: recognised by its header, read by
// libsndfile) or headerless 16-bit samples in the given raw format.
class StreamSource final : public SampleSource {
 public:
  // Reads the stream's first bytes to tell which. Throws InputError when a
  // sound file's header is followed by something libsndfile cannot read, or
  // for a raw format that cannot be read, or when the input has one channel
  // and two are asked for.
  StreamSource(std::FILE* stream, RawStreamFormat raw_format,
               InputChannels channels = InputChannels::Left);

  std::size_t Read(std::span<double> out) override { return input_->Read(out); }
  std::optional<double> DurationSeconds() const override { return input_->DurationSeconds(); }
  std::optional<CutShortInput> CutShort() const override { return input_->CutShort(); }
  InputChannels Channels() const override { return input_->Channels(); }

  bool IsSoundFile() const { return sound_file_; }

 private:
  RewindableStream stream_;
  bool sound_file_ = false;
  std::unique_ptr<SampleSource> input_;  // reads from stream_
};

}  // namespace tolvik
