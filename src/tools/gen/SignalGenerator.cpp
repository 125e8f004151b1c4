#include "gen/SignalGenerator.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "demod/DecoderParameters.h"
#include "demod/FskModulator.h"
#include "dsc/DscEncoder.h"
#include "gen/GaussianNoise.h"
#include "gen/SignalStream.h"

namespace tolvik {

namespace {

constexpr double kPartsPerMillion = 1e-6;
// Longest signal made in memory: 800 MB of samples, over half an hour at
// 48 kHz. Far longer requests are mistakes and would exhaust the machine.
constexpr double kMaxSignalSamples = 100e6;

// A number as people write it: 2100, 7207.2.
std::string Shown(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

void Require(bool condition, const std::string& reason) {
  if (!condition) {
    throw std::invalid_argument(reason);
  }
}

std::vector<std::uint8_t> RawCallBits(const RawSymbols& raw, int dot_pattern_bits) {
  std::vector<int> call = raw.Characters;
  if (raw.Check) {
    call.push_back(*raw.Check);
  } else {
    const Characters characters(raw.Characters.begin(), raw.Characters.end());
    call.push_back(CallCheckCharacter(characters));
  }
  return EncodeSymbols(InterleaveCall(call), dot_pattern_bits);
}

}  // namespace

ToneFrequencies TonesFor(const SignalOptions& options) {
  ToneFrequencies tones;
  if (options.Vhf) {
    tones = {kVhfMarkHz, kVhfSpaceHz};
  } else {
    tones = {options.CentreHz - kHfNominalToneOffsetHz, options.CentreHz + kHfNominalToneOffsetHz};
  }
  tones.MarkHz += options.OffsetHz;
  tones.SpaceHz += options.OffsetHz;
  if (options.Inverted) {
    std::swap(tones.MarkHz, tones.SpaceHz);
  }
  return tones;
}

double ActualBitRate(const SignalOptions& options) {
  return NominalBitRate(options.Vhf) * (1.0 + options.BitRateErrorPpm * kPartsPerMillion);
}

double NominalBitRate(bool vhf) {
  return vhf ? kVhfBitRate : kHfBitRate;
}

void CheckSignalOptions(const SignalOptions& options) {
  Require(options.SampleRateHz > 0, "the sample rate must be above 0 Hz");
  const ToneFrequencies tones = TonesFor(options);
  const double nyquist_hz = options.SampleRateHz / 2.0;
  for (const double tone : {tones.MarkHz, tones.SpaceHz}) {
    Require(std::isfinite(tone) && tone > 0.0 && tone < nyquist_hz,
            "tone at " + Shown(tone) + " Hz: must lie between 0 Hz and half the " +
                "sample rate (" + Shown(nyquist_hz) + " Hz)");
  }
  Require(std::isfinite(options.Amplitude) && options.Amplitude >= kSmallestAudibleAmplitude,
          "the amplitude must be at least " + Shown(kSmallestAudibleAmplitude) +
              " (16-bit units): a smaller one rounds every sample to silence");
  Require(std::isfinite(options.BitRateErrorPpm) && ActualBitRate(options) > 0.0,
          "the bit rate error leaves no bit rate");
  Require(!options.EbN0Db || std::isfinite(*options.EbN0Db), "Eb/N0 must be a finite number");
  for (const double seconds : {options.GapS, options.LeadS, options.TrailS}) {
    Require(std::isfinite(seconds) && seconds >= 0.0, "times must be 0 s or more");
  }
}

std::vector<std::uint8_t> CallBits(const CallDescription& call, bool vhf) {
  const int dots = call.DotPatternBits.value_or(vhf ? kShortDotPatternBits : kLongDotPatternBits);
  return std::visit(
      [dots](const auto& content) {
        using Content = std::decay_t<decltype(content)>;
        if constexpr (std::is_same_v<Content, DscMessage>) {
          return EncodeMessage(content, dots);
        } else {
          return RawCallBits(content, dots);
        }
      },
      call.Call);
}

GeneratedSignal GenerateSignalWithPlacements(std::span<const CallDescription> calls,
                                             const SignalOptions& options) {
  SignalStream stream(calls, options);
  const double duration_s = static_cast<double>(stream.TotalSamples()) / options.SampleRateHz;
  Require(static_cast<double>(stream.TotalSamples()) <= kMaxSignalSamples,
          "the signal would be " + Shown(duration_s) + " s long, more than " +
              Shown(kMaxSignalSamples) + " samples");
  GeneratedSignal signal;
  signal.Calls = stream.Calls();
  signal.Samples.resize(static_cast<std::size_t>(stream.TotalSamples()));
  const std::size_t made = stream.Read(signal.Samples);
  signal.Samples.resize(made);
  return signal;
}

std::vector<double> GenerateSignal(std::span<const CallDescription> calls,
                                   const SignalOptions& options) {
  return GenerateSignalWithPlacements(calls, options).Samples;
}

}  // namespace tolvik
