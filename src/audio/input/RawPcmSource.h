#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "audio/input/SampleRateConverter.h"
#include "audio/input/SampleSource.h"

namespace tolvik {

class RewindableStream;

// How a headerless stream of samples is laid out: signed 16-bit
// little-endian, one or two interleaved channels, at some rate.
struct RawStreamFormat {
  int RateHz = 48000;
  int Channels = 2;
};

// Raw samples from a stream (standard input): the first (left) channel is
// delivered, or both interleaved, converted to 48000 Hz when the stream has
// another rate. A trailing incomplete frame is dropped.
class RawPcmSource final : public SampleSource {
 public:
  // `stream` must outlive the source. Throws InputError for a format that
  // cannot be read (channels other than 1 or 2, a rate outside 1000 to
  // 384000 Hz), or a stream of one channel when two are asked for.
  RawPcmSource(RewindableStream& stream, RawStreamFormat format,
               InputChannels channels = InputChannels::Left);
  ~RawPcmSource() override;

  std::size_t Read(std::span<double> out) override;
  InputChannels Channels() const override { return channels_; }

 private:
  static constexpr std::size_t kBytesPerSample = 2;
  static constexpr std::size_t kChunkFrames = 4096;

  // Reads up to `frames` frames of the delivered channels into picked_;
  // their count.
  std::size_t ReadChannels(std::size_t frames);
  bool Refill();

  RewindableStream& stream_;
  InputChannels channels_;
  std::size_t frame_samples_;  // samples per delivered frame: 1 or 2
  std::size_t bytes_per_frame_;
  std::vector<unsigned char> bytes_;                // one read from the stream
  std::array<double, 2 * kChunkFrames> picked_{};   // its delivered channels, interleaved
  std::unique_ptr<SampleRateConverter> converter_;  // null for a stream at 48 kHz
  std::vector<double> converted_;                   // converter output not yet delivered
  std::size_t converted_start_ = 0;
  std::size_t converted_end_ = 0;
  bool stream_ended_ = false;
  bool drained_ = false;  // the converter has been flushed empty
};

}  // namespace tolvik
