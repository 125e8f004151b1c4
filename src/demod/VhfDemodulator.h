#pragma once

#include <array>
#include <span>

#include "base/BlockFormat.h"
#include "demod/AntiAliasFilter.h"
#include "demod/BitSink.h"
#include "demod/BlockFirFilter.h"
#include "demod/ChannelTuning.h"
#include "demod/ClockTickDetector.h"
#include "demod/DecoderParameters.h"
#include "demod/DemodulatorTraces.h"
#include "demod/FirTables.h"
#include "demod/PhaseDiscriminator.h"

namespace tolvik {

// Demodulates VHF DSC: 1200 bit/s audio FSK, 1300 Hz for bit 1 and 2100 Hz
// for bit 0, measured against a fixed 1700 Hz centre. Same plan as the HF
// demodulator without the mixer and without a frequency-error estimate; it
// never touches the channel tunings.
//
// All filter states are per channel, start at zero and carry on from block to
// block; they are never reset, and nothing else touches them while the HF
// demodulator runs.
class VhfDemodulator {
 public:
  VhfDemodulator(DemodulatorTraces& traces, BitSink& bits);

  // Filters and decimates `samples` in place (the band-passed working sample i
  // ends up at samples[i]). A channel index outside 0..1 is ignored.
  void DemodulateVhf(int channel, std::span<double, kFramesPerBlock> samples);

  // The block last demodulated after the anti-alias filter and decimation,
  // before the band-pass: 1200 working samples at 12 kHz, valid until the
  // next call of DemodulateVhf. The enhanced decoder reads its input here.
  std::span<const double, kVhfWorkingSamplesPerBlock> DecimatedSamples() const {
    return decimated_;
  }

 private:
  using WorkingBlock = std::array<double, kVhfWorkingSamplesPerBlock>;
  static constexpr std::size_t kWorkingSamples = kVhfWorkingSamplesPerBlock;

  struct ChannelState {
    ChannelState();

    AntiAliasFilter anti_alias;  // 48 kHz low-pass ahead of decimation
    BlockFirFilter<kVhfBandPassTaps, kWorkingSamples> band_pass;     // 1000..2400 Hz
    BlockFirFilter<kQuadratureTaps, kWorkingSamples, 2> quadrature;  // Hilbert: Q of each sample
    PhaseDiscriminator discriminator;                           // frequency offset from 1700 Hz
    BlockFirFilter<kVhfLowPassTaps, kWorkingSamples> low_pass;  // post-detection, edge 700 Hz
    ClockTickDetector<kVhfClockDelayLength> clock;  // 1200 Hz resonator and its delay line
  };

  void Discriminate(ChannelState& state, std::span<const double> quadrature);
  void DecideBits(int channel, ChannelState& state, std::span<const double> deviation);

  DemodulatorTraces& traces_;                            // per-block output for the displays
  BitSink& bits_;                                        // receives every decided bit
  std::array<ChannelState, kDecoderChannels> channels_;  // filter states per channel
  WorkingBlock decimated_{};   // this block's working samples, before the band-pass
  WorkingBlock quadrature_{};  // the Hilbert filter's output
  WorkingBlock deviation_{};   // frequency offset in units of 10 Hz, before the low-pass
  WorkingBlock filtered_{};    // and after it
};

}  // namespace tolvik
