#pragma once

#include <string>

namespace tolvik {

// The sample rates an input may have. Below 1000 Hz no DSC tone fits, and
// bringing such a rate up to 48 kHz would take buffers 48 times the input's
// own; above 384 kHz no sound card records.
inline constexpr int kLowestInputRateHz = 1000;
inline constexpr int kHighestInputRateHz = 384000;

constexpr bool IsReadableInputRate(int rate_hz) {
  return rate_hz >= kLowestInputRateHz && rate_hz <= kHighestInputRateHz;
}

// "1000 to 384000 Hz", for messages about a rate outside them.
inline std::string ReadableInputRatesText() {
  return std::to_string(kLowestInputRateHz) + " to " + std::to_string(kHighestInputRateHz) + " Hz";
}

}  // namespace tolvik
