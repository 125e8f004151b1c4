#include "audio/input/RawPcmSource.h"

#include <algorithm>
#include <string>

#include "audio/input/InputError.h"
#include "audio/input/InputRateRange.h"
#include "audio/input/RewindableStream.h"
#include "base/BlockFormat.h"

namespace tolvik {

RawPcmSource::RawPcmSource(RewindableStream& stream, RawStreamFormat format) : stream_(stream) {
  if (format.Channels != 1 && format.Channels != 2) {
    throw InputError("a raw stream has 1 or 2 channels, not " + std::to_string(format.Channels));
  }
  if (!IsReadableInputRate(format.RateHz)) {
    throw InputError("a raw stream's rate must be from " + std::to_string(kLowestInputRateHz) +
                     " to " + std::to_string(kHighestInputRateHz) + " Hz, not " +
                     std::to_string(format.RateHz));
  }
  bytes_per_frame_ = kBytesPerSample * static_cast<std::size_t>(format.Channels);
  bytes_.resize(kChunkFrames * bytes_per_frame_);
  if (format.RateHz != kCaptureRateHz) {
    converter_ = std::make_unique<SampleRateConverter>(format.RateHz, kCaptureRateHz);
    converted_.resize(converter_->MaxOutputFor(kChunkFrames));
  }
}

RawPcmSource::~RawPcmSource() = default;

std::size_t RawPcmSource::ReadLeftChannel(std::size_t frames) {
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
    const unsigned char* left = &bytes_[frame * bytes_per_frame_];
    left_[frame] = static_cast<std::int16_t>(static_cast<std::uint16_t>(left[0] | (left[1] << 8)));
  }
  return whole_frames;
}

// Puts the next stretch of converted samples into converted_; false at the end.
bool RawPcmSource::Refill() {
  converted_start_ = 0;
  converted_end_ = 0;
  while (converted_end_ == 0) {
    if (!stream_ended_) {
      const std::size_t frames = ReadLeftChannel(kChunkFrames);
      converted_end_ =
          converter_->Process(std::span<const double>(left_.data(), frames), converted_);
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
  std::size_t written = 0;
  while (written < out.size()) {
    if (!converter_) {
      if (stream_ended_) {
        break;
      }
      const std::size_t frames = ReadLeftChannel(std::min(out.size() - written, kChunkFrames));
      std::copy_n(left_.begin(), frames, out.begin() + static_cast<std::ptrdiff_t>(written));
      written += frames;
      continue;
    }
    if (converted_start_ == converted_end_ && !Refill()) {
      break;
    }
    const std::size_t count = std::min(out.size() - written, converted_end_ - converted_start_);
    std::copy_n(converted_.begin() + static_cast<std::ptrdiff_t>(converted_start_), count,
                out.begin() + static_cast<std::ptrdiff_t>(written));
    converted_start_ += count;
    written += count;
  }
  return written;
}

}  // namespace tolvik
