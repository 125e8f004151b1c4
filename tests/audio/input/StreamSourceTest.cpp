// Input on a stream (standard input): sound files recognised by their
// header, raw samples otherwise, and files whose header promises more than
// they hold.

#include "audio/input/StreamSource.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

#include "audio/input/InputError.h"
#include "audio/input/RewindableStream.h"
#include "audio/input/SoundFileHeader.h"
#include "audio/input/SoundFileSource.h"

namespace tolvik {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

// A stream over bytes in memory: it reads like a pipe (Tolvik's streams
// never seek the FILE itself).
class MemoryStream {
 public:
  explicit MemoryStream(Bytes bytes) : bytes_(std::move(bytes)) {
    file_ = fmemopen(bytes_.empty() ? nullptr : bytes_.data(), bytes_.size(), "rb");
  }
  ~MemoryStream() { std::fclose(file_); }
  std::FILE* get() const { return file_; }

 private:
  Bytes bytes_;
  std::FILE* file_;
};

// Short ramps, distinct on each channel: any mix-up of channels or frames shows.
short LeftValue(int frame) {
  return static_cast<short>((frame * 7) % 20000 - 10000);
}
short RightValue(int frame) {
  return static_cast<short>(-LeftValue(frame) / 2);
}

class StreamSourceTest : public ::testing::Test {
 protected:
  fs::path dir =
      fs::temp_directory_path() /
      ("tolvik_stream_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());

  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  // A sound file of `frames` frames of the two ramps (the left one only when mono).
  Bytes SoundFile(int format, int rate, int channels, int frames) const {
    const fs::path path = dir / "file";
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<short> data;
    for (int j = 0; j < frames; ++j) {
      data.push_back(LeftValue(j));
      if (channels == 2)
        data.push_back(RightValue(j));
    }
    sf_writef_short(file, data.data(), frames);
    sf_close(file);
    return ReadBytes(path);
  }

  static Bytes ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }

  fs::path Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream out(dir / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return dir / name;
  }

