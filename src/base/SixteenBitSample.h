#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tolvik {

// Rounds a sample in 16-bit units to the nearest integer (halves away from
// zero) and clips it to -32768..32767: how every generated or converted
// sample becomes the 16-bit PCM a sound card or a WAV file carries. A NaN,
// which has no nearest integer, becomes silence.
inline std::int16_t RoundToInt16(double x) {
  if (std::isnan(x)) {
    return 0;
  }
  constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
  constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
  return static_cast<std::int16_t>(std::clamp(std::round(x), kLowest, kHighest));
}

}  // namespace tolvik
