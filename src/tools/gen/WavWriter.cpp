#include "gen/WavWriter.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <stdexcept>
#include <vector>

#include "base/SixteenBitSample.h"

namespace tolvik {

namespace {

constexpr std::size_t kFramesPerWrite = 8192;

struct SndfileCloser {
  void operator()(SNDFILE* file) const { sf_close(file); }
};

bool Clips(double sample) {
  const double rounded = std::round(sample);
  return rounded < std::numeric_limits<std::int16_t>::min() ||
         rounded > std::numeric_limits<std::int16_t>::max();
}

}  // namespace

std::size_t CountClippedSamples(std::span<const double> samples) {
  return static_cast<std::size_t>(std::count_if(samples.begin(), samples.end(), Clips));
}

std::size_t WriteWav(const std::string& path, std::span<const double> samples, int sample_rate_hz,
                     int channels) {
  if (channels != 1 && channels != 2) {
    throw std::invalid_argument("a WAV file here has 1 or 2 channels");
  }
  SF_INFO info{};
  info.samplerate = sample_rate_hz;
  info.channels = channels;
  info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
  if (sample_rate_hz <= 0 || !sf_format_check(&info)) {
    throw std::invalid_argument("a WAV file cannot hold a sample rate of " +
                                std::to_string(sample_rate_hz) + " Hz");
  }
  std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open(path.c_str(), SFM_WRITE, &info));
  if (!file) {
    throw std::runtime_error("cannot write " + path + ": " + sf_strerror(nullptr));
  }
  std::vector<short> frames;
  frames.reserve(kFramesPerWrite * static_cast<std::size_t>(channels));
  for (std::size_t start = 0; start < samples.size(); start += kFramesPerWrite) {
    const std::size_t count = std::min(kFramesPerWrite, samples.size() - start);
    frames.clear();
    for (std::size_t i = 0; i < count; ++i) {
      frames.insert(frames.end(), static_cast<std::size_t>(channels),
                    RoundToInt16(samples[start + i]));
    }
    const auto written = sf_writef_short(file.get(), frames.data(), static_cast<sf_count_t>(count));
    if (written != static_cast<sf_count_t>(count)) {
      throw std::runtime_error("cannot write " + path + ": " + sf_strerror(file.get()));
    }
  }
  // Closing writes the header's final sizes; a failure there is a failure
  // to write the file.
  if (sf_close(file.release()) != 0) {
    throw std::runtime_error("cannot finish " + path);
  }
  return CountClippedSamples(samples);
}

}  // namespace tolvik
