#include "audio/input/SoundFileHeader.h"

#include <cstring>
#include <string_view>

namespace tolvik {

namespace {

// A RIFF chunk header: four letters and a little-endian 32-bit size.
constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::size_t kRiffHeaderBytes = 12;   // "RIFF", size, "WAVE"
constexpr std::size_t kBlockAlignOffset = 12;  // in the fmt chunk's body
// Data sizes from here up (2 GiB less 1 MiB) stand for "length not known
// yet": writers that cannot seek back put 0x7FFFFFFF, 0xFFFFFFFF or the
// like there.
constexpr std::uint32_t kOpenLengthDataBytes = 0x7FF00000;

// .snd: the data offset is at least the 24 bytes of the header; encodings
// are numbered 1 to 27.
constexpr std::uint32_t kSmallestSndHeaderBytes = 24;
constexpr std::uint32_t kLargestSndEncoding = 27;
// FLAC: the first metadata block is the 34-byte STREAMINFO (type 0).
constexpr std::uint32_t kFlacStreamInfoBytes = 34;
// Ogg: stream structure version 0, and the first page opens a stream.
constexpr unsigned char kOggBeginningOfStream = 0x02;

bool Has(std::span<const unsigned char> bytes, std::size_t at, std::string_view letters) {
  return bytes.size() >= at + letters.size() &&
         std::memcmp(bytes.data() + at, letters.data(), letters.size()) == 0;
}

std::uint32_t LittleEndian32(std::span<const unsigned char> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

std::uint32_t BigEndian32(std::span<const unsigned char> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) << 24 |
         static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 8 | static_cast<std::uint32_t>(bytes[at + 3]);
}

bool IsWav(std::span<const unsigned char> b) {
  return (Has(b, 0, "RIFF") || Has(b, 0, "RF64")) && Has(b, 8, "WAVE");
}

bool IsAiff(std::span<const unsigned char> b) {
  return Has(b, 0, "FORM") && (Has(b, 8, "AIFF") || Has(b, 8, "AIFC"));
}

bool IsFlac(std::span<const unsigned char> b) {
  return Has(b, 0, "fLaC") && b.size() >= 8 && (b[4] & 0x7F) == 0 &&
         (BigEndian32(b, 4) & 0x00FFFFFF) == kFlacStreamInfoBytes;
}

bool IsOgg(std::span<const unsigned char> b) {
  return Has(b, 0, "OggS") && b.size() >= 6 && b[4] == 0 && b[5] == kOggBeginningOfStream;
}

bool IsSnd(std::span<const unsigned char> b) {
  if (!Has(b, 0, ".snd") || b.size() < 16) {
    return false;
  }
  const std::uint32_t encoding = BigEndian32(b, 12);
  return BigEndian32(b, 4) >= kSmallestSndHeaderBytes && encoding >= 1 &&
         encoding <= kLargestSndEncoding;
}

}  // namespace

bool LooksLikeSoundFile(std::span<const unsigned char> first_bytes) {
  return IsWav(first_bytes) || IsAiff(first_bytes) || IsFlac(first_bytes) || IsOgg(first_bytes) ||
         IsSnd(first_bytes);
}

std::optional<std::uint64_t> PromisedWavFrames(std::span<const unsigned char> head) {
  if (!Has(head, 0, "RIFF") || !Has(head, 8, "WAVE")) {
    return std::nullopt;
  }
  std::optional<std::uint32_t> block_align;
  std::size_t at = kRiffHeaderBytes;
  while (at + kChunkHeaderBytes <= head.size()) {
    const std::uint32_t size = LittleEndian32(head, at + 4);
    const std::size_t body = at + kChunkHeaderBytes;
    if (Has(head, at, "fmt ") && size >= kBlockAlignOffset + 2 &&
        body + kBlockAlignOffset + 2 <= head.size()) {
      block_align = head[body + kBlockAlignOffset] | head[body + kBlockAlignOffset + 1] << 8;
    }
    if (Has(head, at, "data")) {
      if (!block_align || *block_align == 0 || size == 0 || size >= kOpenLengthDataBytes) {
        return std::nullopt;
      }
      return size / *block_align;
    }
    // Chunks are padded to an even length.
    at = body + size + (size & 1U);
  }
  return std::nullopt;
}

}  // namespace tolvik
