#include "audio/input/RawPcmSource.h"

#include <algorithm>
#include <string>

#include "audio/input/InputError.h"
#include "audio/input/InputRateRange.h"
#include "audio/input/RewindableStream.h"
#include "base/BlockFormat.h"

namespace tolvik {

RawPcmSource::RawPcmSource(RewindableStream& stream, RawStreamFormat format, InputChannels channels)
    : stream_(stream),
      channels_(channels),
      frame_samples_(static_cast<std::size_t>(SamplesPerFrame(channels))) {
  if (format.Channels != 1 && format.Channels != 2) {
    throw InputError("a raw stream has 1 or 2 channels, not " + std::to_string(format.Channels));
  }
  if (static_cast<std::size_t>(format.Channels) < frame_samples_) {
    throw InputError("a raw stream of 1 channel has no right channel");
  }
  if (!IsReadableInputRate(format.RateHz)) {
    throw InputError("a raw stream's rate must be from " + ReadableInputRatesText() + ", not " +
                     std::to_string(format.RateHz));
  }
  bytes_per_frame_ = kBytesPerSample * static_cast<std::size_t>(format.Channels);
  bytes_.resize(kChunkFrames * bytes_per_frame_);
  if (format.RateHz != kCaptureRateHz) {
    converter_ = std::make_unique<SampleRateConverter>(format.RateHz, kCaptureRateHz,
                                                       static_cast<int>(frame_samples_));
    converted_.resize(converter_->MaxOutputFor(kChunkFrames * frame_samples_));
  }
}

RawPcmSource::~RawPcmSource() = default;

std::size_t RawPcmSource::ReadChannels(std::size_t frames) {
  // A pipe delivers what it has; keep reading until the request is whole or
  // the stream has ended, so that frames are never split.
  const std::size_t wanted = frames * bytes_per_frame_;
  std::size_t got = 0;
  while (got < wanted) {
    const std::size_t count = stream_.Read(std::span(bytes_).subspan(got, wanted - got));
    if (count == 0) {
      stream_ended_ = true;
      break;
    }
    got += count;
  }
  const std::size_t whole_frames = got / bytes_per_frame_;
  for (std::size_t frame = 0; frame < whole_frames; ++frame) {
    for (std::size_t channel = 0; channel < frame_samples_; ++channel) {
      const unsigned char* sample = &bytes_[frame * bytes_per_frame_ + channel * kBytesPerSample];
      picked_[frame * frame_samples_ + channel] =
          static_cast<std::int16_t>(static_cast<std::uint16_t>(sample[0] | (sample[1] << 8)));
    }
  }
  return whole_frames;
}

// Puts the next stretch of converted samples into converted_; false at the end.
bool RawPcmSource::Refill() {
  converted_start_ = 0;
  converted_end_ = 0;
  while (converted_end_ == 0) {
    if (!stream_ended_) {
      const std::size_t frames = ReadChannels(kChunkFrames);
      converted_end_ = converter_->Process(
          std::span<const double>(picked_.data(), frames * frame_samples_), converted_);
    } else if (!drained_) {
      converted_end_ = converter_->Flush(converted_);
      drained_ = converted_end_ == 0;
    } else {
      return false;
    }
  }
  return true;
}

std::size_t RawPcmSource::Read(std::span<double> out) {
  // Whole frames only: converted_ holds whole frames too.
  const std::size_t wanted = out.size() - out.size() % frame_samples_;
  std::size_t written = 0;
  while (written < wanted) {
    if (!converter_) {
      if (stream_ended_) {
        break;
      }
      const std::size_t frames =
          ReadChannels(std::min((wanted - written) / frame_samples_, kChunkFrames));
      std::copy_n(picked_.begin(), frames * frame_samples_,
                  out.begin() + static_cast<std::ptrdiff_t>(written));
      written += frames * frame_samples_;
      continue;
    }
    if (converted_start_ == converted_end_ && !Refill()) {
      break;
    }
    const std::size_t count = std::min(wanted - written, converted_end_ - converted_start_);
    std::copy_n(converted_.begin() + static_cast<std::ptrdiff_t>(converted_start_), count,
                out.begin() + static_cast<std::ptrdiff_t>(written));
    converted_start_ += count;
    written += count;
  }
  return written;
}

}  // namespace tolvik
