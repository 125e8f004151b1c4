#include "MonoWavFile.h"

#include <array>
#include <stdexcept>
#include <vector>

#include "base/SixteenBitSample.h"

namespace tolvik {

namespace {

constexpr int kHeaderBytes = 44;
constexpr int kBytesPerSample = 2;
// The data chunk's size field is 32 bits, and the RIFF size adds the header.
constexpr std::uint64_t kLargestDataBytes = 0xFFFFFFFFull - kHeaderBytes;

void PutLittleEndian(std::uint8_t* out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

}  // namespace

MonoWavFile::MonoWavFile(const std::string& path, int sample_rate_hz, int channels)
    : file_(std::fopen(path.c_str(), "wb")), sample_rate_hz_(sample_rate_hz), channels_(channels) {
  if (file_ == nullptr) {
    throw std::runtime_error("cannot create " + path);
  }
  WriteHeader(0);
}

MonoWavFile::~MonoWavFile() {
  if (file_ != nullptr) {
    try {
      Close();
    } catch (const std::runtime_error&) {
      // Nothing more can be done for a file being abandoned.
    }
  }
}

void MonoWavFile::Append(std::span<const double> samples) {
  if ((samples_written_ + samples.size()) * kBytesPerSample > kLargestDataBytes) {
    throw std::runtime_error("WAV file would exceed 4 GB");
  }
  std::vector<std::uint8_t> bytes(samples.size() * kBytesPerSample);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    const auto value = static_cast<std::uint16_t>(RoundToInt16(samples[i]));
    PutLittleEndian(&bytes[i * kBytesPerSample], value, kBytesPerSample);
  }
  failed_ |= std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size();
  samples_written_ += samples.size();
}

void MonoWavFile::Close() {
  if (file_ == nullptr) {
    return;
  }
  const auto data_bytes = static_cast<std::uint32_t>(samples_written_ * kBytesPerSample);
  failed_ |= std::fseek(file_, 0, SEEK_SET) != 0;
  WriteHeader(data_bytes);
  failed_ |= std::fclose(file_) != 0;
  file_ = nullptr;
  if (failed_) {
    throw std::runtime_error("WAV file could not be written in full");
  }
}

void MonoWavFile::WriteHeader(std::uint32_t data_bytes) {
  std::array<std::uint8_t, kHeaderBytes> header{};
  auto text = [&](int at, const char* four) {
    for (int i = 0; i < 4; ++i) {
      header[static_cast<std::size_t>(at + i)] = static_cast<std::uint8_t>(four[i]);
    }
  };
  auto number = [&](int at, std::uint32_t value, int bytes) {
    PutLittleEndian(&header[static_cast<std::size_t>(at)], value, bytes);
  };
  const auto rate = static_cast<std::uint32_t>(sample_rate_hz_);
  const auto frame_bytes = static_cast<std::uint32_t>(channels_ * kBytesPerSample);
  text(0, "RIFF");
  number(4, data_bytes + kHeaderBytes - 8, 4);
  text(8, "WAVE");
  text(12, "fmt ");
  number(16, 16, 4);  // size of the format chunk
  number(20, 1, 2);   // integer PCM
  number(22, static_cast<std::uint32_t>(channels_), 2);
  number(24, rate, 4);                // frames per second
  number(28, rate * frame_bytes, 4);  // bytes per second
  number(32, frame_bytes, 2);         // bytes per frame
  number(34, 16, 2);                  // bits per sample
  text(36, "data");
  number(40, data_bytes, 4);
  failed_ |= std::fwrite(header.data(), 1, header.size(), file_) != header.size();
}

}  // namespace tolvik
