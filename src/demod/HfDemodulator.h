#pragma once

#include <array>
#include <span>

#include "base/BlockFormat.h"
#include "demod/AntiAliasFilter.h"
#include "demod/BitSink.h"
#include "demod/ChannelTuning.h"
#include "demod/ClockTickDetector.h"
#include "demod/DecoderParameters.h"
#include "demod/DelayLine.h"
#include "demod/DemodulatorTraces.h"
#include "demod/FirFilter.h"
#include "demod/FirTables.h"
#include "demod/QuadratureDiscriminator.h"

namespace tolvik {

// Demodulates HF/MF DSC: 100 bit/s FSK, tones 85 Hz above (bit 0) and below
// (bit 1) the channel's tracked centre. Per block it low-passes and decimates
// the audio to 4800 Hz, mixes the tracked centre up to 1700 Hz, band-passes,
// measures the instantaneous frequency, low-passes it, regenerates the bit
// clock and hands one bit per clock tick to the bit sink. On the way it keeps
// the channel's FrequencyError up to date and fills the display traces.
//
// All filter states are per channel, start at zero and carry on from block to
// block; they are never reset, and nothing else touches them while the VHF
// demodulator runs.
class HfDemodulator {
 public:
  HfDemodulator(ChannelTunings& tunings, DemodulatorTraces& traces, BitSink& bits);

  // Filters and decimates `samples` in place (working sample i ends up at
  // samples[i]). Reads the channel's TrackedCentre at every working sample, so
  // a change made by the bit sink inside PushBit applies from the next one.
  // A channel index outside 0..1 is ignored.
  void DemodulateHf(int channel, std::span<double, kFramesPerBlock> samples);

  // The mixer's current phase in radians, in [0, 2*pi); for diagnostics.
  double MixerPhase(int channel) const { return channels_.at(channel).mixer_phase; }

 private:
  struct ChannelState {
    ChannelState();

    AntiAliasFilter anti_alias;                    // 48 kHz low-pass ahead of decimation
    double mixer_phase = 0.0;                      // radians, kept in [0, 2*pi)
    FirFilter<kHfBandPassTaps> band_pass;          // 1550..1850 Hz, removes the mixer's image
    QuadratureDiscriminator discriminator;         // frequency offset from 1700 Hz
    FirFilter<kHfLowPassTaps> low_pass;            // post-detection, edge 65 Hz
    ClockTickDetector<kHfClockDelayLength> clock;  // 100 Hz resonator and its delay line
    DelayLine<kHfFrequencyErrorHistoryLength> error_history;  // Hz, offset at recent ticks
  };

  static double Mix(ChannelState& state, double tracked_centre, double x);
  static void UpdateFrequencyError(ChannelState& state, ChannelTuning& tuning, double y);

  ChannelTunings& tunings_;                              // centres and frequency error per channel
  DemodulatorTraces& traces_;                            // per-block output for the displays
  BitSink& bits_;                                        // receives every decided bit
  std::array<ChannelState, kDecoderChannels> channels_;  // filter states per channel
};

}  // namespace tolvik
