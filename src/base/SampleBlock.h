#pragma once

#include <array>

#include "base/BlockFormat.h"

namespace tolvik {

// One block of captured audio as doubles, one array per channel (0 left,
// 1 right). The values are the signed 16-bit samples unscaled, -32768 to
// 32767. One instance lives for the whole program; the demodulators filter
// and decimate each decoded channel in place, so after demodulation it no
// longer holds raw samples.
struct SampleBlock {
  std::array<std::array<double, kFramesPerBlock>, kChannelsPerFrame> Channels{};
};

}  // namespace tolvik
