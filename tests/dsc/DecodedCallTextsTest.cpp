// Every layout a receiver knows, sent as bits through the whole decoder
// (synchroniser, assembler, interpreter, formatters) and read back as the
// texts of its receive-list row.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dsc/DecoderOptionValues.h"
#include "dsc/DscDecoder.h"
#include "dsc/DscEncoder.h"
#include "support/RecordingSinks.h"

namespace tolvik {
namespace {

constexpr int kTrailingDotBits = 60;  // lets the two look-ahead steps run out

struct Case {
  const char* name;
  DscMessage message;
  CallTexts expected;
};

const DscDistressInfo kDistress{"232001234", 105, DscPosition{1, 50, 7, 4, 30}, DscTime{23, 59},
                                109};
const DscPosition kWorkingPosition{2, 33, 51, 151, 12};

DscMessage Call(int format, int category, int tc1, int tc2 = 126) {
  DscMessage m;
  m.FormatSpecifier = format;
  m.Category = category;
  m.SelfId = "366123450";
  m.FirstTelecommand = tc1;
  m.SecondTelecommand = tc2;
  if (format == 102) {
    m.AreaAddress = DscArea{0, 35, 139, 5, 10};
  } else if (format != 116) {
    m.Address = "211234560";
  }
  return m;
}

DscMessage With(DscMessage m, auto change) {
  change(m);
  return m;
}

std::vector<Case> Cases() {
  std::vector<Case> cases;
  DscMessage alert;
  alert.FormatSpecifier = 112;
  alert.Distress = kDistress;
  cases.push_back({"112 distress alert",
                   alert,
                   {"Distress", "232001234", "All stations", "SSB telephony", "Sinking",
                    "N50-07 , W4-30", "", DistressKind::Alert}});

  DscMessage lost = alert;
  lost.Distress->Position.reset();
  lost.Distress->Time.reset();
  cases.push_back({"112 distress alert, position not known",
                   lost,
                   {"Distress", "232001234", "All stations", "SSB telephony", "Sinking", "", "",
                    DistressKind::Alert}});
  cases.push_back({"116 distress relay, position not known",
                   With(Call(116, 112, 112), [&](auto& m) { m.Distress = lost.Distress; }),
                   {"Distress", "366123450", "All stations", "SSB telephony",
                    "Sinking (Distress from 232001234)", "", "", DistressKind::Relay}});
  cases.push_back({"116 distress acknowledgement",
                   With(Call(116, 112, 110), [](auto& m) { m.Distress = kDistress; }),
                   {"Distress", "366123450", "232001234", "SSB telephony", "Sinking",
                    "N50-07 , W4-30", "Ack", DistressKind::Acknowledgement}});
  cases.push_back(
      {"116 distress relay",
       With(Call(116, 112, 112), [](auto& m) { m.Distress = kDistress; }),
       {"Distress", "366123450", "All stations", "SSB telephony",
        "Sinking (Distress from 232001234)", "N50-07 , W4-30", "", DistressKind::Relay}});
  cases.push_back(
      {"116 distress category, other telecommand",
       With(Call(116, 112, 118), [](auto& m) { m.Distress = kDistress; }),
       {"Distress", "366123450", "All stations", "Test", "", "", "", DistressKind::None}});
  cases.push_back(
      {"116 test call",
       Call(116, 108, 118),
       {"Safety", "366123450", "All stations", "Test", "", "", "", DistressKind::None}});
  cases.push_back({"116 with position",
                   With(Call(116, 110, 100), [](auto& m) { m.WorkingPosition = kWorkingPosition; }),
                   {"Urgency", "366123450", "All stations", "FM simplex telephony", "",
                    "S33-51 , E151-12", "", DistressKind::None}});
  cases.push_back({"116 with frequencies",
                   With(Call(116, 108, 109, 100),
                        [](auto& m) {
                          m.FirstFrequency = DscFrequency::Khz(8414.5);
                          m.SecondFrequency = DscFrequency::Khz(8414.5);
                        }),
                   {"Safety", "366123450", "All stations", "SSB telephony (No reason given)",
                    "Rx : 8414.5kHz , Tx : 8414.5kHz", "", "", DistressKind::None}});

  for (const int format : {102, 114, 120, 123}) {
    const std::string to = format == 102 ? "N35E139-N30E149" : "211234560";
    const std::string f = std::to_string(format);
    cases.push_back(
        {nullptr,
         With(Call(format, 112, 112), [](auto& m) { m.Distress = kDistress; }),
         {"Distress", "366123450", to, "SSB telephony", "Sinking (Distress from 232001234)",
          "N50-07 , W4-30", "", DistressKind::Relay}});
    cases.push_back({nullptr,
                     Call(format, 100, 103),
                     {"Routine", "366123450", to, "Polling", "", "", "", DistressKind::None}});
    if (format == 123)
      continue;
    cases.push_back(
        {nullptr,
         With(Call(format, 100, 100), [](auto& m) { m.WorkingPosition = kWorkingPosition; }),
         {"Routine", "366123450", to, "FM simplex telephony", "", "S33-51 , E151-12", "",
          DistressKind::None}});
    cases.push_back({nullptr,
                     With(Call(format, 100, 100, 126),
                          [](auto& m) {
                            m.FirstFrequency = DscFrequency::Vhf(16);
                            m.EndOfSequence = 117;
                          }),
                     {"Routine", "366123450", to, "FM simplex telephony", "VHF 16ch", "", "Req",
                      DistressKind::None}});
  }
  cases.push_back({"123 with position and number",
                   With(Call(123, 100, 100),
                        [](auto& m) {
                          m.WorkingPosition = kWorkingPosition;
                          m.TelephoneNumber = "0123456";
                        }),
                   {"Routine", "366123450", "211234560", "FM simplex telephony", "Number 0123456",
                    "S33-51 , E151-12", "", DistressKind::None}});
  cases.push_back({"123 with channel and number",
                   With(Call(123, 100, 109),
                        [](auto& m) {
                          m.FirstFrequency = DscFrequency::MfHf(1234);
                          m.TelephoneNumber = "441234567890";
                          m.EndOfSequence = 122;
                        }),
                   {"Routine", "366123450", "211234560", "SSB telephony",
                    "1234ch , Number 441234567890", "", "Ack", DistressKind::None}});
  return cases;
}

TEST(DecodedCallTextsTest, EveryLayoutReadsBackAsItsRow) {
  for (const bool vhf : {false, true}) {
    for (const Case& c : Cases()) {
      SCOPED_TRACE(::testing::Message() << (c.name ? c.name : "addressed call") << " format "
                                        << c.message.FormatSpecifier << (vhf ? " VHF" : " HF"));
      DecoderOptionValues options;
      options.SetMode(vhf ? DecoderMode::Vhf : DecoderMode::Hf);
      ChannelTunings tunings;
      tolvik::testing::RecordingStatusSink status;
      tolvik::testing::RecordingCallSink calls;
      DscDecoder decoder(options, tunings, status, calls);
      auto bits = EncodeMessage(c.message, vhf ? kShortDotPatternBits : kLongDotPatternBits);
      for (int i = 0; i < kTrailingDotBits; ++i)
        bits.push_back(i % 2);
      for (const auto bit : bits)
        decoder.PushBit(0, bit);

      ASSERT_EQ(calls.calls.size(), 1u) << status.Last();
      const CallTexts& got = calls.calls[0];
      EXPECT_EQ(got.Category, c.expected.Category);
      EXPECT_EQ(got.From, c.expected.From);
      EXPECT_EQ(got.To, c.expected.To);
      EXPECT_EQ(got.RequestStatus, c.expected.RequestStatus);
      EXPECT_EQ(got.Information, c.expected.Information);
      EXPECT_EQ(got.Position, c.expected.Position);
      EXPECT_EQ(got.Ack, c.expected.Ack);
      EXPECT_EQ(got.Kind, c.expected.Kind);
    }
  }
}

TEST(DecodedCallTextsTest, EnhancedPositionSharpensTheAlertsPosition) {
  DscMessage alert;
  alert.FormatSpecifier = 112;
  alert.Distress = DscDistressInfo{"232001234", 100, DscPosition{0, 35, 41, 139, 45}, {}, 100};
  alert.Enhancement = DscEnhancedPosition{1234, 5678};
  DecoderOptionValues options;
  ChannelTunings tunings;
  tolvik::testing::RecordingStatusSink status;
  tolvik::testing::RecordingCallSink calls;
  DscDecoder decoder(options, tunings, status, calls);
  auto bits = EncodeMessage(alert, kLongDotPatternBits);
  for (int i = 0; i < kTrailingDotBits; ++i)
    bits.push_back(i % 2);
  for (const auto bit : bits)
    decoder.PushBit(0, bit);
  ASSERT_EQ(calls.calls.size(), 1u);
  EXPECT_EQ(calls.calls[0].Position, "N35-41.1234 , E139-45.5678");
  EXPECT_EQ(calls.calls[0].Information, "Fire , explosion");
}

}  // namespace
}  // namespace tolvik
