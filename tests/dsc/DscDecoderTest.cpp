#include "dsc/DscDecoder.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <vector>

#include "dsc/DecoderOptionValues.h"
#include "dsc/DscEncoder.h"
#include "support/RecordingSinks.h"
#include "support/WorkedExample.h"

namespace tolvik {
namespace {

using testing::RecordingCallSink;
using testing::RecordingReceptionObserver;
using testing::RecordingStatusSink;
using Ends = std::vector<ReceptionEnd>;
using Bits = std::vector<std::uint8_t>;
using Chars = std::vector<std::uint8_t>;

// After its check character a call waits two character steps (40 bits) for
// an expansion sequence; this much dot pattern after a stream lets that
// look-ahead run out.
constexpr int kPaddingBits = 60;

const Chars& kWorkedExample = testing::kWorkedExampleCharacters;

DscMessage IndividualCall() {
  return testing::WorkedExampleMessage();
}

DscDistressInfo SampleDistress() {
  return {"232001234", 101, DscPosition{1, 50, 7, 4, 30}, DscTime{23, 59}, 109};
}

// One message for every layout the receiver knows.
std::vector<DscMessage> EveryLayout() {
  std::vector<DscMessage> out;
  DscMessage alert;
  alert.FormatSpecifier = 112;
  alert.Distress = SampleDistress();
  out.push_back(alert);

  DscMessage all_ships;
  all_ships.FormatSpecifier = 116;
  all_ships.Category = 108;
  all_ships.SelfId = "002320001";
  all_ships.FirstTelecommand = 109;
  all_ships.FirstFrequency = DscFrequency::Khz(2182.0);
  out.push_back(all_ships);

  DscMessage all_ships_position = all_ships;
  all_ships_position.FirstFrequency.reset();
  all_ships_position.WorkingPosition = DscPosition{2, 33, 52, 151, 12};
  out.push_back(all_ships_position);

  DscMessage acknowledgement = all_ships;
  acknowledgement.Category = 112;
  acknowledgement.FirstTelecommand = 110;
  acknowledgement.Distress = SampleDistress();
  acknowledgement.EndOfSequence = 122;
  out.push_back(acknowledgement);

  DscMessage all_ships_relay = acknowledgement;
  all_ships_relay.FirstTelecommand = 112;
  all_ships_relay.EndOfSequence = 127;
  out.push_back(all_ships_relay);

  DscMessage area = IndividualCall();
  area.FormatSpecifier = 102;
  area.Address.reset();
  area.AreaAddress = DscArea{0, 35, 139, 5, 10};
  area.Category = 110;
  out.push_back(area);

  DscMessage group = IndividualCall();
  group.FormatSpecifier = 114;
  group.Address = "021100000";
  group.SecondFrequency = DscFrequency::MfHf(401);
  out.push_back(group);

  out.push_back(IndividualCall());

  DscMessage relay = IndividualCall();
  relay.Category = 112;
  relay.FirstTelecommand = 112;
  relay.Distress = SampleDistress();
  out.push_back(relay);

  DscMessage semi = IndividualCall();
  semi.FormatSpecifier = 123;
  semi.TelephoneNumber = "4930123456";
  out.push_back(semi);

  DscMessage semi_two = semi;
  semi_two.SecondFrequency = DscFrequency::Vhf(26);
  semi_two.TelephoneNumber = "123";
  out.push_back(semi_two);

  DscMessage enhanced = all_ships_position;
  enhanced.Enhancement = DscEnhancedPosition{1234, 5678};
  out.push_back(enhanced);
  return out;
}

class DscDecoderTest : public ::testing::Test {
 protected:
  void Push(const Bits& bits, int channel = 0) {
    for (std::uint8_t bit : bits) {
      decoder.PushBit(channel, bit);
    }
  }
  void PushPadding(int channel = 0) { Push(EncodeSymbols({}, kPaddingBits), channel); }
  void PushCall(const Chars& characters) {
    Push(EncodeTransmission(characters, std::nullopt, kLongDotPatternBits));
    PushPadding();
  }
  // A timeline of a call with its own check character, for editing.
  static std::vector<int> Timeline(const Chars& characters) {
    std::vector<int> with_check(characters.begin(), characters.end());
    with_check.push_back(CallCheckCharacter(characters));
    return InterleaveCall(with_check);
  }
  void PushTimeline(const std::vector<int>& timeline) {
    Push(EncodeSymbols(timeline, kShortDotPatternBits));
    PushPadding();
  }
  Chars Primary(int channel = 0) const {
    const SymbolSequence& s = decoder.Call(channel).Primary;
    return Chars(s.Symbols.begin(), s.Symbols.begin() + s.Count);
  }
  Chars Expansion() const {
    const SymbolSequence& s = decoder.Call(0).Expansion;
    return Chars(s.Symbols.begin(), s.Symbols.begin() + s.Count);
  }

