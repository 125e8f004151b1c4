#include "gen/WavWriter.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "base/SixteenBitSample.h"

namespace tolvik {

namespace {

constexpr const char* kStandardOutputName = "-";
constexpr int kBitsPerSample = 16;
constexpr std::uint64_t kBytesPerSample = 2;
constexpr std::uint16_t kPcmFormatTag = 1;
constexpr std::uint32_t kFmtChunkBytes = 16;
// What the RIFF size counts besides the data: "WAVE", the fmt chunk with
// its header, the data chunk's header.
constexpr std::uint64_t kRiffBytesBeforeData = 4 + 8 + kFmtChunkBytes + 8;
constexpr std::uint64_t kLargestRiffSize = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kHeaderBytes = 44;

bool Clips(double sample) {
  const double rounded = std::round(sample);
  return rounded < std::numeric_limits<std::int16_t>::min() ||
         rounded > std::numeric_limits<std::int16_t>::max();
}

void PutLittleEndian(unsigned char*& at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    *at++ = static_cast<unsigned char>(value >> (8 * i));
  }
}

void PutLetters(unsigned char*& at, const char* letters) {
  std::memcpy(at, letters, 4);
  at += 4;
}

std::array<unsigned char, kHeaderBytes> WavHeader(int sample_rate_hz, int channels,
                                                  std::uint64_t frames) {
  const auto block_align = static_cast<std::uint32_t>(channels * kBytesPerSample);
  const auto data_bytes = static_cast<std::uint32_t>(frames * block_align);
  std::array<unsigned char, kHeaderBytes> header{};
  unsigned char* at = header.data();
  PutLetters(at, "RIFF");
  PutLittleEndian(at, static_cast<std::uint32_t>(kRiffBytesBeforeData) + data_bytes, 4);
  PutLetters(at, "WAVE");
  PutLetters(at, "fmt ");
  PutLittleEndian(at, kFmtChunkBytes, 4);
  PutLittleEndian(at, kPcmFormatTag, 2);
  PutLittleEndian(at, static_cast<std::uint32_t>(channels), 2);
  PutLittleEndian(at, static_cast<std::uint32_t>(sample_rate_hz), 4);
  PutLittleEndian(at, static_cast<std::uint32_t>(sample_rate_hz) * block_align, 4);
  PutLittleEndian(at, block_align, 2);
  PutLittleEndian(at, kBitsPerSample, 2);
  PutLetters(at, "data");
  PutLittleEndian(at, data_bytes, 4);
  return header;
}

}  // namespace

std::size_t CountClippedSamples(std::span<const double> samples) {
  return static_cast<std::size_t>(std::count_if(samples.begin(), samples.end(), Clips));
}

std::uint64_t LargestWavFrames(int channels) {
  return (kLargestRiffSize - kRiffBytesBeforeData) /
         (static_cast<std::uint64_t>(channels) * kBytesPerSample);
}

WavStreamWriter::WavStreamWriter(const std::string& path, int sample_rate_hz, int channels,
                                 std::uint64_t frames)
    : path_(path), channels_(channels), frames_(frames) {
  if (channels != 1 && channels != 2) {
    throw std::invalid_argument("a WAV file here has 1 or 2 channels");
  }
  if (sample_rate_hz <= 0) {
    throw std::invalid_argument("a WAV file cannot hold a sample rate of " +
                                std::to_string(sample_rate_hz) + " Hz");
  }
  if (frames > LargestWavFrames(channels)) {
    throw std::invalid_argument("a WAV file holds at most " +
                                std::to_string(LargestWavFrames(channels)) + " frames of " +
                                std::to_string(channels) + " channel(s) (4 GiB)");
  }
  file_ = path == kStandardOutputName ? stdout : std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) {
    Fail("cannot write");
  }
  const auto header = WavHeader(sample_rate_hz, channels, frames);
  WriteBytes(header.data(), header.size());
}

WavStreamWriter::~WavStreamWriter() {
  if (file_ != nullptr && file_ != stdout) {
    std::fclose(file_);
  }
}

void WavStreamWriter::Fail(const std::string& what) const {
  throw std::runtime_error(what + " " + path_ + ": " + std::strerror(errno));
}

void WavStreamWriter::WriteBytes(const void* bytes, std::size_t count) {
  if (std::fwrite(bytes, 1, count, file_) != count) {
    Fail("cannot write");
  }
}

void WavStreamWriter::Write(std::span<const double> samples) {
  if (samples.size() > frames_ - frames_written_) {
    throw std::runtime_error("cannot write " + path_ + ": more samples than its header states");
  }
  bytes_.resize(samples.size() * static_cast<std::size_t>(channels_) * kBytesPerSample);
  unsigned char* at = bytes_.data();
  for (const double sample : samples) {
    clipped_ += Clips(sample) ? 1 : 0;
    const auto value = static_cast<std::uint16_t>(RoundToInt16(sample));
    for (int channel = 0; channel < channels_; ++channel) {
      PutLittleEndian(at, value, 2);
    }
  }
  WriteBytes(bytes_.data(), bytes_.size());
  frames_written_ += samples.size();
}

void WavStreamWriter::Finish() {
  if (frames_written_ != frames_) {
    throw std::runtime_error("cannot finish " + path_ + ": fewer samples than its header states");
  }
  std::FILE* file = file_;
  file_ = nullptr;
  const bool flushed = std::fflush(file) == 0;
  const bool closed = file == stdout || std::fclose(file) == 0;
  if (!flushed || !closed) {
    Fail("cannot finish");
  }
}

std::size_t WriteWav(const std::string& path, std::span<const double> samples, int sample_rate_hz,
                     int channels) {
  WavStreamWriter writer(path, sample_rate_hz, channels, samples.size());
  writer.Write(samples);
  writer.Finish();
  return writer.ClippedSamples();
}

}  // namespace tolvik
