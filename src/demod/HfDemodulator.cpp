#include "demod/HfDemodulator.h"

#include <cmath>

namespace tolvik {

namespace {

bool IsDecoderChannel(int channel) {
  return channel >= 0 && channel < kDecoderChannels;
}

}  // namespace

HfDemodulator::ChannelState::ChannelState()
    : anti_alias(kHfAntiAliasCoefficients),
      band_pass(HfBandPassTable()),
      discriminator(kHfQuadratureTable, kHfReferencePhaseStep, SilentPhase::Zero),
      low_pass(HfLowPassTable()),
      clock(ClockResonator(kHfClockCentreHz, kHfClockBandwidthHz, kHfClockGain, kHfSamplingPeriodS),
            kHfClockDelayTap) {}

HfDemodulator::HfDemodulator(ChannelTunings& tunings, DemodulatorTraces& traces, BitSink& bits)
    : tunings_(tunings), traces_(traces), bits_(bits) {}

void HfDemodulator::DemodulateHf(int channel, std::span<double, kFramesPerBlock> samples) {
  if (!IsDecoderChannel(channel)) {
    return;
  }
  ChannelState& state = channels_[channel];
  ChannelTuning& tuning = tunings_[channel];

  for (double& sample : samples) {
    sample = state.anti_alias.Process(sample);
  }

  traces_.WorkingSamples = kHfWorkingSamplesPerBlock;
  for (int i = 0; i < kHfWorkingSamplesPerBlock; ++i) {
    // Working sample i is read from 10*i before it is written to i <= 10*i.
    const double decimated = samples[i * kHfDecimationFactor];
    samples[i] = decimated;

    const double mixed = Mix(state, tuning.TrackedCentre, decimated);
    traces_.MixerOutput[channel][i] = mixed;

    const double dev = state.discriminator.Process(state.band_pass.Process(mixed));
    const double y = state.low_pass.Process(dev);

    // The frequency dips at every bit transition; -|y| drives the resonator.
    const bool tick = state.clock.Process(-std::abs(y));
    if (tick) {
      // The bit sink may read FrequencyError and move TrackedCentre here, so
      // the estimate it sees does not yet include this tick.
      bits_.PushBit(channel, y < 0.0 ? 1 : 0);
      UpdateFrequencyError(state, tuning, y);
    }
    traces_.BitMarks[channel][i] = tick ? 1 : 0;
    traces_.DiscriminatorOutput[channel][i] = y * kHfDisplayScale;
  }
}

// Moves the tracked centre to 1700 Hz: the tones land at 1615 and 1785 Hz
// when on tune, with an image below 800 Hz that the band-pass removes.
double HfDemodulator::Mix(ChannelState& state, double tracked_centre, double x) {
  state.mixer_phase += (kReferenceFrequencyHz - tracked_centre) * kTwoPi * kHfSamplingPeriodS;
  if (state.mixer_phase >= kTwoPi) {
    state.mixer_phase -= kTwoPi;
  } else if (state.mixer_phase < 0.0) {
    // Only a tracked centre above 1700 Hz turns the phase backwards; keep it
    // bounded there too so that it never loses precision.
    state.mixer_phase += kTwoPi;
  }
  return x * std::cos(state.mixer_phase);
}

// Each tick measures how far the received tone sits from its nominal place,
// 85 Hz above or below the tracked centre; the estimate is the mean of the
// last 20 such measurements (zeros until 20 ticks have been seen).
void HfDemodulator::UpdateFrequencyError(ChannelState& state, ChannelTuning& tuning, double y) {
  double offset_hz = y * kHfWorkingRateHz / kTwoPi;
  offset_hz += offset_hz >= 0.0 ? -kHfNominalToneOffsetHz : kHfNominalToneOffsetHz;
  state.error_history.Push(offset_hz);
  double sum = 0.0;
  for (std::size_t k = 0; k < state.error_history.Size(); ++k) {
    sum += state.error_history[k];
  }
  tuning.FrequencyError = kHfFrequencyErrorWeight * sum;
}

}  // namespace tolvik
