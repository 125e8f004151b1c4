#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

namespace tolvik {

// A 16-bit mono PCM WAV file written piece by piece, so that an hour of
// audio never has to be held in memory at once; or a stereo one, whose
// samples are appended as interleaved frames (left first). The sizes in the
// header are filled in by Close (or the destructor).
class MonoWavFile {
 public:
  // Throws std::runtime_error when the file cannot be created.
  MonoWavFile(const std::string& path, int sample_rate_hz, int channels = 1);
  ~MonoWavFile();
  MonoWavFile(const MonoWavFile&) = delete;
  MonoWavFile& operator=(const MonoWavFile&) = delete;

  // Appends samples in 16-bit units, rounded and clipped.
  void Append(std::span<const double> samples);

  // Completes the header and closes the file; throws std::runtime_error
  // when the file could not be written in full.
  void Close();

  std::uint64_t SamplesWritten() const { return samples_written_; }

 private:
  void WriteHeader(std::uint32_t data_bytes);

  std::FILE* file_;                    // open until Close
  int sample_rate_hz_;                 // of the samples
  int channels_;                       // 1, or 2 for stereo
  std::uint64_t samples_written_ = 0;  // so far
  bool failed_ = false;                // a write came up short
};

}  // namespace tolvik
