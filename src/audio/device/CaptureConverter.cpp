#include "audio/device/CaptureConverter.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/BlockFormat.h"
#include "base/SixteenBitSample.h"

namespace tolvik {

namespace {

constexpr double kInt16FullScale = 32768.0;
constexpr double kInt32ToInt16 = 1.0 / 65536.0;
constexpr int kUInt8Zero = 128;
constexpr double kUInt8ToInt16 = 256.0;

std::size_t BytesPerSample(SampleEncoding encoding) {
  switch (encoding) {
    case SampleEncoding::UInt8:
      return 1;
    case SampleEncoding::Int16:
      return 2;
    case SampleEncoding::Int32:
    case SampleEncoding::Float32:
      return 4;
  }
  return 2;
}

}  // namespace

CaptureConverter::CaptureConverter(DeviceAudioFormat format)
    : format_(format),
      device_bytes_per_sample_(BytesPerSample(format.Encoding)),
      device_bytes_per_frame_(device_bytes_per_sample_ *
                              static_cast<std::size_t>(std::max(format.Channels, 1))) {
  for (int side = 0; side < kChannelsPerFrame; ++side) {
    device_samples_[side].resize(kChunkFrames);
    if (format_.RateHz != kCaptureRateHz) {
      resamplers_[side] = std::make_unique<SampleRateConverter>(format_.RateHz, kCaptureRateHz);
      capture_samples_[side].resize(resamplers_[side]->MaxOutputFor(kChunkFrames));
    } else {
      capture_samples_[side].resize(kChunkFrames);
    }
  }
  output_bytes_.resize(capture_samples_[0].size() * kChannelsPerFrame * kBytesPerSample);
  partial_frame_.reserve(device_bytes_per_frame_);
}

void CaptureConverter::Convert(std::span<const std::byte> piece, const Output& output) {
  if (!partial_frame_.empty()) {
    const std::size_t missing = device_bytes_per_frame_ - partial_frame_.size();
    const std::size_t taken = std::min(missing, piece.size());
    partial_frame_.insert(partial_frame_.end(), piece.begin(), piece.begin() + taken);
    piece = piece.subspan(taken);
    if (partial_frame_.size() < device_bytes_per_frame_) {
      return;
    }
    ConvertWholeFrames(partial_frame_, output);
    partial_frame_.clear();
  }
  const std::size_t whole = piece.size() / device_bytes_per_frame_ * device_bytes_per_frame_;
  ConvertWholeFrames(piece.first(whole), output);
  const auto rest = piece.subspan(whole);
  partial_frame_.insert(partial_frame_.end(), rest.begin(), rest.end());
}

void CaptureConverter::ConvertWholeFrames(std::span<const std::byte> frames, const Output& output) {
  const std::size_t chunk_bytes = kChunkFrames * device_bytes_per_frame_;
  while (!frames.empty()) {
    const auto chunk = frames.first(std::min(chunk_bytes, frames.size()));
    frames = frames.subspan(chunk.size());
    const std::size_t count = chunk.size() / device_bytes_per_frame_;
    const int right_channel = format_.Channels >= 2 ? 1 : 0;  // mono goes to both sides
    for (std::size_t frame = 0; frame < count; ++frame) {
      const std::byte* start = chunk.data() + frame * device_bytes_per_frame_;
      device_samples_[0][frame] = SampleAt(start, 0);
      device_samples_[1][frame] = SampleAt(start, right_channel);
    }
    std::size_t produced = count;
    for (int side = 0; side < kChannelsPerFrame; ++side) {
      if (resamplers_[side]) {
        produced = resamplers_[side]->Process(
            std::span<const double>(device_samples_[side]).first(count), capture_samples_[side]);
      } else {
        std::copy_n(device_samples_[side].begin(), count, capture_samples_[side].begin());
      }
    }
    Emit(produced, output);
  }
}

double CaptureConverter::SampleAt(const std::byte* frame, int channel) const {
  const std::byte* sample = frame + static_cast<std::size_t>(channel) * device_bytes_per_sample_;
  switch (format_.Encoding) {
    case SampleEncoding::UInt8:
      return (std::to_integer<int>(sample[0]) - kUInt8Zero) * kUInt8ToInt16;
    case SampleEncoding::Int16: {
      std::int16_t value;
      std::memcpy(&value, sample, sizeof value);
      return value;
    }
    case SampleEncoding::Int32: {
      std::int32_t value;
      std::memcpy(&value, sample, sizeof value);
      return value * kInt32ToInt16;
    }
    case SampleEncoding::Float32: {
      float value;
      std::memcpy(&value, sample, sizeof value);
      return value * kInt16FullScale;
    }
  }
  return 0.0;
}

void CaptureConverter::Emit(std::size_t frames, const Output& output) {
  for (std::size_t frame = 0; frame < frames; ++frame) {
    for (int side = 0; side < kChannelsPerFrame; ++side) {
      const auto value = static_cast<std::uint16_t>(RoundToInt16(capture_samples_[side][frame]));
      std::byte* out = &output_bytes_[(frame * kChannelsPerFrame + side) * kBytesPerSample];
      out[0] = static_cast<std::byte>(value & 0xFF);
      out[1] = static_cast<std::byte>(value >> 8);
    }
  }
  if (frames > 0) {
    output(std::span<const std::byte>(output_bytes_)
               .first(frames * kChannelsPerFrame * kBytesPerSample));
  }
}

}  // namespace tolvik
