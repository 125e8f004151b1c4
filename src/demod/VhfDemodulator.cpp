#include "demod/VhfDemodulator.h"

#include <cmath>

namespace tolvik {

namespace {

bool IsDecoderChannel(int channel) {
  return channel >= 0 && channel < kDecoderChannels;
}

}  // namespace

VhfDemodulator::ChannelState::ChannelState()
    : anti_alias(kVhfAntiAliasCoefficients),
      band_pass(VhfBandPassTable()),
      discriminator(kVhfQuadratureTable, kVhfReferencePhaseStep, SilentPhase::HoldPrevious),
      low_pass(VhfLowPassTable()),
      clock(ClockResonator(kVhfClockCentreHz, kVhfClockBandwidthHz, kVhfClockGain,
                           kVhfSamplingPeriodS),
            kVhfClockDelayTap) {}

VhfDemodulator::VhfDemodulator(DemodulatorTraces& traces, BitSink& bits)
    : traces_(traces), bits_(bits) {}

void VhfDemodulator::DemodulateVhf(int channel, std::span<double, kFramesPerBlock> samples) {
  if (!IsDecoderChannel(channel)) {
    return;
  }
  ChannelState& state = channels_[channel];

  for (double& sample : samples) {
    sample = state.anti_alias.Process(sample);
  }

  traces_.WorkingSamples = kVhfWorkingSamplesPerBlock;
  for (int i = 0; i < kVhfWorkingSamplesPerBlock; ++i) {
    // Working sample i is read from 4*i before it is written to i <= 4*i.
    const double decimated = samples[i * kVhfDecimationFactor];
    traces_.MixerOutput[channel][i] = decimated;

    const double filtered = state.band_pass.Process(decimated);
    samples[i] = filtered;

    // Scaled to units of 10 Hz before the low-pass, so y is the display value.
    const double dev = state.discriminator.Process(filtered) * kVhfDisplayScale;
    const double y = state.low_pass.Process(dev);
    traces_.DiscriminatorOutput[channel][i] = y;

    // The deviation dips at every bit transition; |y| drives the resonator.
    const bool tick = state.clock.Process(std::abs(y));
    if (tick) {
      bits_.PushBit(channel, y < 0.0 ? 1 : 0);
    }
    traces_.BitMarks[i] = tick ? 1 : 0;
  }
}

}  // namespace tolvik
