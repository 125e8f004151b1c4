#pragma once

#include <array>
#include <cstdint>

#include "demod/ChannelTuning.h"

namespace tolvik {

// What the demodulator of the current mode leaves behind for the displays
// after each block: one value per working sample (480 in HF, 1200 in VHF),
// per decoder channel. Overwritten by every block; the spectrum strip and
// the eye pattern only read it, and only channel 0's.
struct DemodulatorTraces {
  static constexpr int kMaxWorkingSamples = 1200;
  using Trace = std::array<double, kMaxWorkingSamples>;

  int WorkingSamples = 0;  // samples of the last block: 480 (HF) or 1200 (VHF)
  std::array<Trace, kDecoderChannels> MixerOutput{};  // HF: after the mixer; VHF: decimated input
  std::array<Trace, kDecoderChannels> DiscriminatorOutput{};  // filtered deviation, units of 10 Hz
  std::array<std::array<std::uint8_t, kMaxWorkingSamples>, kDecoderChannels>
      BitMarks{};  // 1 where a bit was decided
};

}  // namespace tolvik
