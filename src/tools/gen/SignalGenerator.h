#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "gen/CallDescription.h"

namespace tolvik {

// How the calls are put on the air and into the file.
struct SignalOptions {
  bool Vhf = false;              // 1200 bit/s, 1300/2100 Hz instead of 100 bit/s around CentreHz
  double CentreHz = 800.0;       // HF: the tones are CentreHz -/+ 85 Hz
  double OffsetHz = 0.0;         // added to both tones: a mistuned receiver
  bool Inverted = false;         // bit 1 on the upper tone, bit 0 on the lower
  double BitRateErrorPpm = 0.0;  // positive: bits come faster than nominal
  std::optional<double> EbN0Db;  // white Gaussian noise at this Eb/N0; nullopt: none
  double Amplitude = 8000.0;     // peak of the tones, 16-bit units
  double GapS = 1.0;             // between one call's end and the next call's start
  double LeadS = 0.5;            // before the first call
  double TrailS = 1.0;           // after the last call: the decoder completes a call late
  int SampleRateHz = 48000;      // of the output
  std::uint64_t Seed = 1;        // of the noise
};

// The two tones of the keying.
struct ToneFrequencies {
  double MarkHz = 0.0;   // bit 1
  double SpaceHz = 0.0;  // bit 0
};

ToneFrequencies TonesFor(const SignalOptions& options);

// 100 bit/s for HF, 1200 for VHF.
double NominalBitRate(bool vhf);

// The nominal bit rate with the options' bit-rate error.
double ActualBitRate(const SignalOptions& options);

// The smallest peak of the tones: below half a 16-bit step every sample
// rounds to 0.
inline constexpr double kSmallestAudibleAmplitude = 0.5;

// Throws std::invalid_argument, with the reason, for options that cannot
// make a signal: a tone at or above half the sample rate or not above 0 Hz,
// a negative time, an amplitude below kSmallestAudibleAmplitude, a bit rate
// not above 0.
void CheckSignalOptions(const SignalOptions& options);

// The bits a call sends: dot pattern, phasing, characters with time
// diversity, endings, and an expansion sequence when the call has one.
std::vector<std::uint8_t> CallBits(const CallDescription& call, bool vhf);

// Where one call sits in the signal.
struct CallPlacement {
  double StartS = 0.0;  // first bit of the dot pattern
  double EndS = 0.0;    // end of the last bit
  int Bits = 0;         // bits sent
};

struct GeneratedSignal {
  std::vector<double> Samples;       // mono, 16-bit units, not yet rounded or clipped
  std::vector<CallPlacement> Calls;  // in the order given
};

// Lead, the calls one after another with the gap between them, trail; noise
// over the whole signal when asked for. Same options and seed, same samples.
// Throws std::invalid_argument for options CheckSignalOptions rejects and
// for a signal longer than 100 million samples (SignalStream makes longer
// ones piece by piece).
GeneratedSignal GenerateSignalWithPlacements(std::span<const CallDescription> calls,
                                             const SignalOptions& options);

// The samples only.
std::vector<double> GenerateSignal(std::span<const CallDescription> calls,
                                   const SignalOptions& options);

}  // namespace tolvik
