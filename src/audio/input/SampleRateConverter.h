#pragma once

#include <cstddef>
#include <span>

struct soxr;

namespace tolvik {

// Streams samples of one channel, or frames of several interleaved, from
// any rate to another (libsoxr, high quality). Feed input in pieces with
// Process, then call Flush until it returns 0 to drain the converter's
// delay. Counts are of samples, always whole frames.
class SampleRateConverter {
 public:
  SampleRateConverter(double input_rate_hz, double output_rate_hz, int channels = 1);
  ~SampleRateConverter();
  SampleRateConverter(const SampleRateConverter&) = delete;
  SampleRateConverter& operator=(const SampleRateConverter&) = delete;

  // Converts `input` (all of it is consumed) and returns how many samples
  // were written to `output`. `output` must hold at least
  // MaxOutputFor(input.size()) samples.
  std::size_t Process(std::span<const double> input, std::span<double> output);

  // Drains what the converter still holds; returns 0 once it is empty.
  std::size_t Flush(std::span<double> output);

  std::size_t MaxOutputFor(std::size_t input_samples) const;

 private:
  soxr* resampler_;       // the libsoxr stream
  double ratio_;          // output rate / input rate
  std::size_t channels_;  // samples per frame
};

}  // namespace tolvik
