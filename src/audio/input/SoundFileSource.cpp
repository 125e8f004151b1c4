#include "audio/input/SoundFileSource.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

#include "audio/input/InputError.h"
#include "audio/input/InputRateRange.h"
#include "audio/input/RewindableStream.h"
#include "audio/input/SoundFileHeader.h"
#include "base/BlockFormat.h"

namespace tolvik {

namespace {
constexpr std::size_t kChunkFrames = 4096;
// libsndfile delivers samples scaled to -1..1; Tolvik works in 16-bit units.
constexpr double kSixteenBitScale = 32768.0;
// Enough of a file's start to hold the header of any WAV file in practice.
constexpr std::size_t kHeaderBytes = 4096;
// libsndfile's frame count for a stream whose length it cannot know is
// near SF_COUNT_MAX; a real count stays far below this (a year at 384 kHz).
constexpr std::int64_t kLargestRealFrameCount = std::int64_t{1} << 44;

std::string UnreadableReason() {
  return std::string("not an audio file that can be read (") + sf_strerror(nullptr) + ")";
}

std::vector<unsigned char> ReadHead(const std::filesystem::path& path) {
  std::vector<unsigned char> head(kHeaderBytes);
  std::ifstream file(path, std::ios::binary);
  file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
  return head;
}

// A floating-point file may hold samples that are not numbers at all. A NaN
// is taken as silence and an infinity as full scale, before the rate
// converter, where a single one would spread over its whole filter length.
double FiniteSample(double sample) {
  if (std::isnan(sample)) {
    return 0.0;
  }
  if (std::isinf(sample)) {
    return std::copysign(1.0, sample);
  }
  return sample;
}

// libsndfile reads a stream through these; the stream's length is unknown.
sf_count_t StreamLength(void*) {
  return SF_COUNT_MAX;
}

sf_count_t StreamSeek(sf_count_t offset, int whence, void* user) {
  auto& stream = *static_cast<RewindableStream*>(user);
  const auto base = whence == SEEK_CUR ? static_cast<sf_count_t>(stream.Position()) : 0;
  if (whence == SEEK_END || base + offset < 0 ||
      !stream.Seek(static_cast<std::uint64_t>(base + offset))) {
    return -1;
  }
  return static_cast<sf_count_t>(stream.Position());
}

sf_count_t StreamRead(void* out, sf_count_t count, void* user) {
  auto& stream = *static_cast<RewindableStream*>(user);
  return static_cast<sf_count_t>(stream.Read(
      std::span<unsigned char>(static_cast<unsigned char*>(out), static_cast<std::size_t>(count))));
}

sf_count_t StreamWrite(const void*, sf_count_t, void*) {
  return 0;
}

sf_count_t StreamTell(void* user) {
  return static_cast<sf_count_t>(static_cast<RewindableStream*>(user)->Position());
}

}  // namespace

SoundFileSource::SoundFileSource(const std::filesystem::path& path, InputChannels channels)
    : channels_(channels), frame_samples_(static_cast<std::size_t>(SamplesPerFrame(channels))) {
  SF_INFO info{};
  file_.reset(sf_open(path.string().c_str(), SFM_READ, &info));
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
    throw InputError(UnreadableReason());
  }
  SetUp(info, ReadHead(path));
}

SoundFileSource::SoundFileSource(RewindableStream& stream, InputChannels channels)
    : channels_(channels), frame_samples_(static_cast<std::size_t>(SamplesPerFrame(channels))) {
  static SF_VIRTUAL_IO stream_io{StreamLength, StreamSeek, StreamRead, StreamWrite, StreamTell};
  SF_INFO info{};
  file_.reset(sf_open_virtual(&stream_io, SFM_READ, &info, &stream));
  if (file_ == nullptr) {
    throw InputError(UnreadableReason());
  }
  SetUp(info, stream.KeptStart());
}

