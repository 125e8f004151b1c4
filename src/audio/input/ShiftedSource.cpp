#include "audio/input/ShiftedSource.h"

#include "base/BlockFormat.h"

namespace tolvik {

ShiftedSource::ShiftedSource(SampleSource& inner, double from_hz, double to_hz)
    : inner_(inner), shifter_(from_hz, to_hz, kCaptureRateHz) {}

std::size_t ShiftedSource::Read(std::span<double> out) {
  const std::size_t count = inner_.Read(out);
  shifter_.Process(out.first(count));
  return count;
}

}  // namespace tolvik
