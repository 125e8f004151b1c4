#include "audio/input/SoundFileSource.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

#include "audio/input/InputBlockReader.h"
#include "audio/input/InputError.h"
#include "audio/input/RewindableStream.h"

namespace tolvik {
namespace {

namespace fs = std::filesystem;

class SoundFileSourceTest : public ::testing::Test {
 protected:
  fs::path dir =
      fs::temp_directory_path() /
      ("tolvik_sound_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
       ::testing::UnitTest::GetInstance()->current_test_info()->name());

  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  // Writes `frames` frames of 16-bit PCM WAV; channel c of frame j is value(j, c).
  template <typename Value>
  fs::path WriteWav(const char* name, int rate, int channels, int frames, Value value) {
    const fs::path path = dir / name;
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<short> data;
    for (int j = 0; j < frames; ++j) {
      for (int c = 0; c < channels; ++c)
        data.push_back(value(j, c));
    }
    sf_writef_short(file, data.data(), frames);
    sf_close(file);
    return path;
  }

  // Writes 32-bit float WAV samples as they are, not-a-number included.
  fs::path WriteFloatWav(const char* name, int rate, const std::vector<float>& samples) {
    const fs::path path = dir / name;
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    EXPECT_NE(file, nullptr) << sf_strerror(nullptr);
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
    return path;
  }

  static std::vector<double> ReadAll(SampleSource& source) {
    std::vector<double> all;
    std::vector<double> chunk(1000);
    while (const std::size_t count = source.Read(chunk)) {
      all.insert(all.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(count));
    }
    return all;
  }

  // Frequency of a sinusoid from its upward zero crossings.
  static double MeasureFrequency(const std::vector<double>& samples, double rate) {
    int first = -1, last = -1, crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
      if (samples[i - 1] < 0 && samples[i] >= 0) {
        if (first < 0)
          first = static_cast<int>(i);
        last = static_cast<int>(i);
        ++crossings;
      }
    }
    return (crossings - 1) * rate / (last - first);
  }
};

TEST_F(SoundFileSourceTest, StereoFileAt48kHzGivesTheLeftChannelSampleForSample) {
  const auto path = WriteWav("stereo.wav", 48000, 2, 10000, [](int j, int c) {
    return static_cast<short>(c == 0 ? j - 5000 : 1234);
  });
  SoundFileSource source(path);
  const auto samples = ReadAll(source);
  ASSERT_EQ(samples.size(), 10000u);
  for (int j = 0; j < 10000; ++j)
    ASSERT_EQ(samples[j], j - 5000) << j;
  EXPECT_NEAR(*source.DurationSeconds(), 10000 / 48000.0, 1e-12);
}

TEST_F(SoundFileSourceTest, OtherRatesAreConvertedTo48kHzKeepingFrequencyAndLength) {
  // One second of a 1700 Hz tone (the centre of SSB-received HF DSC) at the
  // rates recordings commonly come at.
  for (const int rate : {8000, 12000, 44100}) {
    SCOPED_TRACE(rate);
    const auto path = WriteWav("tone.wav", rate, 1, rate, [&](int j, int) {
      return static_cast<short>(
          std::lround(10000 * std::sin(2 * std::numbers::pi * 1700 * j / rate)));
    });
    SoundFileSource source(path);
    const auto samples = ReadAll(source);
    // The converter's delay is flushed, so the length matches within a few samples.
    EXPECT_NEAR(static_cast<double>(samples.size()), 48000.0, 4.0);
    const std::vector<double> middle(samples.begin() + 4800, samples.end() - 4800);
    EXPECT_NEAR(MeasureFrequency(middle, 48000), 1700.0, 0.5);
    double peak = 0;
    for (double v : middle)
      peak = std::max(peak, std::abs(v));
    EXPECT_NEAR(peak, 10000, 150);  // amplitude kept in 16-bit units
  }
}

TEST_F(SoundFileSourceTest, UnreadableInputsSayWhy) {
  std::ofstream(dir / "notes.txt") << "this is not audio, just some text\n";
  std::ofstream(dir / "empty.wav").close();
  EXPECT_THROW(SoundFileSource(dir / "notes.txt"), InputError);
  try {
    SoundFileSource source(dir / "missing.wav");
    FAIL();
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "no such file");
  }
  try {
    SoundFileSource source(dir / "empty.wav");
    FAIL();
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "the file is empty");
  }
}

