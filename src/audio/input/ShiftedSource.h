#pragma once

#include "audio/input/SampleSource.h"
#include "demod/FrequencyShifter.h"

namespace tolvik {

// An input whose band around one centre frequency is moved to another
// before decoding.
class ShiftedSource final : public SampleSource {
 public:
  ShiftedSource(SampleSource& inner, double from_hz, double to_hz);

  std::size_t Read(std::span<double> out) override;
  std::optional<double> DurationSeconds() const override { return inner_.DurationSeconds(); }
  std::optional<CutShortInput> CutShort() const override { return inner_.CutShort(); }

 private:
  SampleSource& inner_;
  FrequencyShifter shifter_;
};

}  // namespace tolvik
