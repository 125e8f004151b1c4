#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "audio/input/SampleRateConverter.h"

namespace tolvik {

// How a device encodes one sample.
enum class SampleEncoding {
  UInt8,    // unsigned 8-bit, 128 is zero
  Int16,    // signed 16-bit little-endian
  Int32,    // signed 32-bit little-endian
  Float32,  // 32-bit float, -1..1
};

// What a capture device delivers when it cannot deliver 48000 Hz, 16-bit
// stereo itself.
struct DeviceAudioFormat {
  int RateHz = 48000;
  int Channels = 2;
  SampleEncoding Encoding = SampleEncoding::Int16;
};

// Turns a device's own audio (any rate, one or more channels, any of the
// usual encodings) into 48000 Hz, 16-bit stereo, so the rest of the program
// sees one format. A mono device's channel goes to both sides; of more than
// two channels the first two are kept. Pieces may end inside a frame: the
// rest of the frame is kept for the next piece.
class CaptureConverter {
 public:
  using Output = std::function<void(std::span<const std::byte>)>;

  explicit CaptureConverter(DeviceAudioFormat format);

  // Converts a piece of device audio; hands the converted bytes to `output`
  // (possibly in several parts, possibly none yet).
  void Convert(std::span<const std::byte> piece, const Output& output);

  std::size_t DeviceBytesPerFrame() const { return device_bytes_per_frame_; }

 private:
  static constexpr std::size_t kChunkFrames = 1024;  // device frames converted at once

  void ConvertWholeFrames(std::span<const std::byte> frames, const Output& output);
  double SampleAt(const std::byte* frame, int channel) const;
  void Emit(std::size_t frames, const Output& output);

  DeviceAudioFormat format_;
  std::size_t device_bytes_per_sample_;
  std::size_t device_bytes_per_frame_;
  std::array<std::unique_ptr<SampleRateConverter>, 2> resamplers_;  // none at 48 kHz
  std::array<std::vector<double>, 2> device_samples_;               // one chunk, per side
  std::array<std::vector<double>, 2> capture_samples_;              // the same at 48 kHz
  std::vector<std::byte> output_bytes_;                             // interleaved 16-bit
  std::vector<std::byte> partial_frame_;                            // start of a split frame
};

}  // namespace tolvik
