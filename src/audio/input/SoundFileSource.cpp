#include "audio/input/SoundFileSource.h"

#include <sndfile.h>

#include <algorithm>
#include <string>

#include "audio/input/InputError.h"
#include "base/BlockFormat.h"

namespace tolvik {

namespace {
constexpr std::size_t kChunkFrames = 4096;
// libsndfile delivers samples scaled to -1..1; Tolvik works in 16-bit units.
constexpr double kSixteenBitScale = 32768.0;
}  // namespace

SoundFileSource::SoundFileSource(const std::filesystem::path& path) : file_(nullptr) {
  SF_INFO info{};
  file_ = sf_open(path.string().c_str(), SFM_READ, &info);
  if (file_ == nullptr) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
      throw InputError("no such file");
    }
    if (std::filesystem::is_directory(path, error)) {
      throw InputError("is a directory");
    }
    if (std::filesystem::file_size(path, error) == 0 && !error) {
      throw InputError("the file is empty");
    }
    throw InputError(std::string("not an audio file that can be read (") + sf_strerror(nullptr) +
                     ")");
  }
  file_rate_hz_ = info.samplerate;
  file_channels_ = info.channels;
  if (info.samplerate > 0 && info.frames >= 0) {
    duration_seconds_ = static_cast<double>(info.frames) / info.samplerate;
  }
  interleaved_.resize(kChunkFrames * static_cast<std::size_t>(file_channels_));
  left_.resize(kChunkFrames);
  if (file_rate_hz_ != kCaptureRateHz) {
    converter_ = std::make_unique<SampleRateConverter>(file_rate_hz_, kCaptureRateHz);
    pending_.resize(converter_->MaxOutputFor(kChunkFrames));
  } else {
    pending_.resize(kChunkFrames);
  }
}

SoundFileSource::~SoundFileSource() {
  sf_close(file_);
}

std::size_t SoundFileSource::Read(std::span<double> out) {
  std::size_t written = 0;
  while (written < out.size()) {
    if (pending_start_ == pending_end_ && !Refill()) {
      break;
    }
    const std::size_t count = std::min(out.size() - written, pending_end_ - pending_start_);
    std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(pending_start_), count,
                out.begin() + static_cast<std::ptrdiff_t>(written));
    pending_start_ += count;
    written += count;
  }
  return written;
}

std::size_t SoundFileSource::ReadLeftChannel() {
  const sf_count_t frames =
      sf_readf_double(file_, interleaved_.data(), static_cast<sf_count_t>(kChunkFrames));
  const auto count = static_cast<std::size_t>(std::max<sf_count_t>(frames, 0));
  for (std::size_t frame = 0; frame < count; ++frame) {
    left_[frame] =
        interleaved_[frame * static_cast<std::size_t>(file_channels_)] * kSixteenBitScale;
  }
  return count;
}

// Puts the next stretch of 48 kHz samples into pending_; false at the end.
bool SoundFileSource::Refill() {
  pending_start_ = 0;
  pending_end_ = 0;
  while (pending_end_ == 0) {
    if (!file_ended_) {
      const std::size_t frames = ReadLeftChannel();
      if (frames == 0) {
        file_ended_ = true;
        continue;
      }
      const std::span<const double> chunk(left_.data(), frames);
      if (converter_) {
        pending_end_ = converter_->Process(chunk, pending_);
      } else {
        std::copy(chunk.begin(), chunk.end(), pending_.begin());
        pending_end_ = frames;
      }
    } else if (converter_ && !drained_) {
      pending_end_ = converter_->Flush(pending_);
      drained_ = pending_end_ == 0;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace tolvik
