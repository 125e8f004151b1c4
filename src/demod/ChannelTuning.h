#pragma once

#include <array>

namespace tolvik {

// Decoder state is dimensioned for two channels: channel 0 decodes the left
// input channel, channel 1 the right one when it is asked for.
inline constexpr int kDecoderChannels = 2;

// The HF centre frequencies of one decoder channel, shared between the HF
// demodulator and the symbol synchroniser.
struct ChannelTuning {
  double CentreFrequency = 800.0;  // Hz, the user's centre: DecFc x 10
  double TrackedCentre = 800.0;    // Hz, the centre the HF mixer uses; moved by AFC at phasing
  double FrequencyError = 0.0;     // Hz, the received tone pair's offset above TrackedCentre
};

using ChannelTunings = std::array<ChannelTuning, kDecoderChannels>;

}  // namespace tolvik