void SoundFileSource::SetUp(const SF_INFO& info, std::span<const unsigned char> head) {
  if (!IsReadableInputRate(info.samplerate)) {
    throw InputError("a sample rate of " + std::to_string(info.samplerate) +
                     " Hz cannot be read (" + ReadableInputRatesText() + ")");
  }
  file_rate_hz_ = info.samplerate;
  file_channels_ = info.channels;
  if (static_cast<std::size_t>(file_channels_) < frame_samples_) {
    throw InputError("the recording is mono: it has no right channel");
  }
  const bool known_length = info.frames > 0 && info.frames < kLargestRealFrameCount;
  if (known_length || info.frames == 0) {
    duration_seconds_ = static_cast<double>(info.frames) / info.samplerate;
  }
  // libsndfile cuts a WAV file's length to what the file holds; the
  // header's own promise is read from it directly.
  const bool wav = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV;
  if (wav) {
    promised_frames_ = PromisedWavFrames(head);
  } else if (known_length) {
    promised_frames_ = static_cast<std::uint64_t>(info.frames);
  }
  interleaved_.resize(kChunkFrames * static_cast<std::size_t>(file_channels_));
  picked_.resize(kChunkFrames * frame_samples_);
  if (file_rate_hz_ != kCaptureRateHz) {
    converter_ = std::make_unique<SampleRateConverter>(file_rate_hz_, kCaptureRateHz,
                                                       static_cast<int>(frame_samples_));
    pending_.resize(converter_->MaxOutputFor(picked_.size()));
  } else {
    pending_.resize(picked_.size());
  }
}

std::optional<CutShortInput> SoundFileSource::CutShort() const {
  if (!file_ended_ || !promised_frames_ || frames_read_ >= *promised_frames_) {
    return std::nullopt;
  }
  return CutShortInput{static_cast<double>(frames_read_) / file_rate_hz_,
                       static_cast<double>(*promised_frames_) / file_rate_hz_};
}

void SoundFileSource::SoundFileCloser::operator()(SNDFILE* file) const {
  sf_close(file);
}

std::size_t SoundFileSource::Read(std::span<double> out) {
  // pending_ holds whole frames, so whole frames are copied.
  const std::size_t wanted = out.size() - out.size() % frame_samples_;
  std::size_t written = 0;
  while (written < wanted) {
    if (pending_start_ == pending_end_ && !Refill()) {
      break;
    }
    const std::size_t count = std::min(wanted - written, pending_end_ - pending_start_);
    std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(pending_start_), count,
                out.begin() + static_cast<std::ptrdiff_t>(written));
    pending_start_ += count;
    written += count;
  }
  return written;
}

// Reads the next chunk; returns how many frames it held.
std::size_t SoundFileSource::ReadChannels() {
  const sf_count_t frames =
      sf_readf_double(file_.get(), interleaved_.data(), static_cast<sf_count_t>(kChunkFrames));
  const auto count = static_cast<std::size_t>(std::max<sf_count_t>(frames, 0));
  frames_read_ += count;
  const auto file_channels = static_cast<std::size_t>(file_channels_);
  for (std::size_t frame = 0; frame < count; ++frame) {
    for (std::size_t channel = 0; channel < frame_samples_; ++channel) {
      picked_[frame * frame_samples_ + channel] =
          FiniteSample(interleaved_[frame * file_channels + channel]) * kSixteenBitScale;
    }
  }
  return count;
}

// Puts the next stretch of 48 kHz samples into pending_; false at the end.
bool SoundFileSource::Refill() {
  pending_start_ = 0;
  pending_end_ = 0;
  while (pending_end_ == 0) {
    if (!file_ended_) {
      const std::size_t frames = ReadChannels();
      if (frames == 0) {
        file_ended_ = true;
        continue;
      }
      const std::span<const double> chunk(picked_.data(), frames * frame_samples_);
      if (converter_) {
        pending_end_ = converter_->Process(chunk, pending_);
      } else {
        std::copy(chunk.begin(), chunk.end(), pending_.begin());
        pending_end_ = chunk.size();
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
