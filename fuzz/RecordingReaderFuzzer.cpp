// Arbitrary file bytes into the recording reader: as a file on disk (read
// by libsndfile from a path) or as a stream on standard input, where the
// header decides between a sound file and raw samples. Whatever the bytes,
// the reader either refuses them with an InputError or delivers blocks.
//
// Input: one byte of choices, then the file's bytes.
//   bit 0      read as a stream (from memory) instead of a file on disk
//   bits 1-3   the raw stream's rate, from kRawRates
//   bits 4-5   the raw stream's channels: 1, 2, or an unreadable 0 or 3

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>

#include "audio/input/InputBlockReader.h"
#include "audio/input/InputError.h"
#include "audio/input/SoundFileHeader.h"
#include "audio/input/SoundFileSource.h"
#include "audio/input/StreamSource.h"
#include "support/FuzzBytes.h"
#include "support/Require.h"
#include "support/TempFolder.h"

namespace {

using tolvik::fuzzing::Require;

// The rates a raw stream may be declared with on the command line span
// 1000 to 384000 Hz.
constexpr std::array<int, 8> kRawRates = {48000, 8000, 11025, 12000, 44100, 96000, 1000, 384000};
constexpr std::array<int, 4> kRawChannels = {2, 1, 0, 3};

// Enough blocks to pass every stage of the reader, the rate converter's
// start-up included, while an input that promises hours stays quick.
constexpr std::uint64_t kMostBlocksRead = 20;

void ReadBlocks(tolvik::SampleSource& source) {
  (void)source.DurationSeconds();
  tolvik::InputBlockReader reader(source);
  tolvik::InputBlockReader::Buffer block{};
  while (reader.BlocksRead() < kMostBlocksRead && reader.NextBlock(block)) {
  }
  if (reader.BlocksRead() < kMostBlocksRead) {
    if (const auto cut = source.CutShort()) {
      Require(cut->SecondsRead < cut->SecondsPromised);
    }
  }
}

void ReadFromStream(std::span<const std::uint8_t> bytes, tolvik::RawStreamFormat format) {
  // fmemopen takes no empty buffer; an empty stream is /dev/null's.
  std::FILE* stream = bytes.empty()
                          ? std::fopen("/dev/null", "rb")
                          : fmemopen(const_cast<std::uint8_t*>(bytes.data()), bytes.size(), "rb");
  if (stream == nullptr) {
    return;
  }
  try {
    tolvik::StreamSource source(stream, format);
    ReadBlocks(source);
  } catch (const tolvik::InputError&) {
  }
  std::fclose(stream);
}

void ReadFromFile(std::span<const std::uint8_t> bytes) {
  const auto path = tolvik::fuzzing::TempFolder::Write("recording", bytes);
  try {
    tolvik::SoundFileSource source(path);
    ReadBlocks(source);
  } catch (const tolvik::InputError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tolvik::fuzzing::FuzzBytes input(data, size);
  const std::uint8_t flags = input.Next();
  const auto bytes = input.Rest();

  const auto probe = bytes.first(std::min(bytes.size(), tolvik::kSoundFileProbeBytes));
  (void)tolvik::LooksLikeSoundFile(probe);
  (void)tolvik::PromisedWavFrames(bytes);

  if (tolvik::fuzzing::FlagSet(flags, 0)) {
    const tolvik::RawStreamFormat format{kRawRates[(flags >> 1) & 7],
                                         kRawChannels[(flags >> 4) & 3]};
    ReadFromStream(bytes, format);
  } else {
    ReadFromFile(bytes);
  }
  return 0;
}
