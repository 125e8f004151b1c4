#include "audio/input/ShiftedSource.h"

#include <algorithm>

#include "base/BlockFormat.h"

namespace tolvik {

ShiftedSource::ShiftedSource(SampleSource& inner, double from_hz, double to_hz)
    : inner_(inner),
      shifters_{FrequencyShifter(from_hz, to_hz, kCaptureRateHz),
                FrequencyShifter(from_hz, to_hz, kCaptureRateHz)} {}

std::size_t ShiftedSource::Read(std::span<double> out) {
  const std::size_t count = inner_.Read(out);
  if (inner_.Channels() == InputChannels::Left) {
    shifters_[0].Process(out.first(count));
  } else {
    ShiftFrames(out.first(count));
  }
  return count;
}

// Interleaved left and right: each channel through its own shifter, a piece
// at a time.
void ShiftedSource::ShiftFrames(std::span<double> frames) {
  constexpr std::size_t kChannels = 2;
  for (std::size_t start = 0; start < frames.size(); start += kPieceFrames * kChannels) {
    const std::size_t count = std::min(kPieceFrames, (frames.size() - start) / kChannels);
    for (std::size_t channel = 0; channel < kChannels; ++channel) {
      for (std::size_t i = 0; i < count; ++i) {
        piece_[i] = frames[start + i * kChannels + channel];
      }
      shifters_[channel].Process(std::span(piece_).first(count));
      for (std::size_t i = 0; i < count; ++i) {
        frames[start + i * kChannels + channel] = piece_[i];
      }
    }
  }
}

}  // namespace tolvik
