#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "audio/input/SampleRateConverter.h"
#include "audio/input/SampleSource.h"

typedef struct sf_private_tag SNDFILE;
struct SF_INFO;

namespace tolvik {

class RewindableStream;

// Any recording libsndfile reads (WAV, FLAC, OGG, ...), at any sample rate,
// mono or multi-channel: the first (left) channel is delivered, or the first
// two (left and right) interleaved, converted to 48000 Hz when the file has
// another rate.
class SoundFileSource final : public SampleSource {
 public:
  // Throws InputError with a readable reason when the file cannot be read
  // as audio, or has one channel when two are asked for.
  explicit SoundFileSource(const std::filesystem::path& path,
                           InputChannels channels = InputChannels::Left);
  // A sound file arriving on a stream (standard input); `stream` must
  // outlive the source. Throws InputError as above.
  explicit SoundFileSource(RewindableStream& stream, InputChannels channels = InputChannels::Left);
  SoundFileSource(const SoundFileSource&) = delete;
  SoundFileSource& operator=(const SoundFileSource&) = delete;

  std::size_t Read(std::span<double> out) override;
  std::optional<double> DurationSeconds() const override { return duration_seconds_; }
  std::optional<CutShortInput> CutShort() const override;
  InputChannels Channels() const override { return channels_; }

  int FileRateHz() const { return file_rate_hz_; }
  int FileChannels() const { return file_channels_; }

 private:
  // After opening: the format, the header's promise, the buffers.
  void SetUp(const SF_INFO& info, std::span<const unsigned char> head);
  bool Refill();
  std::size_t ReadChannels();

  // Closes the file also when a constructor throws after opening it.
  struct SoundFileCloser {
    void operator()(SNDFILE* file) const;
  };

  InputChannels channels_;
  std::size_t frame_samples_;  // samples per delivered frame: 1 or 2
  std::unique_ptr<SNDFILE, SoundFileCloser> file_;
  int file_rate_hz_ = 0;
  int file_channels_ = 0;
  std::optional<double> duration_seconds_;
  std::optional<std::uint64_t> promised_frames_;    // by the header, when it states a length
  std::uint64_t frames_read_ = 0;                   // of the file, at its own rate
  std::unique_ptr<SampleRateConverter> converter_;  // null when the file is already at 48 kHz
  std::vector<double> interleaved_;                 // one chunk of frames as read from the file
  std::vector<double> picked_;     // the chunk's delivered channels, 16-bit units, interleaved
  std::vector<double> pending_;    // samples at 48 kHz not yet delivered
  std::size_t pending_start_ = 0;  // first undelivered sample in pending_
  std::size_t pending_end_ = 0;    // one past the last one
  bool file_ended_ = false;
  bool drained_ = false;  // the converter has been flushed empty
};

}  // namespace tolvik