// Found by fuzzing: a NaN sample reached the conversion to 16 bits, which is
// undefined for it. A NaN reads as silence, an infinity as full scale, and
// at another rate neither may spoil the converted samples around it.
TEST_F(SoundFileSourceTest, FloatSamplesThatAreNoNumbersReadAsSilenceOrFullScale) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<float> samples(4800, 0.25f);
  samples[10] = nan;
  samples[20] = inf;
  samples[30] = -inf;

  SoundFileSource at_48k(WriteFloatWav("odd-48k.wav", 48000, samples));
  const auto direct = ReadAll(at_48k);
  ASSERT_EQ(direct.size(), samples.size());
  EXPECT_EQ(direct[9], 8192.0);
  EXPECT_EQ(direct[10], 0.0);
  EXPECT_EQ(direct[20], 32768.0);
  EXPECT_EQ(direct[30], -32768.0);

  SoundFileSource at_8k(WriteFloatWav("odd-8k.wav", 8000, samples));
  const auto converted = ReadAll(at_8k);
  EXPECT_NEAR(static_cast<double>(converted.size()), 28800.0, 100.0);  // 0.6 s at 48 kHz
  for (const double sample : converted) {
    ASSERT_TRUE(std::isfinite(sample));
  }
  // Far from the odd samples the converted level is the file's own.
  EXPECT_NEAR(converted[converted.size() / 2], 8192.0, 1.0);
}

// Found by fuzzing: a header claiming 1 Hz made the reader ask for buffers
// of 1.5 GB to bring it up to 48 kHz. Rates outside 1000..384000 Hz are
// refused with the reason, from a file and from a stream alike.
TEST_F(SoundFileSourceTest, SampleRatesNoRecordingHasAreRefusedWithTheRate) {
  for (const int rate : {1, 999, 384001}) {
    const auto path = WriteWav("odd-rate.wav", rate, 1, 100, [](int, int) { return short{0}; });
    try {
      SoundFileSource source(path);
      FAIL() << rate;
    } catch (const InputError& error) {
      EXPECT_EQ(std::string(error.what()), "a sample rate of " + std::to_string(rate) +
                                               " Hz cannot be read (1000 to 384000 Hz)");
    }
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    ASSERT_NE(stream, nullptr);
    RewindableStream rewindable(stream);
    EXPECT_THROW(SoundFileSource{rewindable}, InputError) << rate;
    std::fclose(stream);
  }
  for (const int rate : {1000, 384000}) {
    const auto path = WriteWav("edge-rate.wav", rate, 1, 100, [](int, int) { return short{0}; });
    SoundFileSource source(path);
    EXPECT_EQ(source.FileRateHz(), rate);
  }
}

TEST_F(SoundFileSourceTest, BlockReaderPadsTheLastBlockAndPutsSilenceOnTheRight) {
  const auto path = WriteWav("short.wav", 48000, 1, 4800 + 10,
                             [](int j, int) { return static_cast<short>(j % 2 ? -300 : 300); });
  SoundFileSource source(path);
  InputBlockReader reader(source);
  InputBlockReader::Buffer buffer{};
  ASSERT_TRUE(reader.NextBlock(buffer));
  ASSERT_TRUE(reader.NextBlock(buffer));
  auto sample = [&](int frame, int channel) {
    const std::size_t at = (static_cast<std::size_t>(frame) * 2 + channel) * 2;
    return static_cast<std::int16_t>(std::to_integer<int>(buffer[at]) |
                                     (std::to_integer<int>(buffer[at + 1]) << 8));
  };
  EXPECT_EQ(sample(9, 0), -300);  // frame 4809 of the file
  EXPECT_EQ(sample(10, 0), 0);    // padding
  EXPECT_EQ(sample(4799, 0), 0);
  EXPECT_EQ(sample(9, 1), 0);
  EXPECT_FALSE(reader.NextBlock(buffer));
  EXPECT_EQ(reader.BlocksRead(), 2u);
  EXPECT_DOUBLE_EQ(reader.SecondsRead(), 0.2);
}

