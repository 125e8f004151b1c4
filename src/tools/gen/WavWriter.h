#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace tolvik {

// Samples (16-bit units) that lie outside -32768..32767 once rounded.
std::size_t CountClippedSamples(std::span<const double> samples);

// The most frames a 16-bit PCM WAV file of `channels` channels can hold: its
// sizes are 32-bit, so the whole file stays under 4 GiB.
std::uint64_t LargestWavFrames(int channels);

// Writes a 16-bit PCM WAV file as its samples are made. The header, written
// first, states the length given in advance, so the file may go to a pipe
// or standard output, which cannot seek back to finish a header. Every
// channel carries the same samples; values are rounded and clipped to 16
// bits.
class WavStreamWriter {
 public:
  // Opens `path` ("-" for standard output) for `frames` frames. Throws
  // std::invalid_argument for a rate, channel count or length a WAV file
  // cannot hold, and std::runtime_error, with the reason, when the file
  // cannot be opened.
  WavStreamWriter(const std::string& path, int sample_rate_hz, int channels, std::uint64_t frames);
  ~WavStreamWriter();
  WavStreamWriter(const WavStreamWriter&) = delete;
  WavStreamWriter& operator=(const WavStreamWriter&) = delete;

  // The next frames. Throws std::runtime_error when they cannot be written
  // or go past the length given.
  void Write(std::span<const double> samples);

  // Checks that the length given was written and closes the file; throws
  // std::runtime_error otherwise.
  void Finish();

  // Samples clipped so far (per channel).
  std::size_t ClippedSamples() const { return clipped_; }

 private:
  void WriteBytes(const void* bytes, std::size_t count);
  [[noreturn]] void Fail(const std::string& what) const;

  std::string path_;
  std::FILE* file_ = nullptr;  // owned unless it is standard output
  int channels_;
  std::uint64_t frames_;              // promised by the header
  std::uint64_t frames_written_ = 0;  // so far
  std::size_t clipped_ = 0;
  std::vector<unsigned char> bytes_;  // one write's frames, little-endian
};

// Writes `samples` as a whole 16-bit PCM WAV file with `channels` channels
// (1 or 2). Returns the count of samples clipped (per channel). Throws as
// WavStreamWriter does.
std::size_t WriteWav(const std::string& path, std::span<const double> samples, int sample_rate_hz,
                     int channels);

}  // namespace tolvik
