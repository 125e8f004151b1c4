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
      quadrature(kVhfQuadratureTable),
      discriminator(kVhfReferencePhaseStep, SilentPhase::HoldPrevious),
      low_pass(VhfLowPassTable()),
      clock(ClockResonator(kVhfClockCentreHz, kVhfClockBandwidthHz, kVhfClockGain,
                           kVhfSamplingPeriodS),
            kVhfClockDelayTap) {}

VhfDemodulator::VhfDemodulator(DemodulatorTraces& traces, BitSink& bits)
    : traces_(traces), bits_(bits) {}

// Nothing a decision does feeds back into the filters here (there is no
// mixer to retune), so each stage runs over the whole block before the next.
void VhfDemodulator::DemodulateVhf(int channel, std::span<double, kFramesPerBlock> samples) {
  if (!IsDecoderChannel(channel)) {
    return;
  }
  ChannelState& state = channels_[channel];
  for (double& sample : samples) {
    sample = state.anti_alias.Process(sample);
  }
  traces_.WorkingSamples = kVhfWorkingSamplesPerBlock;
  for (std::size_t i = 0; i < kWorkingSamples; ++i) {
    decimated_[i] = samples[i * kVhfDecimationFactor];
    traces_.MixerOutput[channel][i] = decimated_[i];
  }
  const std::span<double> band_passed = samples.first(kWorkingSamples);
  state.band_pass.Process(decimated_, band_passed);
  state.quadrature.Process(band_passed, quadrature_);
  Discriminate(state, quadrature_);
  state.low_pass.Process(deviation_, filtered_);
  DecideBits(channel, state, filtered_);
}

void VhfDemodulator::Discriminate(ChannelState& state, std::span<const double> quadrature) {
  constexpr std::size_t kCentreDelay = (kQuadratureTaps - 1) / 2;
  for (std::size_t i = 0; i < kWorkingSamples; ++i) {
    const double in_phase = state.quadrature.Delayed(i, kCentreDelay);
    // Scaled to units of 10 Hz before the low-pass, so its output is the display value.
    deviation_[i] = state.discriminator.Process(in_phase, quadrature[i]) * kVhfDisplayScale;
  }
}

void VhfDemodulator::DecideBits(int channel, ChannelState& state,
                                std::span<const double> deviation) {
  for (std::size_t i = 0; i < kWorkingSamples; ++i) {
    const double y = deviation[i];
    traces_.DiscriminatorOutput[channel][i] = y;
    // The deviation dips at every bit transition; |y| drives the resonator.
    const bool tick = state.clock.Process(std::abs(y));
    if (tick) {
      bits_.PushBit(channel, y < 0.0 ? 1 : 0);
    }
    traces_.BitMarks[channel][i] = tick ? 1 : 0;
  }
}

}  // namespace tolvik