  static std::vector<double> ReadAll(SampleSource& source) {
    std::vector<double> all;
    std::vector<double> chunk(1000);
    while (const std::size_t count = source.Read(chunk))
      all.insert(all.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(count));
    return all;
  }
};

// Raw little-endian 16-bit frames of the ramps.
Bytes RawFrames(int channels, int frames) {
  Bytes bytes;
  for (int j = 0; j < frames; ++j) {
    for (int c = 0; c < channels; ++c) {
      const auto value = static_cast<std::uint16_t>(c == 0 ? LeftValue(j) : RightValue(j));
      bytes.push_back(static_cast<unsigned char>(value & 0xFF));
      bytes.push_back(static_cast<unsigned char>(value >> 8));
    }
  }
  return bytes;
}

void ExpectLeftRamp(const std::vector<double>& samples, int frames) {
  ASSERT_EQ(samples.size(), static_cast<std::size_t>(frames));
  for (int j = 0; j < frames; ++j)
    ASSERT_EQ(samples[j], LeftValue(j)) << j;
}

TEST_F(StreamSourceTest, LosslessSoundFilesOnAStreamGiveTheirLeftChannelSampleForSample) {
  // 100000 frames: longer than the kept start of the stream, so the header
  // parser's look past the data chunk must be refused and the data still read.
  constexpr int kFrames = 100000;
  for (const int format : {SF_FORMAT_WAV | SF_FORMAT_PCM_16, SF_FORMAT_FLAC | SF_FORMAT_PCM_16,
                           SF_FORMAT_AIFF | SF_FORMAT_PCM_16, SF_FORMAT_AU | SF_FORMAT_PCM_16}) {
    SCOPED_TRACE(format);
    MemoryStream stream(SoundFile(format, 48000, 2, kFrames));
    StreamSource source(stream.get(), {});
    EXPECT_TRUE(source.IsSoundFile());
    ExpectLeftRamp(ReadAll(source), kFrames);
    EXPECT_FALSE(source.CutShort());
  }
}

TEST_F(StreamSourceTest, OggOnAStreamIsRecognisedAndKeepsItsTone) {
  constexpr int kRate = 48000;
  const fs::path path = dir / "tone.ogg";
  SF_INFO info{};
  info.samplerate = kRate;
  info.channels = 1;
  info.format = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
  SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
  ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
  std::vector<short> tone(kRate);
  for (int j = 0; j < kRate; ++j)
    tone[j] =
        static_cast<short>(std::lround(8000 * std::sin(2 * std::numbers::pi * 800 * j / kRate)));
  sf_writef_short(file, tone.data(), kRate);
  sf_close(file);

  MemoryStream stream(ReadBytes(path));
  StreamSource source(stream.get(), {});
  EXPECT_TRUE(source.IsSoundFile());
  const std::vector<double> samples = ReadAll(source);
  // Lossy: the length holds, and the middle stays near the tone.
  ASSERT_EQ(samples.size(), static_cast<std::size_t>(kRate));
  double error = 0;
  for (int j = kRate / 4; j < 3 * kRate / 4; ++j)
    error = std::max(error, std::abs(samples[j] - tone[j]));
  EXPECT_LT(error, 800);  // a tenth of the amplitude; measured about 30
}

TEST_F(StreamSourceTest, RawStereoAt48kHzIsTheDefault) {
  MemoryStream stream(RawFrames(2, 5000));
  StreamSource source(stream.get(), {});
  EXPECT_FALSE(source.IsSoundFile());
  ExpectLeftRamp(ReadAll(source), 5000);
}

TEST_F(StreamSourceTest, RawMonoAt24kHzIsConvertedTo48kHz) {
  // One second of a 1700 Hz tone, mono, 24000 Hz.
  constexpr int kRate = 24000;
  Bytes bytes;
  for (int j = 0; j < kRate; ++j) {
    const auto value = static_cast<std::uint16_t>(
        static_cast<short>(std::lround(10000 * std::sin(2 * std::numbers::pi * 1700 * j / kRate))));
    bytes.push_back(static_cast<unsigned char>(value & 0xFF));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
  }
  MemoryStream stream(bytes);
  StreamSource source(stream.get(), {kRate, 1});
  const std::vector<double> samples = ReadAll(source);
  EXPECT_NEAR(static_cast<double>(samples.size()), 48000.0, 4.0);  // the converter is drained
  // Zero crossings over the middle give the frequency: the rate was taken right.
  int first = -1, last = -1, crossings = 0;
  for (std::size_t i = 4801; i < samples.size() - 4800; ++i) {
    if (samples[i - 1] < 0 && samples[i] >= 0) {
      first = first < 0 ? static_cast<int>(i) : first;
      last = static_cast<int>(i);
      ++crossings;
    }
  }
  EXPECT_NEAR((crossings - 1) * 48000.0 / (last - first), 1700.0, 0.5);
}

TEST_F(StreamSourceTest, RawFormatsThatCannotBeReadAreRefused) {
  for (const RawStreamFormat format :
       {RawStreamFormat{48000, 3}, RawStreamFormat{999, 2}, RawStreamFormat{384001, 1}}) {
    MemoryStream stream(RawFrames(2, 10));
    EXPECT_THROW(StreamSource(stream.get(), format), InputError) << format.RateHz;
  }
  for (const int rate : {1000, 384000}) {
    MemoryStream stream(RawFrames(1, 10));
    EXPECT_NO_THROW(StreamSource(stream.get(), {rate, 1})) << rate;
  }
}

TEST_F(StreamSourceTest, AWellFormedStartFollowedByNoSoundFileSaysWhy) {
  using namespace std::string_literals;  // the start holds zero bytes
  const std::string start = "RIFF\x24\x00\x00\x00WAVEjunk and nothing more"s;
  MemoryStream stream(Bytes(start.begin(), start.end()));
  try {
    StreamSource source(stream.get(), {});
    FAIL();
  } catch (const InputError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("not an audio file that can be read (", 0), 0u);
  }
}

