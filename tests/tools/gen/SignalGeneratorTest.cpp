#include "gen/SignalGenerator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

#include "gen/CallDescriptionParser.h"
#include "gen/GaussianNoise.h"

namespace tolvik {
namespace {

const CallDescription& IndividualCall() {
  static const CallDescription call = ParseCallDescription(
      "format=individual to=211234560 from=232001000 tc1=100 freq=vhf16 eos=req");
  return call;
}

// Frequency of a pure tone around sample n, from three consecutive samples:
// x[n-1] + x[n+1] = 2 cos(w) x[n] holds exactly for any sinusoid.
double ToneAt(const std::vector<double>& x, std::size_t n, double rate) {
  return std::acos((x[n - 1] + x[n + 1]) / (2.0 * x[n])) * rate / (2.0 * std::numbers::pi);
}

// The tone inside bit k (counted from the call's first sample) measured
// where the carrier is near a peak, well away from both bit edges: the
// estimator is exact there, and ill-conditioned near zero crossings.
double ToneOfBit(const std::vector<double>& x, std::size_t call_start, int k, double bit_rate,
                 double rate) {
  const double samples_per_bit = rate / bit_rate;
  const auto first = call_start + static_cast<std::size_t>(std::ceil(k * samples_per_bit)) + 1;
  const auto last =
      call_start + static_cast<std::size_t>(std::floor((k + 1) * samples_per_bit)) - 2;
  std::size_t best = first;
  for (std::size_t n = first; n <= last; ++n) {
    if (std::abs(x[n]) > std::abs(x[best])) {
      best = n;
    }
  }
  return ToneAt(x, best, rate);
}

// Every bit of the call read back from its tone, compared with what the
// call sends.
int CountWrongBits(const std::vector<double>& x, const CallDescription& call,
                   const SignalOptions& options, double bit_rate) {
  const ToneFrequencies tones = TonesFor(options);
  const std::vector<std::uint8_t> bits = CallBits(call, options.Vhf);
  const auto start = static_cast<std::size_t>(std::llround(options.LeadS * options.SampleRateHz));
  int wrong = 0;
  for (int k = 0; k < static_cast<int>(bits.size()); ++k) {
    const double tone = ToneOfBit(x, start, k, bit_rate, options.SampleRateHz);
    const bool mark = std::abs(tone - tones.MarkHz) < std::abs(tone - tones.SpaceHz);
    wrong += mark != (bits[k] != 0);
  }
  return wrong;
}

// A whole tone measured exactly, to a millihertz of rounding error.
constexpr double kToneToleranceHz = 1e-3;

TEST(SignalGeneratorTest, HfTonesSitAroundTheCentreAndMoveWithOffsetAndPolarity) {
  SignalOptions options;
  options.LeadS = 0.0;
  const std::vector<double> x = GenerateSignal({&IndividualCall(), 1}, options);
  // The dot pattern starts with a 1: bit 0 is the mark, bit 1 the space.
  EXPECT_NEAR(ToneOfBit(x, 0, 0, 100, 48000), 715.0, kToneToleranceHz);
  EXPECT_NEAR(ToneOfBit(x, 0, 1, 100, 48000), 885.0, kToneToleranceHz);

  options.CentreHz = 1700;
  options.OffsetHz = 25;
  options.Inverted = true;
  const std::vector<double> moved = GenerateSignal({&IndividualCall(), 1}, options);
  EXPECT_NEAR(ToneOfBit(moved, 0, 0, 100, 48000), 1810.0, kToneToleranceHz);
  EXPECT_NEAR(ToneOfBit(moved, 0, 1, 100, 48000), 1640.0, kToneToleranceHz);
}

TEST(SignalGeneratorTest, VhfTonesAreFixedBesidesTheOffset) {
  SignalOptions options;
  options.Vhf = true;
  options.CentreHz = 1000;  // not used by VHF
  options.LeadS = 0.0;
  const std::vector<double> x = GenerateSignal({&IndividualCall(), 1}, options);
  EXPECT_NEAR(ToneOfBit(x, 0, 0, 1200, 48000), 1300.0, kToneToleranceHz);
  EXPECT_NEAR(ToneOfBit(x, 0, 1, 1200, 48000), 2100.0, kToneToleranceHz);

  options.OffsetHz = -40;
  options.Inverted = true;
  const std::vector<double> moved = GenerateSignal({&IndividualCall(), 1}, options);
  EXPECT_NEAR(ToneOfBit(moved, 0, 0, 1200, 48000), 2060.0, kToneToleranceHz);
  EXPECT_NEAR(ToneOfBit(moved, 0, 1, 1200, 48000), 1260.0, kToneToleranceHz);
}

TEST(SignalGeneratorTest, EveryBitOfTheCallIsOnItsToneAtTheGivenRateAndBitRateError) {
  SignalOptions hf;
  hf.SampleRateHz = 8000;
  EXPECT_EQ(CountWrongBits(GenerateSignal({&IndividualCall(), 1}, hf), IndividualCall(), hf, 100),
            0);

  SignalOptions vhf;
  vhf.Vhf = true;
  vhf.Inverted = true;
  vhf.SampleRateHz = 44100;  // 36.75 samples per bit: a fractional bit grid
  EXPECT_EQ(
      CountWrongBits(GenerateSignal({&IndividualCall(), 1}, vhf), IndividualCall(), vhf, 1200), 0);

  // 1000 ppm fast: read on the fast grid every bit is right; on the nominal
  // grid the call's 820 bits drift most of a bit and the end reads wrong.
  hf.BitRateErrorPpm = 1000;
  const std::vector<double> fast = GenerateSignal({&IndividualCall(), 1}, hf);
  EXPECT_EQ(CountWrongBits(fast, IndividualCall(), hf, 100.1), 0);
  EXPECT_GT(CountWrongBits(fast, IndividualCall(), hf, 100.0), 0);
}

TEST(SignalGeneratorTest, CallsSitBetweenLeadGapsAndTrail) {
  const CallDescription alert = ParseCallDescription("format=distress from=232001000 dots=20");
  const std::vector<CallDescription> calls = {IndividualCall(), alert};
  SignalOptions options;
  options.SampleRateHz = 8000;
  options.LeadS = 0.25;
  options.GapS = 2.0;
  options.TrailS = 0.75;
  const GeneratedSignal signal = GenerateSignalWithPlacements(calls, options);
  ASSERT_EQ(signal.Calls.size(), 2u);

  const int first_bits = static_cast<int>(CallBits(IndividualCall(), false).size());
  const int second_bits = static_cast<int>(CallBits(alert, false).size());
  EXPECT_EQ(signal.Calls[0].Bits, first_bits);
  EXPECT_EQ(signal.Calls[1].Bits, second_bits);
  EXPECT_EQ(second_bits,
            first_bits - 180 - 100);  // 180 fewer dots; five characters fewer, each sent twice
  EXPECT_DOUBLE_EQ(signal.Calls[0].StartS, 0.25);
  EXPECT_DOUBLE_EQ(signal.Calls[0].EndS, 0.25 + first_bits / 100.0);
  EXPECT_DOUBLE_EQ(signal.Calls[1].StartS, signal.Calls[0].EndS + 2.0);
  EXPECT_DOUBLE_EQ(signal.Calls[1].EndS, signal.Calls[1].StartS + second_bits / 100.0);
  EXPECT_EQ(signal.Samples.size(),
            static_cast<std::size_t>(std::llround((signal.Calls[1].EndS + 0.75) * 8000)));

  // Silence without noise outside the calls; the carrier starts at its peak.
  auto silent = [&](double from_s, double to_s) {
    for (auto n = static_cast<std::size_t>(from_s * 8000); n < to_s * 8000; ++n) {
      if (signal.Samples[n] != 0.0) {
        return false;
      }
    }
    return true;
  };
  EXPECT_TRUE(silent(0.0, 0.25));
  EXPECT_TRUE(silent(signal.Calls[0].EndS, signal.Calls[1].StartS));
  EXPECT_TRUE(silent(signal.Calls[1].EndS, signal.Samples.size() / 8000.0));
  EXPECT_DOUBLE_EQ(signal.Samples[2000], 8000.0);
  EXPECT_DOUBLE_EQ(signal.Samples[static_cast<std::size_t>(signal.Calls[1].StartS * 8000)], 8000.0);
}

TEST(SignalGeneratorTest, NoiseIsSetByEbN0AndRepeatsWithItsSeed) {
  SignalOptions options;
  options.SampleRateHz = 8000;
  options.LeadS = 10.0;
  options.TrailS = 0.0;
  options.Amplitude = 1000;
  options.EbN0Db = 10.0;
  // No call: the file is all noise.
  const std::vector<double> noise = GenerateSignal({}, options);
  ASSERT_EQ(noise.size(), 80000u);
  double power = 0;
  for (const double x : noise) {
    power += x * x;
  }
  const double sigma = std::sqrt(power / noise.size());
  // 80000 samples estimate sigma to 0.25 % (one standard error); 2 % is
  // eight of those, yet a wrong bit rate or rate in the rule is far outside.
  EXPECT_NEAR(sigma / NoiseSigmaForEbN0(1000, 10.0, 100, 8000), 1.0, 0.02);

  options.Vhf = true;
  const std::vector<double> vhf_noise = GenerateSignal({}, options);
  double vhf_power = 0;
  for (const double x : vhf_noise) {
    vhf_power += x * x;
  }
  EXPECT_NEAR(std::sqrt(vhf_power / vhf_noise.size()) / NoiseSigmaForEbN0(1000, 10.0, 1200, 8000),
              1.0, 0.02);

  options.Vhf = false;
  options.LeadS = 0.5;
  const std::vector<CallDescription> calls = {IndividualCall()};
  const std::vector<double> first = GenerateSignal(calls, options);
  EXPECT_EQ(GenerateSignal(calls, options), first);
  options.Seed = 2;
  EXPECT_NE(GenerateSignal(calls, options), first);
  // Without noise the seed changes nothing.
  options.EbN0Db.reset();
  const std::vector<double> clean = GenerateSignal(calls, options);
  options.Seed = 3;
  EXPECT_EQ(GenerateSignal(calls, options), clean);
}

TEST(SignalGeneratorTest, OptionsThatCannotMakeASignalAreRejected) {
  const std::vector<CallDescription> calls = {IndividualCall()};
  SignalOptions vhf_at_4k;
  vhf_at_4k.Vhf = true;
  vhf_at_4k.SampleRateHz = 4000;  // 2100 Hz lies above half of it
  EXPECT_THROW(GenerateSignal(calls, vhf_at_4k), std::invalid_argument);
  SignalOptions below_zero;
  below_zero.CentreHz = 500;
  below_zero.OffsetHz = -450;  // the mark would be at -35 Hz
  EXPECT_THROW(GenerateSignal(calls, below_zero), std::invalid_argument);
  SignalOptions negative_gap;
  negative_gap.GapS = -1;
  EXPECT_THROW(GenerateSignal(calls, negative_gap), std::invalid_argument);
  SignalOptions no_bit_rate;
  no_bit_rate.BitRateErrorPpm = -1e6;
  EXPECT_THROW(GenerateSignal(calls, no_bit_rate), std::invalid_argument);
  SignalOptions silent;
  silent.Amplitude = 0;
  EXPECT_THROW(GenerateSignal(calls, silent), std::invalid_argument);
  // Refused before any memory is taken for it.
  SignalOptions too_long;
  too_long.LeadS = 2100;  // 100.8 million samples at 48 kHz
  EXPECT_THROW(GenerateSignal(calls, too_long), std::invalid_argument);
}

}  // namespace
}  // namespace tolvik
