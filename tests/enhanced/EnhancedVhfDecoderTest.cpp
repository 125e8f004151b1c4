// Generated VHF calls through the enhanced VHF decoder: layouts, polarity,
// noise, bit-rate error, calls close together, mended and refused
// characters; and its three-bit detector on clean signals.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "EnhancedTestSupport.h"
#include "demod/FskModulator.h"
#include "demod/VhfDemodulator.h"
#include "enhanced/ContinuousPhaseDetector.h"

namespace tolvik {
namespace {

constexpr char kIndividualCall[] =
    "format=individual to=211234560 from=232001000 tc1=100 freq=vhf16 eos=req";
constexpr int kSamplesPerBit = 40;  // at 48 kHz
constexpr int kDotBits = 20;        // the VHF dot pattern
constexpr double kBitRate = 1200.0;

SignalOptions Vhf(double amplitude = 3000.0) {
  SignalOptions options;
  options.Vhf = true;
  options.Amplitude = amplitude;
  return options;
}

TEST(EnhancedVhfDecoderTest, CleanCallsOfSeveralLayoutsAreDecoded) {
  const auto calls = Calls({
      kIndividualCall,
      "format=distress from=232001000 nature=fire dpos=N35-41,E139-45 utc=12:30",
      "format=area area=N35E139-N30E149 from=002320001 tc1=109 position=N35-41,E139-45 "
      "enhance=1234,5678",
      "format=semi-auto to=002320001 from=232001000 tc1=100 freq=vhf26 number=0123456789",
      "format=all-ships category=distress tc1=110 from=002320001 ship=232001000 nature=sinking",
  });
  const EnhancedRun run = DecodeEnhancedVhf(GenerateSignal(calls, Vhf()));
  ASSERT_EQ(run.Rows.size(), 5u);
  EXPECT_EQ(run.Rows[0].From, "232001000");
  EXPECT_EQ(run.Rows[0].To, "211234560");
  EXPECT_EQ(run.Rows[0].Ack, "Req");
  EXPECT_EQ(run.Rows[1].Kind, DistressKind::Alert);
  EXPECT_EQ(run.Rows[1].Position, "N35-41 , E139-45");
  EXPECT_EQ(run.Rows[2].Position, "N35-41.1234 , E139-45.5678");
  EXPECT_EQ(run.Rows[3].Information, "VHF 26ch , Number 0123456789");
  EXPECT_EQ(run.Rows[4].Kind, DistressKind::Acknowledgement);
  EXPECT_EQ(run.Syncs, 5);
  // VHF tones are not tuned: the receiving text shows no frequency error.
  EXPECT_TRUE(run.HasStatus("Receiving data... (Freq Err = +0.0Hz)"));
  for (bool repaired : run.Repaired) {
    EXPECT_FALSE(repaired);
  }
}

TEST(EnhancedVhfDecoderTest, InvertedPolarityIsFoundByTheSync) {
  SignalOptions options = Vhf(1000.0);
  options.Inverted = true;
  options.EbN0Db = 12.0;
  EnhancedVhfRecorder recorder;
  recorder.Feed(GenerateSignal(Calls({kIndividualCall}), options));
  EXPECT_TRUE(recorder.Decoding().ReceptionInverted());
  const EnhancedRun run = recorder.Finish();
  ASSERT_EQ(run.Rows.size(), 1u);
  EXPECT_EQ(run.Rows[0].To, "211234560");

  // With automatic polarity off only the polarity asked for is taken.
  EnhancedOptions upright_only;
  upright_only.AutoPolarity = false;
  EXPECT_TRUE(DecodeEnhancedVhf(GenerateSignal(Calls({kIndividualCall}), options), upright_only)
                  .Rows.empty());
}

TEST(EnhancedVhfDecoderTest, NoiseGivesNoSync) {
  // Half a minute of full-band noise as strong as at 4 dB for tones of
  // peak 300: 360 000 working samples, each a chance for the template.
  std::vector<double> noise(48000 * 30, 0.0);
  AddNoise(noise, 300.0, 4.0, 17, kBitRate);
  const EnhancedRun run = DecodeEnhancedVhf(noise);
  EXPECT_EQ(run.Syncs, 0);
  EXPECT_TRUE(run.Rows.empty());
}

TEST(EnhancedVhfDecoderTest, CallsAt200PpmEitherWayAreFollowed) {
  // A semi-automatic call with a long number keeps the clock running for
  // 76 symbols after the sync: unfollowed, 200 ppm would move the last bits
  // by 1.5 working samples (15 % of a bit).
  const auto calls = Calls({
      "format=semi-auto to=002320001 from=232001000 tc1=100 freq=vhf26 "
      "number=012345678901234567890123456789",
      kIndividualCall,
  });
  for (double ppm : {200.0, -200.0}) {
    SignalOptions options = Vhf(1000.0);
    options.BitRateErrorPpm = ppm;
    options.EbN0Db = 10;
    const EnhancedRun run = DecodeEnhancedVhf(GenerateSignal(calls, options));
    ASSERT_EQ(run.Rows.size(), 2u) << ppm;
    EXPECT_EQ(run.Rows[0].Information, "VHF 26ch , Number 012345678901234567890123456789");
  }
}

// Two individual calls on top of each other, the second starting `delay_s`
// after the first, at the given peaks, over faint noise.
EnhancedRun Overlapping(double first_peak, double second_peak, double delay_s) {
  SignalOptions options = Vhf(first_peak);
  const auto first = Calls({"format=individual to=211000010 from=232001000 tc1=100 freq=vhf16"});
  std::vector<double> mixed = GenerateSignal(first, options);
  options.Amplitude = second_peak;
  options.LeadS += delay_s;
  const auto second = Calls({"format=individual to=211000020 from=232001000 tc1=100 freq=vhf16"});
  const std::vector<double> later = GenerateSignal(second, options);
  AddOnto(mixed, later);
  AddNoise(mixed, std::min(first_peak, second_peak), 25.0, 9, kBitRate);
  return DecodeEnhancedVhf(mixed);
}

TEST(EnhancedVhfDecoderTest, OfTwoCallsCloseTogetherTheStrongerIsRead) {
  // 0.05 s apart (60 bits) the second call's template lies within the
  // 80-bit hold of the first one's: the larger correlation wins outright.
  const EnhancedRun weak_first = Overlapping(300, 3000, 0.05);
  ASSERT_EQ(weak_first.Rows.size(), 1u);
  EXPECT_EQ(weak_first.Rows[0].To, "211000020");
  const EnhancedRun strong_first = Overlapping(3000, 300, 0.05);
  ASSERT_EQ(strong_first.Rows.size(), 1u);
  EXPECT_EQ(strong_first.Rows[0].To, "211000010");
}

TEST(EnhancedVhfDecoderTest, StrongerCallPreemptsARunningReceptionButAWeakerOneDoesNot) {
  // 0.3 s apart the second call's sync comes while the first call's
  // characters are still being read (a call lasts about 0.4 s).
  const EnhancedRun weak_first = Overlapping(300, 3000, 0.3);
  EXPECT_EQ(weak_first.Syncs, 2);
  ASSERT_EQ(weak_first.Rows.size(), 1u);
  EXPECT_EQ(weak_first.Rows[0].To, "211000020");
  const EnhancedRun strong_first = Overlapping(3000, 300, 0.3);
  EXPECT_EQ(strong_first.Syncs, 1);
  ASSERT_EQ(strong_first.Rows.size(), 1u);
  EXPECT_EQ(strong_first.Rows[0].To, "211000010");
}

// A clean individual call over faint noise with the given characters
// drowned in strong noise in both their DX and their RX copy, as a burst of
// interference would. (Silence would not do: a character with no energy at
// all ends the reception with "Data error...".)
std::vector<double> CallWithCharactersLost(std::initializer_list<int> characters) {
  const SignalOptions options = Vhf();
  GeneratedSignal signal = GenerateSignalWithPlacements(Calls({kIndividualCall}), options);
  const auto start = static_cast<std::size_t>(std::llround(signal.Calls[0].StartS * 48000));
  std::mt19937 random(7);                               // the same burst every run
  std::normal_distribution<double> burst(0.0, 3000.0);  // as strong as the tones
  for (int character : characters) {
    // Character k goes out in DX at symbol time 12 + 2k and in RX at 17 + 2k.
    for (int time : {12 + 2 * character, 17 + 2 * character}) {
      const std::size_t first =
          start + static_cast<std::size_t>(kDotBits + 10 * time) * kSamplesPerBit;
      for (int k = 0; k < 10 * kSamplesPerBit; ++k) {
        signal.Samples[first + static_cast<std::size_t>(k)] = burst(random);
      }
    }
  }
  AddNoise(signal.Samples, options.Amplitude, 20.0, 5, kBitRate);
  return signal.Samples;
}

TEST(EnhancedVhfDecoderTest, CharacterLostInBothCopiesIsMendedByTheCheck) {
  const EnhancedRun reference = DecodeEnhancedVhf(GenerateSignal(Calls({kIndividualCall}), Vhf()));
  ASSERT_EQ(reference.Rows.size(), 1u);
  for (int character : {4, 9, 12}) {  // in the address, the self-identity, the channel
    const EnhancedRun run = DecodeEnhancedVhf(CallWithCharactersLost({character}));
    ASSERT_EQ(run.Rows.size(), 1u) << character;
    EXPECT_TRUE(run.Repaired[0]);
    EXPECT_EQ(run.Rows[0].From, reference.Rows[0].From);
    EXPECT_EQ(run.Rows[0].To, reference.Rows[0].To);
    EXPECT_EQ(run.Rows[0].Information, reference.Rows[0].Information);
  }
}

TEST(EnhancedVhfDecoderTest, TwoCharactersLostAreRefusedNotGuessed) {
  for (auto pair : {std::pair{4, 5}, std::pair{9, 12}}) {
    const EnhancedRun run = DecodeEnhancedVhf(CallWithCharactersLost({pair.first, pair.second}));
    EXPECT_TRUE(run.Rows.empty()) << pair.first << " " << pair.second;
    EXPECT_TRUE(run.HasStatus("Parity error..."));
  }
}

// Random bits as continuous-phase FSK at the working rate, through the
// detector; returns the soft values at each bit's end and the envelopes.
struct DetectedBits {
  std::vector<std::uint8_t> Sent;
  std::vector<ToneOutput> Detected;  // of bit i, read at its end
};

DetectedBits Detect(int bits) {
  std::mt19937 random(3);
  DetectedBits result;
  for (int i = 0; i < bits; ++i) {
    result.Sent.push_back(static_cast<std::uint8_t>(random() & 1));
  }
  std::vector<double> samples;
  FskModulator modulator(kVhfMarkHz, kVhfSpaceHz, kBitRate, 1.0, kVhfWorkingRateHz);
  modulator.Modulate(result.Sent, samples);
  ContinuousPhaseDetector detector;
  std::vector<ToneOutput> outputs;
  for (double x : samples) {
    outputs.push_back(detector.Process(x));
  }
  // The value of bit i comes a detection delay after its last sample.
  for (int i = 0; i + 1 < bits; ++i) {
    const int last = (i + 1) * kVhfEnhancedSamplesPerBit - 1;
    result.Detected.push_back(outputs[static_cast<std::size_t>(last + kVhfDetectionDelaySamples)]);
  }
  return result;
}

TEST(EnhancedVhfDecoderTest, WorkingSamplesFromTheStandardChainDecodeAlike) {
  // The standard VHF demodulator's decimated samples are the decoder's own
  // filter output sample for sample: in noise, where any difference would
  // show in the syncs, the rows and every status text are the same.
  SignalOptions options = Vhf(1000.0);
  options.EbN0Db = 9.0;
  const std::vector<double> samples =
      GenerateSignal(Calls({kIndividualCall, kIndividualCall}), options);
  EnhancedVhfRecorder own;
  own.Feed(samples);
  const EnhancedRun alone = own.Finish();

  struct Sink final : CallSink, StatusTextSink, BitSink {
    void AddReceiveEntry(const CallTexts& call) override { run.Rows.push_back(call); }
    void ShowStatusText(StatusPanel, const std::string& text) override {
      run.Statuses.push_back(text);
    }
    void PushBit(int, int) override {}
    EnhancedRun run;
  } sink;
  DemodulatorTraces traces;
  VhfDemodulator standard(traces, sink);
  EnhancedVhfDecoder shared(sink, sink);
  std::array<double, kFramesPerBlock> block{};
  for (std::size_t start = 0; start < samples.size(); start += kFramesPerBlock) {
    block.fill(0.0);
    for (std::size_t i = 0; i < kFramesPerBlock && start + i < samples.size(); ++i) {
      block[i] = RoundToInt16(samples[start + i]);
    }
    standard.DemodulateVhf(0, block);
    shared.ProcessWorkingSamples(standard.DecimatedSamples());
  }
  shared.FinishInput();
  ASSERT_EQ(alone.Rows.size(), 2u);
  ASSERT_EQ(sink.run.Rows.size(), alone.Rows.size());
  for (std::size_t i = 0; i < alone.Rows.size(); ++i) {
    EXPECT_EQ(sink.run.Rows[i].To, alone.Rows[i].To);
    EXPECT_EQ(sink.run.Rows[i].From, alone.Rows[i].From);
  }
  EXPECT_EQ(sink.run.Statuses, alone.Statuses);
}

TEST(ContinuousPhaseDetectorTest, CleanBitsAreReadRight) {
  const DetectedBits bits = Detect(400);
  for (std::size_t i = 1; i < bits.Detected.size(); ++i) {  // bit 0 has no bit before it
    EXPECT_EQ(bits.Detected[i].Soft > 0.0, bits.Sent[i] == 1) << i;
  }
}

TEST(ContinuousPhaseDetectorTest, ThreeBitsInPhaseAddUp) {
  // A tone of peak 1 sums to 10 * 1/2 per bit: only the sent pattern, its
  // phase turned at every change as the modulator turned it, adds three
  // bits up to 15. Each tone's image at minus its frequency adds at most
  // |sin(10 * 2 pi f / fs) / sin(2 pi f / fs)| / 2 per bit, 0.56 for
  // 2100 Hz, so 1.7 over three bits.
  const DetectedBits bits = Detect(100);
  for (std::size_t i = 1; i < bits.Detected.size(); ++i) {
    const ToneOutput& out = bits.Detected[i];
    const double best = (out.Envelope + std::fabs(out.Soft)) / 2.0;
    EXPECT_NEAR(best, 15.0, 1.7) << i;
  }
}

}  // namespace
}  // namespace tolvik