TEST_F(SoundFileSourceTest, BothChannelsComeInterleavedSampleForSample) {
  // Three channels: the first two are the left and the right.
  const auto path = WriteWav("three.wav", 48000, 3, 10000, [](int j, int c) {
    return static_cast<short>(c == 0 ? j - 5000 : c == 1 ? 3000 - j : 77);
  });
  SoundFileSource source(path, InputChannels::LeftAndRight);
  EXPECT_EQ(source.Channels(), InputChannels::LeftAndRight);
  // An odd number asked for still gives whole frames.
  std::vector<double> odd(7);
  ASSERT_EQ(source.Read(odd), 6u);
  const auto rest = ReadAll(source);
  ASSERT_EQ(rest.size(), 2u * 10000 - 6);
  std::vector<double> samples(odd.begin(), odd.begin() + 6);
  samples.insert(samples.end(), rest.begin(), rest.end());
  for (int j = 0; j < 10000; ++j) {
    ASSERT_EQ(samples[2 * j], j - 5000) << j;
    ASSERT_EQ(samples[2 * j + 1], 3000 - j) << j;
  }
}

TEST_F(SoundFileSourceTest, BothChannelsAtAnotherRateKeepTheirOwnTones) {
  // 1300 Hz left, 2100 Hz right at 44.1 kHz: converted together, neither
  // leaks into the other and the two stay the same length.
  constexpr int kRate = 44100;
  const auto path = WriteWav("tones.wav", kRate, 2, kRate, [&](int j, int c) {
    const double hz = c == 0 ? 1300.0 : 2100.0;
    return static_cast<short>(std::lround(10000 * std::sin(2 * std::numbers::pi * hz * j / kRate)));
  });
  SoundFileSource source(path, InputChannels::LeftAndRight);
  const auto samples = ReadAll(source);
  ASSERT_EQ(samples.size() % 2, 0u);
  EXPECT_NEAR(static_cast<double>(samples.size() / 2), 48000.0, 4.0);
  std::vector<double> left, right;
  for (std::size_t i = 4800; i + 4800 < samples.size() / 2; ++i) {
    left.push_back(samples[2 * i]);
    right.push_back(samples[2 * i + 1]);
  }
  EXPECT_NEAR(MeasureFrequency(left, 48000), 1300.0, 0.5);
  EXPECT_NEAR(MeasureFrequency(right, 48000), 2100.0, 0.5);
}

TEST_F(SoundFileSourceTest, MonoFileHasNoRightChannel) {
  const auto path = WriteWav("mono.wav", 48000, 1, 100, [](int, int) { return short{5}; });
  try {
    SoundFileSource source(path, InputChannels::LeftAndRight);
    FAIL();
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(), "the recording is mono: it has no right channel");
  }
  EXPECT_NO_THROW(SoundFileSource(path, InputChannels::Left));
}

TEST_F(SoundFileSourceTest, BlockReaderPutsBothChannelsOfAStereoSourceInPlace) {
  const auto path = WriteWav("stereo.wav", 48000, 2, 4800 + 10, [](int j, int c) {
    return static_cast<short>(c == 0 ? j % 1000 : -(j % 1000));
  });
  SoundFileSource source(path, InputChannels::LeftAndRight);
  InputBlockReader reader(source);
  InputBlockReader::Buffer buffer{};
  auto sample = [&](int frame, int channel) {
    const std::size_t at = (static_cast<std::size_t>(frame) * 2 + channel) * 2;
    return static_cast<std::int16_t>(std::to_integer<int>(buffer[at]) |
                                     (std::to_integer<int>(buffer[at + 1]) << 8));
  };
  ASSERT_TRUE(reader.NextBlock(buffer));
  EXPECT_EQ(sample(999, 0), 999);
  EXPECT_EQ(sample(999, 1), -999);
  EXPECT_EQ(sample(4799, 0), 799);
  EXPECT_EQ(sample(4799, 1), -799);
  ASSERT_TRUE(reader.NextBlock(buffer));
  EXPECT_EQ(sample(9, 0), 809);  // frame 4809 of the file
  EXPECT_EQ(sample(9, 1), -809);
  EXPECT_EQ(sample(10, 0), 0);  // padding
  EXPECT_EQ(sample(10, 1), 0);
  EXPECT_FALSE(reader.NextBlock(buffer));
}

}  // namespace
}  // namespace tolvik