TEST_F(StreamSourceTest, RawSamplesThatBeginWithHeaderLettersStayRaw) {
  // Stereo frames whose first bytes spell a magic word, but not a
  // well-formed header after it.
  using namespace std::string_literals;  // the starts hold zero bytes
  for (const std::string& start :
       {"RIFF\x10\x00\x00\x00WAVX"s, "fLaC\x01\x00\x00\x22"s, "OggS\x01\x02"s,
        "FORM\x00\x00\x00\x10"
        "AIFX"s,
        ".snd\x00\x00\x00\x04\x00\x00\x00\x00\x00\x00\x00\x03"s}) {
    SCOPED_TRACE(start);
    Bytes bytes(start.begin(), start.end());
    bytes.resize(4 * 1000, 0);  // whole frames
    EXPECT_FALSE(LooksLikeSoundFile(bytes));
    MemoryStream stream(bytes);
    StreamSource source(stream.get(), {});
    EXPECT_FALSE(source.IsSoundFile());
    EXPECT_EQ(ReadAll(source).size(), 1000u);
  }
}

TEST_F(StreamSourceTest, EveryFormatsOwnHeaderIsRecognised) {
  for (const int format : {SF_FORMAT_WAV | SF_FORMAT_PCM_16, SF_FORMAT_FLAC | SF_FORMAT_PCM_16,
                           SF_FORMAT_AIFF | SF_FORMAT_PCM_16, SF_FORMAT_AU | SF_FORMAT_PCM_16,
                           SF_FORMAT_OGG | SF_FORMAT_VORBIS}) {
    SCOPED_TRACE(format);
    const Bytes bytes = SoundFile(format, 8000, 1, 800);
    EXPECT_TRUE(LooksLikeSoundFile(std::span(bytes).first(kSoundFileProbeBytes)));
  }
}

// A WAV file whose data chunk claims `factor` times the data it holds.
Bytes WithLyingHeader(Bytes wav, std::uint32_t factor) {
  // 16-bit PCM as libsndfile writes it: RIFF size at 4, data size at 40.
  auto put = [&](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
      wav[at + i] = static_cast<unsigned char>(value >> (8 * i));
  };
  const std::uint32_t data = static_cast<std::uint32_t>(wav.size() - 44);
  put(4, 36 + data * factor);
  put(40, data * factor);
  return wav;
}

TEST_F(StreamSourceTest, WavThatEndsBeforeItsHeaderSaysSoAndDeliversWhatItHolds) {
  const Bytes lying =
      WithLyingHeader(SoundFile(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 8000), 3);
  ASSERT_EQ(PromisedWavFrames(lying), 24000u);

  SoundFileSource file(Write("lying.wav", lying));
  EXPECT_EQ(ReadAll(file).size(), 48000u);  // 1 s at 8000 Hz, as 48 kHz
  ASSERT_TRUE(file.CutShort());
  EXPECT_DOUBLE_EQ(file.CutShort()->SecondsRead, 1.0);
  EXPECT_DOUBLE_EQ(file.CutShort()->SecondsPromised, 3.0);

  MemoryStream stream(lying);
  StreamSource piped(stream.get(), {});
  EXPECT_EQ(ReadAll(piped).size(), 48000u);
  ASSERT_TRUE(piped.CutShort());
  EXPECT_DOUBLE_EQ(piped.CutShort()->SecondsPromised, 3.0);
}

TEST_F(StreamSourceTest, HeadersThatLeaveTheLengthOpenPromiseNothing) {
  // Programs that write a WAV file to a pipe state 0 or a huge data size.
  const Bytes wav = SoundFile(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 800);
  EXPECT_EQ(PromisedWavFrames(wav), 800u);
  auto with_data_size = [&](std::uint32_t size) {
    Bytes bytes = wav;
    const std::array<unsigned char, 4> little_endian = {
        static_cast<unsigned char>(size), static_cast<unsigned char>(size >> 8),
        static_cast<unsigned char>(size >> 16), static_cast<unsigned char>(size >> 24)};
    std::copy(little_endian.begin(), little_endian.end(), bytes.begin() + 40);
    return bytes;
  };
  // libsndfile reads nothing of a data chunk of size 0; at least no
  // warning follows.
  EXPECT_EQ(PromisedWavFrames(with_data_size(0)), std::nullopt);
  for (const std::uint32_t open : {0x7FFFFFFFu, 0xFFFFFFFFu}) {
    const Bytes bytes = with_data_size(open);
    EXPECT_EQ(PromisedWavFrames(bytes), std::nullopt) << open;
    MemoryStream stream(bytes);
    StreamSource source(stream.get(), {});
    EXPECT_EQ(ReadAll(source).size(), 4800u);
    EXPECT_FALSE(source.CutShort());
  }
}