  DecoderOptionValues options;
  ChannelTunings tunings{};
  RecordingStatusSink status;
  RecordingCallSink calls;
  RecordingReceptionObserver receptions;
  DscDecoder decoder{options, tunings, status, calls, &receptions};
};

TEST_F(DscDecoderTest, WorkedExampleBitForBit) {
  PushCall(kWorkedExample);
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(Primary(), kWorkedExample);
  EXPECT_EQ(decoder.Call(0).Expansion.Count, 0);
  EXPECT_EQ(calls.calls[0].Ack, "Req");
  EXPECT_FALSE(decoder.Phased(0));
  ASSERT_EQ(status.shown.size(), 2u);
  EXPECT_EQ(status.shown[0].second, "Receiving data... (Freq Err = +0.0Hz)");
  EXPECT_EQ(status.shown[1].second, "");
}

TEST_F(DscDecoderTest, EveryLayoutRoundTripsInHfAndVhfMode) {
  for (bool vhf : {false, true}) {
    options.SetMode(vhf ? DecoderMode::Vhf : DecoderMode::Hf);
    tunings[0].FrequencyError = -3.0;
    for (const DscMessage& message : EveryLayout()) {
      calls.calls.clear();
      status.shown.clear();
      Push(EncodeMessage(message, vhf ? kShortDotPatternBits : kLongDotPatternBits));
      PushPadding();
      ASSERT_EQ(calls.calls.size(), 1u) << "format " << message.FormatSpecifier;
      EXPECT_EQ(Primary(), BuildCallCharacters(message));
      EXPECT_EQ(Expansion(), BuildExpansionCharacters(message).value_or(Chars{}));
      EXPECT_EQ(status.shown.front().second,
                vhf ? "Receiving data..." : "Receiving data... (Freq Err = -3.0Hz)");
      EXPECT_EQ(status.Last(), "");
    }
  }
}

TEST_F(DscDecoderTest, CallsFollowEachOtherWithoutGaps) {
  // Back to back, the second call's dot pattern directly after the first
  // call's last RX symbol; random bits in between must not disturb either.
  std::mt19937 random(7);
  Bits noise(300);
  for (auto& bit : noise) {
    bit = static_cast<std::uint8_t>(random() & 1);
  }
  const Bits first = EncodeMessage(IndividualCall(), kShortDotPatternBits);
  Push(noise);
  Push(first);
  Push(first);
  Push(noise);
  EXPECT_EQ(calls.calls.size(), 2u);
}

TEST_F(DscDecoderTest, AutomaticPolarityFindsAnInvertedCallAndKeepsThePolarity) {
  const Bits inverted = InvertBits(EncodeTransmission(kWorkedExample, std::nullopt, 200));
  options.SetAutomaticPolarity(false);
  Push(inverted);
  PushPadding();
  EXPECT_TRUE(calls.calls.empty());
  EXPECT_FALSE(options.Inverted());

  options.SetAutomaticPolarity(true);
  Push(inverted);
  Push(InvertBits(EncodeSymbols({}, kPaddingBits)));
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(Primary(), kWorkedExample);
  EXPECT_TRUE(options.Inverted());

  // The next inverted call is found by the ordinary rule: no second flip.
  Push(inverted);
  Push(InvertBits(EncodeSymbols({}, kPaddingBits)));
  EXPECT_EQ(calls.calls.size(), 2u);
  EXPECT_TRUE(options.Inverted());

  // A call of the original polarity flips it back.
  PushCall(kWorkedExample);
  EXPECT_EQ(calls.calls.size(), 3u);
  EXPECT_FALSE(options.Inverted());
}

TEST_F(DscDecoderTest, TimeDiversityRepairsOneDamagedCopyOfEachCharacter) {
  std::vector<int> t = Timeline(kWorkedExample);
  for (int k = 0; k < static_cast<int>(kWorkedExample.size()); ++k) {
    t[k % 2 == 0 ? DxTime(k) : RxTime(k)] = kDamagedSymbol;
  }
  PushTimeline(t);
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(Primary(), kWorkedExample);
}

TEST_F(DscDecoderTest, EachFailureShowsItsStatusText) {
  {
    SCOPED_TRACE("both copies of a character lost");
    std::vector<int> t = Timeline(kWorkedExample);
    t[DxTime(5)] = t[RxTime(5)] = kDamagedSymbol;
    PushTimeline(t);
    EXPECT_EQ(status.Last(), "Data error...");
  }
  {
    SCOPED_TRACE("wrong check character");
    std::vector<int> t = Timeline(kWorkedExample);
    t[DxTime(22)] = t[RxTime(22)] = 102;
    PushTimeline(t);
    EXPECT_EQ(status.Last(), "Parity error...");
  }
  {
    SCOPED_TRACE("format not accepted");
    Chars call = kWorkedExample;
    call[0] = call[1] = 121;
    PushCall(call);
    EXPECT_EQ(status.Last(), "DSC format error...");
  }
  {
    SCOPED_TRACE("no end of sequence: the stream runs into the padding");
    Chars call(kWorkedExample.begin(), kWorkedExample.end() - 1);
    PushTimeline(Timeline(call));
    EXPECT_EQ(status.Last(), "Data error...");
  }
  {
    SCOPED_TRACE("128 characters without end of sequence");
    PushTimeline(Timeline(Chars(130, 7)));
    EXPECT_EQ(status.Last(), "Data size error...");
    EXPECT_EQ(decoder.Call(0).Primary.Count, 128);
  }
  EXPECT_TRUE(calls.calls.empty());
  EXPECT_FALSE(decoder.Phased(0));
}

TEST_F(DscDecoderTest, DamagedDxPhasingSymbolLetsItsRxPhasingSymbolIn) {
  std::vector<int> t = Timeline(kWorkedExample);
  t[6] = kDamagedSymbol;  // the fourth DX phasing symbol; its pair is RX 106 at time 11
  PushTimeline(t);
  ASSERT_GE(decoder.Call(0).Primary.Count, 1);
  EXPECT_EQ(decoder.Call(0).Primary.Symbols[0], 106);
  EXPECT_EQ(status.Last(), "Parity error...");
  EXPECT_TRUE(calls.calls.empty());
}

TEST_F(DscDecoderTest, ExpansionWithWrongCheckIsHandedOnWithItsCharacters) {
  const Chars expansion = {100, 12, 34, 56, 78, 117};
  std::vector<int> call(kWorkedExample.begin(), kWorkedExample.end());
  call.push_back(CallCheckCharacter(kWorkedExample));
  std::vector<int> tail(expansion.begin(), expansion.end());
  tail.push_back(ExpansionCheckCharacter(expansion) ^ 3);
  PushTimeline(InterleaveCall(call, tail));
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(Expansion(), expansion);
  EXPECT_EQ(status.Last(), "");
}

TEST_F(DscDecoderTest, FinishInputHandsOnACallWaitingInTheLookAhead) {
  Push(EncodeTransmission(kWorkedExample, std::nullopt, kLongDotPatternBits));
  EXPECT_TRUE(calls.calls.empty());
  ASSERT_TRUE(decoder.Phased(0));
  decoder.FinishInput(0);
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(Primary(), kWorkedExample);
  EXPECT_FALSE(decoder.Phased(0));
  decoder.FinishInput(0);
  EXPECT_EQ(calls.calls.size(), 1u);

  // A call cut short before its check character is not handed on.
  const Bits bits = EncodeTransmission(kWorkedExample, std::nullopt, kLongDotPatternBits);
  Push(Bits(bits.begin(), bits.end() - 40));
  ASSERT_TRUE(decoder.Phased(0));
  decoder.FinishInput(0);
  EXPECT_EQ(calls.calls.size(), 1u);
  EXPECT_TRUE(decoder.Phased(0));
}

TEST_F(DscDecoderTest, AbandonReceptionDropsTheCallSilently) {
  const Bits bits = EncodeTransmission(kWorkedExample, std::nullopt, kLongDotPatternBits);
  Push(Bits(bits.begin(), bits.end() - 100));
  ASSERT_TRUE(decoder.Phased(0));
  const std::size_t texts_before = status.shown.size();
  decoder.AbandonReception(0);
  EXPECT_FALSE(decoder.Phased(0));
  EXPECT_EQ(decoder.Call(0).Primary.Count, 0);
  EXPECT_EQ(receptions.ends, Ends{ReceptionEnd::Abandoned});
  Push(Bits(bits.end() - 100, bits.end()));
  PushPadding();
  decoder.FinishInput(0);
  EXPECT_TRUE(calls.calls.empty());
  EXPECT_EQ(status.shown.size(), texts_before);

  PushCall(kWorkedExample);  // the next call is received normally
  EXPECT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(receptions.ends, (Ends{ReceptionEnd::Abandoned, ReceptionEnd::Completed}));
}

TEST_F(DscDecoderTest, AbandonedReceptionPutsTheCentreBackLikeEveryOtherEnd) {
  tunings[0].CentreFrequency = tunings[0].TrackedCentre = 900.0;
  tunings[0].FrequencyError = 14.0;
  const Bits bits = EncodeTransmission(kWorkedExample, std::nullopt, kLongDotPatternBits);
  Push(Bits(bits.begin(), bits.end() - 100));
  ASSERT_TRUE(decoder.Phased(0));
  ASSERT_DOUBLE_EQ(tunings[0].TrackedCentre, 914.0);  // the frequency control at phasing
  decoder.AbandonReception(0);
  EXPECT_DOUBLE_EQ(tunings[0].TrackedCentre, 900.0);

  // Abandoning while searching changes nothing.
  tunings[0].TrackedCentre = 905.0;
  decoder.AbandonReception(0);
  EXPECT_DOUBLE_EQ(tunings[0].TrackedCentre, 905.0);
  EXPECT_EQ(receptions.ends, Ends{ReceptionEnd::Abandoned});
}

TEST_F(DscDecoderTest, ReceptionsOfBothChannelsAreReported) {
  PushCall(kWorkedExample);
  Push(EncodeTransmission(kWorkedExample, std::nullopt, kLongDotPatternBits), 1);
  decoder.FinishInput(1);
  std::vector<int> t = Timeline(kWorkedExample);
  t[DxTime(22)] = t[RxTime(22)] = 102;
  PushTimeline(t);
  EXPECT_EQ(receptions.starts, 3);
  EXPECT_EQ(receptions.ends, (Ends{ReceptionEnd::Completed, ReceptionEnd::Completed,
                                   ReceptionEnd::EndOfInput, ReceptionEnd::ParityError}));
}

TEST_F(DscDecoderTest, ChannelOneRunsOnItsOwnSettingsAndUnknownChannelsAreIgnored) {
  const Bits inverted = InvertBits(EncodeTransmission(kWorkedExample, std::nullopt, 200));
  Push(inverted, 1);
  Push(InvertBits(EncodeSymbols({}, kPaddingBits)), 1);
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(Primary(1), kWorkedExample);
  EXPECT_FALSE(options.Inverted());  // channel 0's polarity is untouched
  EXPECT_EQ(decoder.Call(0).Primary.Count, 0);

  Push(EncodeTransmission(kWorkedExample, std::nullopt, 200), 2);
  Push(EncodeTransmission(kWorkedExample, std::nullopt, 200), -1);
  decoder.FinishInput(2);
  decoder.AbandonReception(-1);
  EXPECT_EQ(calls.calls.size(), 1u);
  EXPECT_FALSE(decoder.Phased(2));
  EXPECT_THROW(decoder.Call(2), std::out_of_range);
}

}  // namespace
}  // namespace tolvik
