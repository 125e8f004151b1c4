// The receiver with DecENH on: the enhanced decoder of the mode makes the HF
// or VHF rows, the standard chain keeps drawing the displays and stays
// silent.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "audio/HeadlessHost.h"
#include "audio/Receiver.h"
#include "base/CaptureBlock.h"
#include "dsc/ReceptionObserver.h"
#include "gen/CallDescriptionParser.h"
#include "gen/SignalGenerator.h"
#include "list/ReceiveListObserver.h"

namespace tolvik {
namespace {

// One row as it was written, with the decoder the receiver says made it.
struct WrittenRow {
  ReceiveEntry Entry;
  CallDecoder Decoder = CallDecoder::Standard;
  bool Repaired = false;
};

// A whole receiver that shows nothing, fed generated audio block by block;
// keeps the rows, the decoder status texts, the lamp and the standard
// chain's phasings.
class Bench final : private HeadlessHost,
                    private StatusTextSink,
                    private TimeOfDayClock,
                    private ReceiveListObserver,
                    private ReceptionObserver {
 public:
  explicit Bench(AppSettings& settings) : receiver_(settings, {*this, *this, *this, *this, this}) {
    receiver_.List().SetObserver(this);
  }

  // `samples` in capture buffers, the last one padded with silence.
  void Feed(std::span<const double> samples) {
    CaptureBlock buffer{};
    for (std::size_t start = 0; start < samples.size(); start += kFramesPerBlock) {
      FillCaptureBlock(
          samples.subspan(start, std::min<std::size_t>(kFramesPerBlock, samples.size() - start)),
          buffer);
      receiver_.ProcessBlock(CaptureBuffer(buffer));
      receiver_.List().Clear();  // rows are kept here
    }
  }

  Receiver& Rx() { return receiver_; }
  const std::vector<WrittenRow>& Rows() const { return rows_; }
  const std::vector<std::string>& DecoderTexts() const { return decoder_texts_; }
  const std::vector<bool>& Lamp() const { return lamp_; }
  int StandardPhasings() const { return standard_phasings_; }

 private:
  void ShowStatusText(StatusPanel panel, const std::string& text) override {
    if (panel == StatusPanel::Decoder && !text.empty())
      decoder_texts_.push_back(text);
  }
  void SetReceiveLamp(bool phased) override { lamp_.push_back(phased); }
  TimeOfDay Now() const override { return {12, 0, 0, 0}; }
  void RowWritten(int, const ReceiveEntry& entry, DistressKind) override {
    rows_.push_back({entry, receiver_.LastCallDecoder(), receiver_.LastCallRepaired()});
  }
  void ReceptionStarted() override { ++standard_phasings_; }
  void ReceptionEnded(ReceptionEnd) override {}

  Receiver receiver_;
  std::vector<WrittenRow> rows_;
  std::vector<std::string> decoder_texts_;
  std::vector<bool> lamp_;
  int standard_phasings_ = 0;
};

const char* const kIndividualCall =
    "format=individual to=211234560 from=232001000 tc1=100 freq=2182 freq2=8414.5 eos=req";

std::vector<double> CleanHfCall(const char* description = kIndividualCall, bool inverted = false) {
  const CallDescription call = ParseCallDescription(description);
  SignalOptions options;
  options.Inverted = inverted;
  return GenerateSignal({&call, 1}, options);
}

AppSettings EnhancedSettings() {
  AppSettings settings;
  settings.DecENH = true;
  return settings;
}

TEST(EnhancedReceiverTest, HfCallIsDecodedByTheEnhancedDecoderAloneWithItsLampAndTexts) {
  AppSettings settings = EnhancedSettings();
  Bench bench(settings);
  EXPECT_TRUE(bench.Rx().EnhancedDecoding());
  bench.Feed(CleanHfCall());

  ASSERT_EQ(bench.Rows().size(), 1u);
  const WrittenRow& row = bench.Rows()[0];
  EXPECT_EQ(row.Entry.From, "232001000");
  EXPECT_EQ(row.Entry.To, "211234560");
  EXPECT_EQ(row.Entry.Information, "Rx : 2182.0kHz , Tx : 8414.5kHz");
  EXPECT_EQ(row.Decoder, CallDecoder::Enhanced);
  EXPECT_FALSE(row.Repaired);  // a clean call needs no mending
  // The standard chain never saw a bit: no phasing, and so no second row.
  EXPECT_EQ(bench.StandardPhasings(), 0);
  ASSERT_EQ(bench.DecoderTexts().size(), 1u);
  EXPECT_TRUE(bench.DecoderTexts()[0].starts_with("Receiving data... (Freq Err = "));
  EXPECT_NE(std::find(bench.Lamp().begin(), bench.Lamp().end(), true), bench.Lamp().end());
  EXPECT_FALSE(bench.Lamp().back());
  // The standard demodulator still fills the display traces.
  EXPECT_EQ(bench.Rx().Traces().WorkingSamples, kHfWorkingSamplesPerBlock);
}

std::vector<double> CleanVhfCall(bool inverted = false) {
  const CallDescription call = ParseCallDescription(kIndividualCall);
  SignalOptions options;
  options.Vhf = true;
  options.Inverted = inverted;
  return GenerateSignal({&call, 1}, options);
}

TEST(EnhancedReceiverTest, VhfCallIsDecodedByTheEnhancedVhfDecoderAlone) {
  AppSettings settings = EnhancedSettings();
  settings.DecVHF = true;
  Bench bench(settings);
  EXPECT_TRUE(bench.Rx().EnhancedDecoding());
  bench.Feed(CleanVhfCall());
  ASSERT_EQ(bench.Rows().size(), 1u);
  EXPECT_EQ(bench.Rows()[0].Entry.To, "211234560");
  EXPECT_EQ(bench.Rows()[0].Decoder, CallDecoder::Enhanced);
  EXPECT_FALSE(bench.Rows()[0].Repaired);
  EXPECT_EQ(bench.StandardPhasings(), 0);
  ASSERT_EQ(bench.DecoderTexts().size(), 1u);
  EXPECT_EQ(bench.DecoderTexts()[0], "Receiving data... (Freq Err = +0.0Hz)");
  EXPECT_NE(std::find(bench.Lamp().begin(), bench.Lamp().end(), true), bench.Lamp().end());
  EXPECT_FALSE(bench.Lamp().back());
  // The standard VHF demodulator still fills the display traces.
  EXPECT_EQ(bench.Rx().Traces().WorkingSamples, kVhfWorkingSamplesPerBlock);
}

TEST(EnhancedReceiverTest, SwitchingModeWithDecENHOnMovesToTheOtherEnhancedDecoder) {
  AppSettings settings = EnhancedSettings();
  Bench bench(settings);
  bench.Feed(CleanHfCall());
  settings.DecVHF = true;
  bench.Rx().SetUpDecoderMode();
  bench.Feed(CleanVhfCall());
  settings.DecVHF = false;
  bench.Rx().SetUpDecoderMode();
  bench.Feed(CleanHfCall());
  ASSERT_EQ(bench.Rows().size(), 3u);
  for (const WrittenRow& row : bench.Rows()) {
    EXPECT_EQ(row.Decoder, CallDecoder::Enhanced);
    EXPECT_EQ(row.Entry.To, "211234560");
  }
  EXPECT_EQ(bench.StandardPhasings(), 0);
}

TEST(EnhancedReceiverTest, VhfAutomaticPolarityWritesDecINVBack) {
  AppSettings settings = EnhancedSettings();
  settings.DecVHF = true;
  Bench bench(settings);
  bench.Feed(CleanVhfCall(true));
  ASSERT_EQ(bench.Rows().size(), 1u);
  EXPECT_TRUE(settings.DecINV);
  bench.Feed(CleanVhfCall());
  ASSERT_EQ(bench.Rows().size(), 2u);
  EXPECT_FALSE(settings.DecINV);
}

TEST(EnhancedReceiverTest, TheSwitchTakesEffectAtTheNextBlockEitherWay) {
  AppSettings settings;
  Bench bench(settings);
  const std::vector<double> call = CleanHfCall();
  bench.Feed(call);
  settings.DecENH = true;
  bench.Feed(call);
  settings.DecENH = false;
  bench.Feed(call);
  ASSERT_EQ(bench.Rows().size(), 3u);
  EXPECT_EQ(bench.Rows()[0].Decoder, CallDecoder::Standard);
  EXPECT_EQ(bench.Rows()[1].Decoder, CallDecoder::Enhanced);
  EXPECT_EQ(bench.Rows()[2].Decoder, CallDecoder::Standard);
  EXPECT_EQ(bench.StandardPhasings(), 2);
}

TEST(EnhancedReceiverTest, SwitchingOnMidCallDropsTheStandardReceptionWithoutARow) {
  AppSettings settings;
  Bench bench(settings);
  std::vector<double> call = CleanHfCall();
  const std::size_t half = call.size() / 2 / kFramesPerBlock * kFramesPerBlock;
  bench.Feed(std::span<const double>(call).first(half));
  ASSERT_TRUE(bench.Rx().Phased());  // the standard chain holds phasing
  settings.DecENH = true;
  bench.Feed(std::span<const double>(call).subspan(half));
  // The enhanced decoder came in after the call's sync: it has nothing to
  // read, and the standard chain stopped at the switch.
  EXPECT_TRUE(bench.Rows().empty());
  EXPECT_FALSE(bench.Rx().Phased());
  EXPECT_FALSE(bench.Lamp().back());
}

TEST(EnhancedReceiverTest, AutomaticPolarityWritesDecINVBackWhenAnInvertedCallIsDecoded) {
  AppSettings settings = EnhancedSettings();
  Bench bench(settings);
  const std::vector<double> inverted = CleanHfCall(kIndividualCall, true);
  settings.DecAPS = false;  // only positive syncs are taken
  bench.Feed(inverted);
  EXPECT_TRUE(bench.Rows().empty());
  EXPECT_FALSE(settings.DecINV);

  settings.DecAPS = true;  // taken into use at the next block
  bench.Feed(inverted);
  ASSERT_EQ(bench.Rows().size(), 1u);
  EXPECT_TRUE(settings.DecINV);
  bench.Feed(CleanHfCall());  // and back with the next upright call
  ASSERT_EQ(bench.Rows().size(), 2u);
  EXPECT_FALSE(settings.DecINV);

  settings.DecAPS = false;
  settings.DecINV = true;  // now only inverted syncs are taken
  bench.Feed(inverted);
  EXPECT_EQ(bench.Rows().size(), 3u);
  EXPECT_TRUE(settings.DecINV);
}

TEST(EnhancedReceiverTest, CentreFollowsDecFcAtTheNextBlock) {
  AppSettings settings = EnhancedSettings();
  settings.DecFc = 50;  // 500 Hz: the call's tones lie far outside the offsets searched
  Bench bench(settings);
  const CallDescription call = ParseCallDescription(kIndividualCall);
  SignalOptions options;
  options.CentreHz = 1000;
  const std::vector<double> at_1000 = GenerateSignal({&call, 1}, options);
  bench.Feed(at_1000);
  EXPECT_TRUE(bench.Rows().empty());
  settings.DecFc = 100;
  bench.Feed(at_1000);
  EXPECT_EQ(bench.Rows().size(), 1u);
}

TEST(EnhancedReceiverTest, DigitalSilenceHandsOnTheCallAtOnce) {
  AppSettings settings = EnhancedSettings();
  Bench bench(settings);
  const CallDescription call = ParseCallDescription(kIndividualCall);
  SignalOptions options;
  options.TrailS = 0.0;  // the signal stops at the call's last bit
  std::vector<double> samples = GenerateSignal({&call, 1}, options);
  // The look-ahead needs bits that never come: only the silence completes it.
  samples.resize(samples.size() + 20 * kFramesPerBlock, 0.0);
  bench.Feed(samples);
  EXPECT_EQ(bench.Rows().size(), 1u);
}

// Drowns both copies of character 3 (a digit pair of the called identity)
// in strong noise, as a burst of interference would: no bit of it can be
// trusted in either copy. (Silence would not do: a character with no energy
// at all ends the reception with "Data error...".)
std::vector<double> CallWithOneCharacterLost() {
  const CallDescription call = ParseCallDescription(kIndividualCall);
  GeneratedSignal signal = GenerateSignalWithPlacements({&call, 1}, SignalOptions{});
  constexpr int kSamplesPerBit = 480;  // 48 kHz at 100 bit/s
  constexpr int kDotBits = 200;        // the HF dot pattern
  constexpr int kCharacter = 3;
  // From the end of the dots: the DX copy of character i is symbol 12 + 2i,
  // its RX copy five symbol periods later.
  const auto first = static_cast<std::size_t>(signal.Calls[0].StartS * 48000);
  std::mt19937 random(7);                               // the same burst every run
  std::normal_distribution<double> burst(0.0, 8000.0);  // as strong as the tones
  for (const int symbol : {12 + 2 * kCharacter, 17 + 2 * kCharacter}) {
    const std::size_t start =
        first + static_cast<std::size_t>((kDotBits + 10 * symbol) * kSamplesPerBit);
    for (int k = 0; k < 10 * kSamplesPerBit; ++k) {
      signal.Samples[start + static_cast<std::size_t>(k)] = burst(random);
    }
  }
  return signal.Samples;
}

TEST(EnhancedReceiverTest, ACharacterLostInBothCopiesIsMendedByTheCheckAndSaysSo) {
  const std::vector<double> samples = CallWithOneCharacterLost();
  AppSettings standard_settings;
  Bench standard(standard_settings);
  standard.Feed(samples);
  EXPECT_TRUE(standard.Rows().empty());  // the standard chain gives up on it

  AppSettings settings = EnhancedSettings();
  Bench bench(settings);
  bench.Feed(samples);
  ASSERT_EQ(bench.Rows().size(), 1u);
  EXPECT_EQ(bench.Rows()[0].Entry.To, "211234560");
  EXPECT_EQ(bench.Rows()[0].Decoder, CallDecoder::Enhanced);
  EXPECT_TRUE(bench.Rows()[0].Repaired);
  EXPECT_TRUE(bench.Rx().LastCallRepaired());

  bench.Feed(CleanHfCall());  // the next call needs no mending
  ASSERT_EQ(bench.Rows().size(), 2u);
  EXPECT_FALSE(bench.Rows()[1].Repaired);
}

// Ten individual calls at 7 dB Eb/N0, each with a noise seed of its own, in
// one continuous input. The enhanced decoder's rate test measured 993 of
// 1000 such calls decoded exactly at 7 dB, the standard chain none of 200
// (its first decodes come at 10 dB): with these fixed seeds all ten come
// through the enhanced mode and none through the standard one. Nine of ten
// leaves room for a recalibrated gate that loses one (a 7 % chance at the
// measured rate), while a fault in the wiring loses them all.
std::vector<double> TenCallsAt7Db() {
  std::vector<double> samples;
  for (int i = 0; i < 10; ++i) {
    const CallDescription call =
        ParseCallDescription("format=individual to=2111" + std::to_string(10000 + i) +
                             " from=232001000 tc1=100 freq=2182 eos=req");
    SignalOptions options;
    options.Amplitude = 300;  // the full-band noise stays well inside 16 bits
    options.EbN0Db = 7.0;
    options.Seed = 500 + static_cast<std::uint64_t>(i);
    const std::vector<double> part = GenerateSignal({&call, 1}, options);
    samples.insert(samples.end(), part.begin(), part.end());
  }
  return samples;
}

TEST(EnhancedReceiverTest, At7DbTheEnhancedModeDecodesCallsTheStandardModeLoses) {
  const std::vector<double> samples = TenCallsAt7Db();
  int decoded[2] = {0, 0};
  for (const bool enhanced : {false, true}) {
    AppSettings settings;
    settings.DecENH = enhanced;
    Bench bench(settings);
    bench.Feed(samples);
    bench.Rx().FinishInput();
    for (const WrittenRow& row : bench.Rows()) {
      // Only exact rows count; a wrong one fails outright.
      EXPECT_EQ(row.Entry.From, "232001000");
      EXPECT_EQ(row.Entry.Information, "2182.0kHz");
      EXPECT_TRUE(row.Entry.To.starts_with("2111")) << row.Entry.To;
      ++decoded[enhanced];
    }
  }
  EXPECT_EQ(decoded[0], 0);
  EXPECT_GE(decoded[1], 9);
}

}  // namespace
}  // namespace tolvik
