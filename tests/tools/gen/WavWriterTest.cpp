#include "gen/WavWriter.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace tolvik {
namespace {

// A file in the test's own temporary folder, removed afterwards.
class WavWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("tolvik_wav_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  std::filesystem::path folder_;
};

struct ReadBack {
  SF_INFO info{};
  std::vector<short> samples;  // interleaved
};

ReadBack Read(const std::string& path) {
  ReadBack back;
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &back.info);
  if (file == nullptr) {
    ADD_FAILURE() << "cannot read " << path;
    return back;
  }
  back.samples.resize(static_cast<std::size_t>(back.info.frames * back.info.channels));
  sf_readf_short(file, back.samples.data(), back.info.frames);
  sf_close(file);
  return back;
}

std::vector<double> Ramp(std::size_t count) {
  std::vector<double> samples(count);
  for (std::size_t i = 0; i < count; ++i) {
    samples[i] = static_cast<double>(i % 2001) * 16.4 - 16000.0;
  }
  return samples;
}

TEST_F(WavWriterTest, MonoFileAt8000HzReadsBackSampleForSample) {
  // Longer than one write chunk, and not a multiple of it.
  const std::vector<double> samples = Ramp(20001);
  EXPECT_EQ(WriteWav(PathOf("mono.wav"), samples, 8000, 1), 0u);
  const ReadBack back = Read(PathOf("mono.wav"));
  EXPECT_EQ(back.info.samplerate, 8000);
  EXPECT_EQ(back.info.channels, 1);
  EXPECT_EQ(back.info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
  ASSERT_EQ(back.info.frames, 20001);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    ASSERT_EQ(back.samples[i], static_cast<short>(std::lround(samples[i]))) << i;
  }
}

TEST_F(WavWriterTest, StereoFileAt44100HzCarriesTheSignalOnBothChannelsAndCountsClips) {
  std::vector<double> samples = Ramp(10000);
  samples[10] = 40000.0;
  samples[20] = -32768.4;  // rounds to -32768: no clip
  samples[30] = -32768.6;
  samples[40] = 32767.4;
  EXPECT_EQ(WriteWav(PathOf("stereo.wav"), samples, 44100, 2), 2u);
  const ReadBack back = Read(PathOf("stereo.wav"));
  EXPECT_EQ(back.info.samplerate, 44100);
  EXPECT_EQ(back.info.channels, 2);
  ASSERT_EQ(back.info.frames, 10000);
  for (std::size_t i = 0; i < samples.size(); ++i) {
    ASSERT_EQ(back.samples[2 * i], back.samples[2 * i + 1]) << i;
  }
  EXPECT_EQ(back.samples[2 * 10], 32767);
  EXPECT_EQ(back.samples[2 * 20], -32768);
  EXPECT_EQ(back.samples[2 * 30], -32768);
  EXPECT_EQ(back.samples[2 * 40], 32767);
  EXPECT_EQ(CountClippedSamples(samples), 2u);
}

TEST_F(WavWriterTest, FilesThatCannotBeWrittenAreReportedNotIgnored) {
  const std::vector<double> samples(100, 0.0);
  EXPECT_THROW(WriteWav(PathOf("no/such/folder.wav"), samples, 8000, 1), std::runtime_error);
  EXPECT_THROW(WriteWav(PathOf("three.wav"), samples, 8000, 3), std::invalid_argument);
  EXPECT_THROW(WriteWav(PathOf("zero.wav"), samples, 0, 1), std::invalid_argument);
}

TEST_F(WavWriterTest, StreamedFileHasTheLengthItsHeaderStatedBeforeTheFirstSample) {
  const std::vector<double> samples = Ramp(3000);
  {
    WavStreamWriter writer(PathOf("streamed.wav"), 8000, 2, 3000);
    for (std::size_t start = 0; start < samples.size(); start += 1000)
      writer.Write(std::span<const double>(samples).subspan(start, 1000));
    writer.Finish();
  }
  // The canonical 44-byte header: raw readers strip exactly that.
  EXPECT_EQ(std::filesystem::file_size(PathOf("streamed.wav")), 44u + 3000 * 2 * 2);
  const ReadBack back = Read(PathOf("streamed.wav"));
  ASSERT_EQ(back.info.frames, 3000);
  EXPECT_EQ(back.samples[2 * 2999 + 1], static_cast<short>(std::lround(samples[2999])));
}

TEST_F(WavWriterTest, AStreamedFileMustHoldExactlyWhatItsHeaderSays) {
  const std::vector<double> samples(10, 0.0);
  WavStreamWriter short_of_it(PathOf("short.wav"), 8000, 1, 20);
  short_of_it.Write(samples);
  EXPECT_THROW(short_of_it.Finish(), std::runtime_error);
  WavStreamWriter beyond_it(PathOf("long.wav"), 8000, 1, 5);
  EXPECT_THROW(beyond_it.Write(samples), std::runtime_error);
  // A RIFF file's sizes are 32-bit: 4 GiB less the 36 bytes before the data.
  EXPECT_EQ(LargestWavFrames(1), (0xFFFFFFFFull - 36) / 2);
  EXPECT_EQ(LargestWavFrames(2), (0xFFFFFFFFull - 36) / 4);
  EXPECT_THROW(WavStreamWriter(PathOf("huge.wav"), 48000, 1, LargestWavFrames(1) + 1),
               std::invalid_argument);
}

}  // namespace
}  // namespace tolvik
