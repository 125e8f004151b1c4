// Generated audio through the whole receiver: the calls come out as rows.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "gen/CallDescriptionParser.h"
#include "gen/SignalGenerator.h"
#include "support/RowCollector.h"

namespace tolvik {
namespace {

// Decodes 48 kHz mono samples and returns the rows, oldest first.
std::vector<ReceiveEntry> Decode(const std::vector<double>& samples, bool vhf) {
  AppSettings settings;
  settings.DecVHF = vhf;
  return testing::DecodeRows(samples, settings);
}

bool HasRow(const std::vector<ReceiveEntry>& rows, const std::string& from, const std::string& to,
            const std::string& information) {
  return std::any_of(rows.begin(), rows.end(), [&](const ReceiveEntry& row) {
    return row.From == from && row.To == to && row.Information == information;
  });
}

std::vector<CallDescription> Calls(std::initializer_list<const char*> texts) {
  std::vector<CallDescription> calls;
  for (const char* text : texts) {
    calls.push_back(ParseCallDescription(text));
  }
  return calls;
}

TEST(GeneratorRoundTripTest, HfCallsOffTuneInvertedAndInNoiseAreAllDecoded) {
  const auto calls = Calls({
      "format=individual to=211234560 from=232001000 tc1=100 freq=2182 freq2=8414.5 eos=req",
      "format=distress from=232001000 nature=fire dpos=N35-41,E139-45 utc=12:30",
      "format=area area=N35E139-N30E149 from=002320001 tc1=109 position=N35-41,E139-45 "
      "enhance=1234,5678",
  });
  SignalOptions options;
  options.OffsetHz = 20;  // within reach of the receiver's frequency control
  options.Inverted = true;
  options.BitRateErrorPpm = 30;
  // Every call must come through, so the noise is set where losses are
  // negligible: in the measured sensitivity curve the share of HF calls lost
  // falls about threefold per dB above 12 dB (30 % at 12 dB, 9.5 % at 13,
  // 3 % at 14), and none of 200 was lost from 18 dB on, which puts a lost
  // call at 20 dB near 1 in 20 000. The noise over the 24 kHz band has a
  // sigma of about 1640 against the 1500-unit tones: 20 sigma from
  // clipping, so it stays Gaussian.
  options.EbN0Db = 20;
  options.Amplitude = 1500;
  const std::vector<ReceiveEntry> rows = Decode(GenerateSignal(calls, options), false);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].From, "232001000");
  EXPECT_EQ(rows[0].To, "211234560");
  EXPECT_EQ(rows[0].Ack, "Req");
  EXPECT_TRUE(HasRow(rows, "232001000", "All stations", "Fire , explosion"));
  EXPECT_EQ(rows[1].Position, "N35-41 , E139-45");
  EXPECT_EQ(rows[2].To, "N35E139-N30E149");
  EXPECT_EQ(rows[2].Position, "N35-41.1234 , E139-45.5678");
}

TEST(GeneratorRoundTripTest, VhfCallsBackToBackAreAllDecoded) {
  const auto calls = Calls({
      "format=group to=023200000 from=232001000 tc1=100 freq=vhf6",
      "format=semi-auto to=002320001 from=232001000 tc1=100 freq=vhf26 number=0123456789",
      "format=all-ships category=distress tc1=110 from=002320001 ship=232001000 nature=sinking",
  });
  SignalOptions options;
  options.Vhf = true;
  options.GapS = 0.2;
  const std::vector<ReceiveEntry> rows = Decode(GenerateSignal(calls, options), true);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_TRUE(HasRow(rows, "232001000", "023200000", "VHF 6ch"));
  EXPECT_TRUE(HasRow(rows, "232001000", "002320001", "VHF 26ch , Number 0123456789"));
  EXPECT_TRUE(HasRow(rows, "002320001", "232001000", "Sinking"));
}

TEST(GeneratorRoundTripTest, RawCallWithAWrongCheckIsNotShown) {
  const std::string symbols =
      "raw=120,120,21,12,34,56,0,100,23,20,1,0,0,100,126,90,0,16,126,"
      "126,126,117";
  const auto good = Calls({symbols.c_str()});
  EXPECT_EQ(Decode(GenerateSignal(good, {}), false).size(), 1u);
  const auto bad = Calls({(symbols + " check=0").c_str()});
  EXPECT_TRUE(Decode(GenerateSignal(bad, {}), false).empty());
}

}  // namespace
}  // namespace tolvik
