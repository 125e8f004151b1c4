#include "audio/Receiver.h"

#include "audio/HeadlessHost.h"
#include "audio/SettingsDecoderOptions.h"
#include "audio/SettingsListOptions.h"
#include "base/CaptureBlock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "demod/FskModulator.h"
#include "dsc/DecoderOptionValues.h"
#include "dsc/DscEncoder.h"
#include "dsc/ReceptionObserver.h"
#include "list/ListOptionValues.h"
#include "support/WorkedExample.h"

namespace tolvik {
namespace {

// A host that shows nothing and records the status texts and the lamp.
struct QuietHost final : HeadlessHost, StatusTextSink, TimeOfDayClock {
  std::vector<std::pair<StatusPanel, std::string>> texts;
  std::vector<bool> lamp;

  void ShowStatusText(StatusPanel panel, const std::string& text) override {
    texts.emplace_back(panel, text);
  }
  void SetReceiveLamp(bool phased) override { lamp.push_back(phased); }
  TimeOfDay Now() const override { return {9, 30, 0, 0}; }

  std::vector<std::string> TextsOf(StatusPanel panel) const {
    std::vector<std::string> out;
    for (const auto& [p, text] : texts) {
      if (p == panel)
        out.push_back(text);
    }
    return out;
  }
};

DscMessage WorkedExampleCall() {
  return testing::WorkedExampleMessage();
}

DscMessage DistressAlert() {
  DscMessage m;
  m.FormatSpecifier = kFormatDistress;
  m.Distress =
      DscDistressInfo{"232001234", 105, DscPosition{1, 50, 7, 4, 30}, DscTime{23, 59}, 109};
  return m;
}

// Audio of `bits` as a transmitter sends it, with half a second of idle
// tone around it, cut into capture buffers and fed to the receiver.
void Transmit(Receiver& receiver, const std::vector<std::uint8_t>& bits, FskModulator modulator) {
  std::vector<std::uint8_t> padded(50, 1);  // the receiver's filters settle on a steady tone
  padded.insert(padded.end(), bits.begin(), bits.end());
  padded.insert(padded.end(), 60, 1);
  std::vector<double> samples;
  modulator.Modulate(padded, samples);
  samples.resize((samples.size() / kFramesPerBlock + 1) * kFramesPerBlock, 0.0);

  CaptureBlock buffer{};
  for (std::size_t start = 0; start < samples.size(); start += kFramesPerBlock) {
    FillCaptureBlock(std::span<const double>(samples).subspan(start, kFramesPerBlock), buffer);
    receiver.ProcessBlock(CaptureBuffer(buffer));
  }
}

FskModulator HfModulator(double centre_hz) {
  return FskModulator(centre_hz - 85, centre_hz + 85, 100, 8000);
}

TEST(ReceiverTest, HfIndividualCallBecomesARowFromAudio) {
  AppSettings settings;
  QuietHost host;
  Receiver receiver(settings, {host, host, host, host});
  Transmit(receiver, EncodeMessage(WorkedExampleCall(), kLongDotPatternBits), HfModulator(800));

  ASSERT_EQ(receiver.List().Count(), 1);
  const ReceiveEntry& row = receiver.List().Row(0);
  EXPECT_EQ(row.Category, "Routine");
  EXPECT_EQ(row.From, "366123450");
  EXPECT_EQ(row.To, "211234560");
  EXPECT_EQ(row.RequestStatus, "FM simplex telephony");
  EXPECT_EQ(row.Information, "VHF 16ch");
  EXPECT_EQ(row.Position, "");
  EXPECT_EQ(row.Ack, "Req");
  EXPECT_EQ(row.Time, "09:30:00");

  const auto decoder_texts = host.TextsOf(StatusPanel::Decoder);
  ASSERT_FALSE(decoder_texts.empty());
  EXPECT_TRUE(decoder_texts.front().starts_with("Receiving data... (Freq Err = "));
  EXPECT_EQ(host.TextsOf(StatusPanel::Mode), (std::vector<std::string>{"HF DSC"}));
  // Lit while the call came in, dark again once it was handed on.
  EXPECT_NE(std::find(host.lamp.begin(), host.lamp.end(), true), host.lamp.end());
  EXPECT_FALSE(host.lamp.back());
}

TEST(ReceiverTest, OffTuneHfCallIsFoundAndTheCentreRestoredAfterwards) {
  AppSettings settings;
  settings.DecFc = 100;  // 1000 Hz
  QuietHost host;
  Receiver receiver(settings, {host, host, host, host});
  Transmit(receiver, EncodeMessage(DistressAlert(), kLongDotPatternBits), HfModulator(1015));

  ASSERT_EQ(receiver.List().Count(), 1);
  EXPECT_EQ(receiver.List().Row(0).Category, "Distress");
  EXPECT_EQ(receiver.List().Row(0).Position, "N50-07 , W4-30");
  EXPECT_EQ(receiver.List().Row(0).Information, "Sinking");
  EXPECT_DOUBLE_EQ(receiver.Tuning(0).TrackedCentre, 1000.0);
  // The frequency control saw the 15 Hz offset at phasing.
  EXPECT_NEAR(receiver.Tuning(0).FrequencyError, 15.0, 2.0);
}

TEST(ReceiverTest, VhfCallAfterAModeSwitchShowsNoFrequencyError) {
  AppSettings settings;
  QuietHost host;
  Receiver receiver(settings, {host, host, host, host});
  settings.DecVHF = true;
  receiver.SetUpDecoderMode();
  EXPECT_EQ(receiver.DisplayConstants().DecimationFactor, 4);
  Transmit(receiver, EncodeMessage(WorkedExampleCall(), kShortDotPatternBits),
           FskModulator(1300, 2100, 1200, 8000));

  ASSERT_EQ(receiver.List().Count(), 1);
  EXPECT_EQ(receiver.List().Row(0).Information, "VHF 16ch");
  EXPECT_EQ(host.TextsOf(StatusPanel::Mode), (std::vector<std::string>{"HF DSC", "VHF DSC"}));
  EXPECT_EQ(host.TextsOf(StatusPanel::Decoder).front(), "Receiving data...");
}

TEST(ReceiverTest, ModeSwitchAbandonsAReceptionInProgress) {
  AppSettings settings;
  QuietHost host;
  Receiver receiver(settings, {host, host, host, host});
  auto bits = EncodeMessage(WorkedExampleCall(), kLongDotPatternBits);
  bits.resize(bits.size() / 2);  // stop in the middle of the call
  Transmit(receiver, bits, HfModulator(800));
  // The idle tone after the cut keeps the reception going...
  ASSERT_TRUE(receiver.Phased());
  receiver.SetUpDecoderMode();
  // ...until the mode set-up returns the decoder to its phasing search.
  EXPECT_FALSE(receiver.Phased());
  EXPECT_EQ(receiver.List().Count(), 0);
}

TEST(ReceiverTest, ModeSwitchPutsAnAfcMovedCentreBackToDecFc) {
  AppSettings settings;
  settings.DecFc = 100;  // 1000 Hz
  QuietHost host;
  Receiver receiver(settings, {host, host, host, host});
  auto bits = EncodeMessage(WorkedExampleCall(), kLongDotPatternBits);
  bits.resize(bits.size() / 2);
  Transmit(receiver, bits, HfModulator(1015));
  ASSERT_TRUE(receiver.Phased());
  // Phasing moved the mixer towards the 15 Hz offset of the signal.
  ASSERT_GT(receiver.Tuning(0).TrackedCentre, 1010.0);

  settings.DecVHF = true;
  receiver.SetUpDecoderMode();
  EXPECT_FALSE(receiver.Phased());
  // The correction belonged to the abandoned call: back in HF the search
  // starts on the user's centre.
  EXPECT_DOUBLE_EQ(receiver.Tuning(0).TrackedCentre, 1000.0);
  settings.DecVHF = false;
  receiver.SetUpDecoderMode();
  EXPECT_DOUBLE_EQ(receiver.Tuning(0).TrackedCentre, 1000.0);
  Transmit(receiver, EncodeMessage(WorkedExampleCall(), kLongDotPatternBits), HfModulator(1000));
  ASSERT_EQ(receiver.List().Count(), 1);
  EXPECT_EQ(receiver.List().Row(0).Information, "VHF 16ch");
}

TEST(ReceiverTest, AutomaticPolarityReversesDecINVInTheSettingsItWasGiven) {
  AppSettings settings;
  QuietHost host;
  Receiver receiver(settings, {host, host, host, host});
  // Mark and space swapped: every bit arrives inverted.
  const FskModulator inverted(885, 715, 100, 8000);
  settings.DecAPS = false;
  Transmit(receiver, EncodeMessage(WorkedExampleCall(), kLongDotPatternBits), inverted);
  EXPECT_EQ(receiver.List().Count(), 0);
  EXPECT_FALSE(settings.DecINV);

  settings.DecAPS = true;  // taken into use at the next bit
  Transmit(receiver, EncodeMessage(WorkedExampleCall(), kLongDotPatternBits), inverted);
  EXPECT_EQ(receiver.List().Count(), 1);
  EXPECT_TRUE(settings.DecINV);
}

TEST(ReceiverTest, ListSettingsTakeEffectAtTheNextCall) {
  AppSettings settings;
  QuietHost host;
  Receiver receiver(settings, {host, host, host, host});
  const auto call = EncodeMessage(WorkedExampleCall(), kLongDotPatternBits);
  Transmit(receiver, call, HfModulator(800));
  Transmit(receiver, call, HfModulator(800));
  EXPECT_EQ(receiver.List().Count(), 2);
  settings.CheckAdd = true;  // the same station now overwrites its row
  Transmit(receiver, call, HfModulator(800));
  EXPECT_EQ(receiver.List().Count(), 2);
}

TEST(ReceiverTest, ReceptionObserverHearsHowEachReceptionEnds) {
  struct Ends final : ReceptionObserver {
    void ReceptionStarted() override { ++starts; }
    void ReceptionEnded(ReceptionEnd end) override { ends.push_back(end); }
    int starts = 0;
    std::vector<ReceptionEnd> ends;
  } observer;
  AppSettings settings;
  QuietHost host;
  Receiver receiver(settings, {host, host, host, host, &observer});
  EXPECT_TRUE(observer.ends.empty());  // the mode set-up at start abandons nothing
  auto bits = EncodeMessage(WorkedExampleCall(), kLongDotPatternBits);
  Transmit(receiver, bits, HfModulator(800));
  bits.resize(bits.size() / 2);
  Transmit(receiver, bits, HfModulator(800));
  receiver.SetUpDecoderMode();
  EXPECT_EQ(observer.starts, 2);
  EXPECT_EQ(observer.ends,
            (std::vector<ReceptionEnd>{ReceptionEnd::Completed, ReceptionEnd::Abandoned}));
}

// Decoder channel 1 and the tests run on plain option values; their
// defaults must stay those of a fresh settings file, which channel 0 reads.
TEST(SettingsOptionsTest, PlainDefaultsAreThoseOfAFreshSettingsFile) {
  AppSettings fresh;
  const SettingsDecoderOptions from_settings(fresh);
  const DecoderOptionValues plain;
  EXPECT_EQ(plain.Inverted(), from_settings.Inverted());
  EXPECT_EQ(plain.AutomaticPolarity(), from_settings.AutomaticPolarity());
  EXPECT_EQ(plain.AutomaticFrequencyControl(), from_settings.AutomaticFrequencyControl());
  EXPECT_EQ(plain.Mode(), from_settings.Mode());

  const SettingsListOptions list_from_settings(fresh);
  const ListOptionValues list_plain;
  EXPECT_EQ(list_plain.OverwriteStation(), list_from_settings.OverwriteStation());
  EXPECT_EQ(list_plain.DropNoInformation(), list_from_settings.DropNoInformation());
  EXPECT_EQ(list_plain.AlertOnDistress(), list_from_settings.AlertOnDistress());
  EXPECT_EQ(list_plain.AlertOnAcknowledgement(), list_from_settings.AlertOnAcknowledgement());
  EXPECT_EQ(list_plain.AlertOnRelay(), list_from_settings.AlertOnRelay());
  EXPECT_EQ(list_plain.AgeingLimitSteps(), list_from_settings.AgeingLimitSteps());
}

// Each option reads its own key: set one key at a time, only its option moves.
TEST(SettingsOptionsTest, EachOptionFollowsItsOwnKey) {
  AppSettings settings;
  settings.DistAlt = settings.DistAck = settings.DistRly = false;
  SettingsDecoderOptions decoder(settings);
  const SettingsListOptions list(settings);
  const auto list_state = [&] {
    return std::vector<int>{list.OverwriteStation(), list.DropNoInformation(),
                            list.AlertOnDistress(),  list.AlertOnAcknowledgement(),
                            list.AlertOnRelay(),     list.AgeingLimitSteps()};
  };
  settings.CheckAdd = true;
  EXPECT_EQ(list_state(), (std::vector<int>{1, 0, 0, 0, 0, 6}));
  settings.NoMsgAdd = true;
  EXPECT_EQ(list_state(), (std::vector<int>{1, 1, 0, 0, 0, 6}));
  settings.DistAlt = true;
  EXPECT_EQ(list_state(), (std::vector<int>{1, 1, 1, 0, 0, 6}));
  settings.DistAck = true;
  EXPECT_EQ(list_state(), (std::vector<int>{1, 1, 1, 1, 0, 6}));
  settings.DistRly = true;
  settings.DelMin = 12;
  EXPECT_EQ(list_state(), (std::vector<int>{1, 1, 1, 1, 1, 12}));

  settings.DecAPS = false;
  EXPECT_FALSE(decoder.AutomaticPolarity());
  EXPECT_TRUE(decoder.AutomaticFrequencyControl());
  settings.DecAFC = false;
  EXPECT_FALSE(decoder.AutomaticFrequencyControl());
  settings.DecVHF = true;
  EXPECT_EQ(decoder.Mode(), DecoderMode::Vhf);
  decoder.SetInverted(true);
  EXPECT_TRUE(settings.DecINV);
  settings.DecINV = false;
  EXPECT_FALSE(decoder.Inverted());
}

}  // namespace
}  // namespace tolvik
