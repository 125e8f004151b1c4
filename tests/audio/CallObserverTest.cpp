#include "audio/CallObserver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/HeadlessHost.h"
#include "audio/Receiver.h"
#include "base/CaptureBlock.h"
#include "demod/FskModulator.h"
#include "dsc/DscEncoder.h"
#include "support/WorkedExample.h"

namespace tolvik {
namespace {

// What an output keeps of each call it is told about.
struct SeenCall {
  Characters primary;
  Characters expansion;
  ReceiveEntry row;
  DistressKind kind;
  CallDecoder decoder;
  int channel;
};

// A receiver that shows nothing, with a call observer that keeps
// everything and checks each call against the list as it stands.
class ObservedReceiver final : private HeadlessHost,
                               private StatusTextSink,
                               private TimeOfDayClock,
                               private CallObserver {
 public:
  explicit ObservedReceiver(AppSettings settings)
      : settings_(settings), receiver_(settings_, {*this, *this, *this, *this}) {
    receiver_.SetCallObserver(this);
  }

  // Audio of the message as an HF (or VHF) transmitter sends it, with idle
  // tone around.
  void Transmit(const DscMessage& message, bool vhf = false) {
    std::vector<std::uint8_t> bits(50, 1);
    const std::vector<std::uint8_t> call = EncodeMessage(message, kLongDotPatternBits);
    bits.insert(bits.end(), call.begin(), call.end());
    bits.insert(bits.end(), 60, 1);
    std::vector<double> samples;
    FskModulator modulator =
        vhf ? FskModulator(1300, 2100, 1200, 8000) : FskModulator(800 - 85, 800 + 85, 100, 8000);
    modulator.Modulate(bits, samples);
    samples.resize((samples.size() / kFramesPerBlock + 1) * kFramesPerBlock, 0.0);
    CaptureBlock buffer{};
    for (std::size_t start = 0; start < samples.size(); start += kFramesPerBlock) {
      FillCaptureBlock(std::span<const double>(samples).subspan(start, kFramesPerBlock), buffer);
      receiver_.ProcessBlock(CaptureBuffer(buffer));
    }
    receiver_.FinishInput();
  }

  const std::vector<SeenCall>& Seen() const { return seen_; }
  AppSettings& Settings() { return settings_; }
  Receiver& Decoder() { return receiver_; }

 private:
  void ShowStatusText(StatusPanel, const std::string&) override {}
  TimeOfDay Now() const override { return {9, 30, 0, 0}; }

  void CallWritten(const WrittenCall& call) override {
    const SymbolSequence& primary = call.symbols.Primary;
    const SymbolSequence& expansion = call.symbols.Expansion;
    seen_.push_back(
        {Characters(primary.Symbols.begin(), primary.Symbols.begin() + primary.Count),
         Characters(expansion.Symbols.begin(), expansion.Symbols.begin() + expansion.Count),
         call.row, call.kind, call.decoder, call.channel});
    // The row handed over is the list's own, already in place.
    const ReceiveList& list = receiver_.List();
    ASSERT_TRUE(list.LastWrittenRow());
    EXPECT_EQ(&list.Row(*list.LastWrittenRow()), &call.row);
  }

  AppSettings settings_;
  Receiver receiver_;
  std::vector<SeenCall> seen_;
};

DscMessage DistressAlertWithEnhancement() {
  DscMessage alert;
  alert.FormatSpecifier = kFormatDistress;
  alert.Distress = DscDistressInfo{"232001234", kNatureSinking, DscPosition{1, 50, 7, 4, 30},
                                   DscTime{23, 59}, kTelecommandSsbTelephony};
  alert.Enhancement = DscEnhancedPosition{1234, 5678};
  return alert;
}

TEST(CallObserverTest, EachRowComesWithTheSymbolsItWasReadFrom) {
  ObservedReceiver receiver{AppSettings{}};
  receiver.Transmit(testing::WorkedExampleMessage());
  receiver.Transmit(DistressAlertWithEnhancement());

  ASSERT_EQ(receiver.Seen().size(), 2u);
  const SeenCall& individual = receiver.Seen()[0];
  EXPECT_EQ(individual.primary, testing::kWorkedExampleCharacters);
  EXPECT_TRUE(individual.expansion.empty());
  EXPECT_EQ(individual.row.From, "366123450");
  EXPECT_EQ(individual.row.Time, "09:30:00");
  EXPECT_EQ(individual.kind, DistressKind::None);
  EXPECT_EQ(individual.decoder, CallDecoder::Standard);
  EXPECT_EQ(individual.channel, 0);

  const SeenCall& alert = receiver.Seen()[1];
  EXPECT_EQ(alert.primary, BuildCallCharacters(DistressAlertWithEnhancement()));
  EXPECT_EQ(alert.expansion, *BuildExpansionCharacters(DistressAlertWithEnhancement()));
  EXPECT_EQ(alert.row.Position, "N50-07.1234 , W4-30.5678");
  EXPECT_EQ(alert.kind, DistressKind::Alert);
}

TEST(CallObserverTest, TheEnhancedDecodersRowsSayWhoMadeThem) {
  AppSettings settings;
  settings.DecENH = true;
  ObservedReceiver receiver{settings};
  receiver.Transmit(DistressAlertWithEnhancement());

  ASSERT_EQ(receiver.Seen().size(), 1u);
  const SeenCall& alert = receiver.Seen()[0];
  EXPECT_EQ(alert.decoder, CallDecoder::Enhanced);
  EXPECT_EQ(alert.channel, 0);
  EXPECT_EQ(alert.primary, BuildCallCharacters(DistressAlertWithEnhancement()));
  EXPECT_EQ(alert.expansion, *BuildExpansionCharacters(DistressAlertWithEnhancement()));
}

TEST(CallObserverTest, TheEnhancedVhfDecodersRowsComeWithItsOwnSymbols) {
  AppSettings settings;
  settings.DecENH = true;
  settings.DecVHF = true;
  ObservedReceiver receiver{settings};
  receiver.Transmit(testing::WorkedExampleMessage(), true);
  receiver.Transmit(DistressAlertWithEnhancement(), true);

  // The HF enhanced decoder never saw these calls: symbols taken from it
  // would be empty.
  ASSERT_EQ(receiver.Seen().size(), 2u);
  EXPECT_EQ(receiver.Seen()[0].decoder, CallDecoder::Enhanced);
  EXPECT_EQ(receiver.Seen()[0].primary, testing::kWorkedExampleCharacters);
  const SeenCall& alert = receiver.Seen()[1];
  EXPECT_EQ(alert.primary, BuildCallCharacters(DistressAlertWithEnhancement()));
  EXPECT_EQ(alert.expansion, *BuildExpansionCharacters(DistressAlertWithEnhancement()));
}

TEST(CallObserverTest, ACallTheListDropsIsNotTold) {
  AppSettings settings;
  settings.NoMsgAdd = true;
  ObservedReceiver receiver{settings};
  DscMessage no_information = testing::WorkedExampleMessage();
  no_information.FirstTelecommand = kTelecommandTest;
  no_information.FirstFrequency.reset();
  receiver.Transmit(no_information);
  receiver.Transmit(testing::WorkedExampleMessage());

  ASSERT_EQ(receiver.Seen().size(), 1u);
  EXPECT_EQ(receiver.Seen()[0].row.Information, "VHF 16ch");
}

TEST(CallObserverTest, AnOverwrittenRowIsToldWithItsNewTexts) {
  AppSettings settings;
  settings.CheckAdd = true;
  ObservedReceiver receiver{settings};
  receiver.Transmit(testing::WorkedExampleMessage());
  DscMessage second = testing::WorkedExampleMessage();
  second.FirstFrequency = DscFrequency::Vhf(6);
  receiver.Transmit(second);

  EXPECT_EQ(receiver.Decoder().List().Count(), 1);
  ASSERT_EQ(receiver.Seen().size(), 2u);
  EXPECT_EQ(receiver.Seen()[1].row.Information, "VHF 6ch");
}

TEST(CallObserverTest, WithoutAnObserverRowsAreWrittenAsBefore) {
  ObservedReceiver receiver{AppSettings{}};
  receiver.Decoder().SetCallObserver(nullptr);
  receiver.Transmit(testing::WorkedExampleMessage());
  EXPECT_EQ(receiver.Decoder().List().Count(), 1);
  EXPECT_TRUE(receiver.Seen().empty());
}

}  // namespace
}  // namespace tolvik
