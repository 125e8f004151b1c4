#pragma once

#include <array>

#include "audio/input/SampleSource.h"
#include "demod/FrequencyShifter.h"

namespace tolvik {

// An input whose band around one centre frequency is moved to another
// before decoding, on each channel it delivers.
class ShiftedSource final : public SampleSource {
 public:
  ShiftedSource(SampleSource& inner, double from_hz, double to_hz);

  std::size_t Read(std::span<double> out) override;
  std::optional<double> DurationSeconds() const override { return inner_.DurationSeconds(); }
  std::optional<CutShortInput> CutShort() const override { return inner_.CutShort(); }
  InputChannels Channels() const override { return inner_.Channels(); }

 private:
  static constexpr std::size_t kPieceFrames = 1024;  // shifted at once, per channel

  void ShiftFrames(std::span<double> frames);

  SampleSource& inner_;
  std::array<FrequencyShifter, 2> shifters_;  // left, right
  std::array<double, kPieceFrames> piece_{};  // one channel of frames being shifted
};

}  // namespace tolvik