TEST_F(StreamSourceTest, BothChannelsOfRawAndSoundFileStreams) {
  for (const bool sound_file : {false, true}) {
    SCOPED_TRACE(sound_file ? "WAV" : "raw");
    MemoryStream stream(sound_file ? SoundFile(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2, 5000)
                                   : RawFrames(2, 5000));
    StreamSource source(stream.get(), {}, InputChannels::LeftAndRight);
    EXPECT_EQ(source.Channels(), InputChannels::LeftAndRight);
    const std::vector<double> samples = ReadAll(source);
    ASSERT_EQ(samples.size(), 10000u);
    for (int j = 0; j < 5000; ++j) {
      ASSERT_EQ(samples[2 * j], LeftValue(j)) << j;
      ASSERT_EQ(samples[2 * j + 1], RightValue(j)) << j;
    }
  }
}

TEST_F(StreamSourceTest, RawStereoAtAnotherRateStaysInStep) {
  // Converted together: as many right samples as left ones, the ramps kept
  // apart (the left one rises, the right one falls).
  MemoryStream stream(RawFrames(2, 24000));
  StreamSource source(stream.get(), {24000, 2}, InputChannels::LeftAndRight);
  const std::vector<double> samples = ReadAll(source);
  ASSERT_EQ(samples.size() % 2, 0u);
  EXPECT_NEAR(static_cast<double>(samples.size() / 2), 48000.0, 4.0);
  const std::size_t middle = samples.size() / 4 * 2;
  EXPECT_GT(samples[middle + 200], samples[middle]);
  EXPECT_LT(samples[middle + 201], samples[middle + 1]);
}

TEST_F(StreamSourceTest, MonoStreamsHaveNoRightChannel) {
  MemoryStream raw(RawFrames(1, 100));
  EXPECT_THROW(StreamSource(raw.get(), {48000, 1}, InputChannels::LeftAndRight), InputError);
  MemoryStream wav(SoundFile(SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 1, 100));
  EXPECT_THROW(StreamSource(wav.get(), {}, InputChannels::LeftAndRight), InputError);
}

TEST(RewindableStreamTest, GoesBackWithinItsKeptStartButNeverSkipsFarAhead) {
  Bytes bytes(RewindableStream::kKeptBytes * 2);
  for (std::size_t i = 0; i < bytes.size(); ++i)
    bytes[i] = static_cast<unsigned char>(i * 31 / 7);
  MemoryStream memory(bytes);
  RewindableStream stream(memory.get());
  std::vector<unsigned char> out(100);
  ASSERT_EQ(stream.Read(out), 100u);
  ASSERT_TRUE(stream.Seek(10));
  ASSERT_EQ(stream.Read(out), 100u);
  EXPECT_EQ(out[0], bytes[10]);
  EXPECT_EQ(stream.Position(), 110u);
  // Forward within the kept start: the bytes between are read and kept.
  ASSERT_TRUE(stream.Seek(5000));
  ASSERT_TRUE(stream.Seek(4000));
  ASSERT_EQ(stream.Read(out), 100u);
  EXPECT_EQ(out[0], bytes[4000]);
  // Past the kept start: refused, and the position stays.
  EXPECT_FALSE(stream.Seek(RewindableStream::kKeptBytes + 1));
  EXPECT_EQ(stream.Position(), 4100u);
  // Reading on crosses from the kept bytes into the stream.
  std::vector<unsigned char> rest(bytes.size());
  EXPECT_EQ(stream.Read(rest), bytes.size() - 4100);
  EXPECT_EQ(rest[0], bytes[4100]);
  EXPECT_EQ(rest[bytes.size() - 4101], bytes.back());
  // Behind the kept start, once read past it, there is no way back.
  EXPECT_FALSE(stream.Seek(RewindableStream::kKeptBytes + 10));
  EXPECT_TRUE(stream.Seek(0));
}

}  // namespace
}  // namespace tolvik
