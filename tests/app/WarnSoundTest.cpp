// data/warn.wav as the alert player needs it: 16-bit PCM in a format every
// sound server takes, a few seconds long, and ending in silence, since Qt's
// sound player cuts about the last 150 ms of a file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace tolvik {
namespace {

constexpr std::uint16_t kPcmFormat = 1;

struct WavFile {
  std::uint16_t format = 0;
  std::uint16_t channels = 0;
  std::uint32_t frames_per_second = 0;
  std::uint16_t bits_per_sample = 0;
  std::vector<std::int16_t> samples;  // interleaved
};

std::uint32_t LittleEndian(const std::string& bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  }
  return value;
}

// The format and samples of a RIFF WAVE file; nothing when it is none.
std::optional<WavFile> ReadWav(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
    return std::nullopt;
  }
  WavFile wav;
  bool has_data = false;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id = bytes.substr(at, 4);
    const std::size_t size = LittleEndian(bytes, at + 4, 4);
    const std::size_t body = at + 8;
    if (body + size > bytes.size()) {
      return std::nullopt;
    }
    if (id == "fmt " && size >= 16) {
      wav.format = LittleEndian(bytes, body, 2);
      wav.channels = LittleEndian(bytes, body + 2, 2);
      wav.frames_per_second = LittleEndian(bytes, body + 4, 4);
      wav.bits_per_sample = LittleEndian(bytes, body + 14, 2);
    } else if (id == "data") {
      for (std::size_t i = 0; i + 1 < size; i += 2) {
        wav.samples.push_back(static_cast<std::int16_t>(LittleEndian(bytes, body + i, 2)));
      }
      has_data = true;
    }
    at = body + size + size % 2;  // chunks are padded to even sizes
  }
  return has_data ? std::optional<WavFile>(wav) : std::nullopt;
}

class WarnSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* data = std::getenv("TOLVIK_TEST_DATA");
    ASSERT_NE(data, nullptr);
    wav_ = ReadWav(std::filesystem::path(data) / "warn.wav");
    ASSERT_TRUE(wav_.has_value());
    ASSERT_TRUE(wav_->channels == 1 || wav_->channels == 2);
  }

  double Seconds(std::size_t samples) const {
    return static_cast<double>(samples) / wav_->channels / wav_->frames_per_second;
  }

  std::optional<WavFile> wav_;
};

TEST_F(WarnSoundTest, IsSixteenBitPcmAtACommonRate) {
  EXPECT_EQ(wav_->format, kPcmFormat);
  EXPECT_EQ(wav_->bits_per_sample, 16);
  EXPECT_TRUE(wav_->frames_per_second == 48000 || wav_->frames_per_second == 44100)
      << wav_->frames_per_second;
  EXPECT_EQ(wav_->samples.size() % wav_->channels, 0u);
}

TEST_F(WarnSoundTest, AnAlarmOfAFewSecondsThatEndsInSilence) {
  const std::vector<std::int16_t>& samples = wav_->samples;
  const auto last_sound =
      std::find_if(samples.rbegin(), samples.rend(), [](std::int16_t s) { return s != 0; });
  ASSERT_NE(last_sound, samples.rend()) << "no sound at all";
  const std::size_t sound_samples = static_cast<std::size_t>(samples.rend() - last_sound);
  const double silence_s = Seconds(samples.size() - sound_samples);
  // Twice the ~150 ms the player cuts is meant; at least 250 ms keeps every
  // bit of the alarm clear of the cut, and more than 400 ms would only delay
  // the next alert's sound.
  EXPECT_GE(silence_s, 0.25);
  EXPECT_LE(silence_s, 0.4);
  // "A few seconds": long enough to be noticed, short enough not to stand in
  // the way of the next alert.
  EXPECT_GE(Seconds(sound_samples), 1.0);
  EXPECT_LE(Seconds(samples.size()), 5.0);
  // Loud enough to be heard over a receiver's noise (a quarter of full scale
  // at least) without clipping.
  const auto [lowest, highest] = std::minmax_element(samples.begin(), samples.end());
  EXPECT_GE(std::max(-static_cast<int>(*lowest), static_cast<int>(*highest)), 8192);
  EXPECT_GT(*lowest, -32768);
  EXPECT_LT(*highest, 32767);
}

}  // namespace
}  // namespace tolvik
