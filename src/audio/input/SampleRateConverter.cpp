#include "audio/input/SampleRateConverter.h"

#include <soxr.h>

#include <cmath>
#include <stdexcept>
#include <string>

namespace tolvik {

namespace {
// Room for the converter's own rounding and internal buffering per call.
constexpr std::size_t kOutputSlackSamples = 64;
}  // namespace

SampleRateConverter::SampleRateConverter(double input_rate_hz, double output_rate_hz, int channels)
    : resampler_(nullptr),
      ratio_(output_rate_hz / input_rate_hz),
      channels_(static_cast<std::size_t>(channels)) {
  const soxr_io_spec_t io = soxr_io_spec(SOXR_FLOAT64_I, SOXR_FLOAT64_I);
  const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
  soxr_error_t error = nullptr;
  resampler_ = soxr_create(input_rate_hz, output_rate_hz, static_cast<unsigned>(channels), &error,
                           &io, &quality, nullptr);
  if (error != nullptr) {
    throw std::runtime_error(std::string("cannot convert the sample rate: ") + error);
  }
}

SampleRateConverter::~SampleRateConverter() {
  soxr_delete(resampler_);
}

std::size_t SampleRateConverter::MaxOutputFor(std::size_t input_samples) const {
  const std::size_t input_frames = input_samples / channels_;
  return (static_cast<std::size_t>(std::ceil(static_cast<double>(input_frames) * ratio_)) +
          kOutputSlackSamples) *
         channels_;
}

std::size_t SampleRateConverter::Process(std::span<const double> input, std::span<double> output) {
  // soxr counts frames; the spans hold samples.
  const std::size_t input_frames = input.size() / channels_;
  const std::size_t output_frames = output.size() / channels_;
  std::size_t consumed = 0;
  std::size_t produced = 0;
  // soxr may not take all input at once when the output space is tight;
  // keep offering the rest until it has all gone in.
  while (consumed < input_frames && produced < output_frames) {
    std::size_t input_done = 0;
    std::size_t output_done = 0;
    soxr_process(resampler_, input.data() + consumed * channels_, input_frames - consumed,
                 &input_done, output.data() + produced * channels_, output_frames - produced,
                 &output_done);
    consumed += input_done;
    produced += output_done;
    if (input_done == 0 && output_done == 0) {
      break;
    }
  }
  return produced * channels_;
}

std::size_t SampleRateConverter::Flush(std::span<double> output) {
  std::size_t output_done = 0;
  soxr_process(resampler_, nullptr, 0, nullptr, output.data(), output.size() / channels_,
               &output_done);
  return output_done * channels_;
}

}  // namespace tolvik
