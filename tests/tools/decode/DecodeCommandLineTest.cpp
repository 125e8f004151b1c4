#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode/CentrePlan.h"
#include "decode/DecodeOptions.h"
#include "decode/HostAndPort.h"
#include "decode/RowPrinter.h"

namespace tolvik {
namespace {

ParsedCommandLine Parse(std::vector<std::string> words) {
  words.insert(words.begin(), "tolvik-decode");
  std::vector<char*> argv;
  for (auto& word : words)
    argv.push_back(word.data());
  return ParseDecodeCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(DecodeCommandLineTest, FlagsSetTheDecoderOptions) {
  const auto parsed = Parse({"--centre", "1700", "--inverted", "--no-aps", "--no-afc", "--json",
                             "--status", "a.wav", "-"});
  ASSERT_TRUE(parsed.options);
  const DecodeOptions& o = *parsed.options;
  EXPECT_DOUBLE_EQ(o.centre_hz, 1700);
  EXPECT_TRUE(o.inverted);
  EXPECT_FALSE(o.auto_polarity);
  EXPECT_FALSE(o.auto_frequency);
  EXPECT_TRUE(o.json);
  EXPECT_TRUE(o.status);
  EXPECT_FALSE(o.vhf);
  EXPECT_EQ(o.files, (std::vector<std::string>{"a.wav", "-"}));

  const auto defaults = Parse({"a.wav"});
  ASSERT_TRUE(defaults.options);
  EXPECT_DOUBLE_EQ(defaults.options->centre_hz, 800);
  EXPECT_TRUE(defaults.options->auto_polarity);
  EXPECT_TRUE(defaults.options->auto_frequency);
}

TEST(DecodeCommandLineTest, EnhancedTakesItsGateOnlyAfterAnEqualsSign) {
  const auto standard = Parse({"a.wav"});
  ASSERT_TRUE(standard.options);
  EXPECT_FALSE(standard.options->enhanced);
  EXPECT_FALSE(standard.options->strict_gate);

  const auto enhanced = Parse({"--enhanced", "a.wav"});
  ASSERT_TRUE(enhanced.options);
  EXPECT_TRUE(enhanced.options->enhanced);
  EXPECT_FALSE(enhanced.options->strict_gate);
  EXPECT_EQ(enhanced.options->files, (std::vector<std::string>{"a.wav"}));

  const auto strict = Parse({"--enhanced=strict", "a.wav"});
  ASSERT_TRUE(strict.options);
  EXPECT_TRUE(strict.options->enhanced);
  EXPECT_TRUE(strict.options->strict_gate);

  // A file named like a gate is still a file.
  const auto file_named_strict = Parse({"--enhanced", "strict"});
  ASSERT_TRUE(file_named_strict.options);
  EXPECT_FALSE(file_named_strict.options->strict_gate);
  EXPECT_EQ(file_named_strict.options->files, (std::vector<std::string>{"strict"}));
}

TEST(DecodeCommandLineTest, BadUsageLeavesWithStatusTwoAndHelpWithZero) {
  for (const auto& words : std::vector<std::vector<std::string>>{
           {},                                     // no file
           {"--centre", "299", "a.wav"},           // below the lowest centre
           {"--centre", "3001", "a.wav"},          // above the highest
           {"--centre", "abc", "a.wav"},           // not a number
           {"--vhf", "--centre", "800", "a.wav"},  // VHF tones are fixed
           {"--enhanced=loose", "a.wav"},          // no such gate
           {"--frobnicate", "a.wav"}}) {
    testing::internal::CaptureStderr();
    const auto parsed = Parse(words);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(parsed.options);
    EXPECT_EQ(parsed.exit_status, 2);
    EXPECT_FALSE(message.empty());
  }
  testing::internal::CaptureStdout();
  const auto help = Parse({"--help"});
  EXPECT_NE(testing::internal::GetCapturedStdout().find("--centre"), std::string::npos);
  EXPECT_FALSE(help.options);
  EXPECT_EQ(help.exit_status, 0);
}

TEST(DecodeCommandLineTest, CentresThatAreNoNumberAreRefused) {
  // strtod reads all of these as doubles; NaN passed every range check and
  // decoded nothing.
  for (const char* centre : {"nan", "NaN", "-nan", "inf", "-inf", "abc", "800Hz", ""}) {
    SCOPED_TRACE(centre);
    testing::internal::CaptureStderr();
    const auto parsed = Parse({"--centre", centre, "a.wav"});
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(parsed.options);
    EXPECT_EQ(parsed.exit_status, 2);
    EXPECT_NE(message.find("--centre: not a number"), std::string::npos) << message;
  }
  testing::internal::CaptureStderr();
  Parse({"--centre", "1e9", "a.wav"});
  EXPECT_NE(testing::internal::GetCapturedStderr().find("must be between 300 and 3000 Hz"),
            std::string::npos);
}

TEST(DecodeCommandLineTest, ChannelChoosesTheDecodedChannels) {
  EXPECT_EQ(Parse({"a.wav"}).options->channels, DecodedChannels::Left);
  EXPECT_EQ(Parse({"--channel", "right", "a.wav"}).options->channels, DecodedChannels::Right);
  EXPECT_EQ(Parse({"--channel=Both", "a.wav"}).options->channels, DecodedChannels::Both);
  EXPECT_EQ(Parse({"--channel", "left", "a.wav"}).options->channels, DecodedChannels::Left);
  for (const char* bad : {"middle", "1", ""}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(Parse({"--channel", bad, "a.wav"}).exit_status, 2);
  }
}

TEST(DecodeCommandLineTest, RawStreamFormatAndVersion) {
  const auto defaults = Parse({"-"});
  ASSERT_TRUE(defaults.options);
  EXPECT_EQ(defaults.options->raw_rate_hz, 48000);
  EXPECT_EQ(defaults.options->raw_channels, 2);
  const auto mono = Parse({"--raw-rate", "24000", "--raw-channels", "1", "-"});
  ASSERT_TRUE(mono.options);
  EXPECT_EQ(mono.options->raw_rate_hz, 24000);
  EXPECT_EQ(mono.options->raw_channels, 1);
  for (const auto& words : std::vector<std::vector<std::string>>{
           {"--raw-channels", "3", "-"}, {"--raw-rate", "0", "-"}, {"--raw-rate", "nan", "-"}}) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(Parse(words).exit_status, 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(words[0]), std::string::npos);
  }
  testing::internal::CaptureStdout();
  const auto version = Parse({"--version"});  // no FILE needed
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "tolvik-decode " TOLVIK_VERSION "\n");
  EXPECT_FALSE(version.options);
  EXPECT_EQ(version.exit_status, 0);
}

TEST(DecodeCommandLineTest, NmeaOutputsTakeTheirPlaces) {
  const auto parsed =
      Parse({"--nmea", "--nmea-udp", "192.168.1.255:2000", "--nmea-tcp", "10110", "a.wav"});
  ASSERT_TRUE(parsed.options);
  const DecodeOptions& o = *parsed.options;
  EXPECT_TRUE(o.nmea);
  ASSERT_TRUE(o.nmea_udp);
  EXPECT_EQ(o.nmea_udp->host, "192.168.1.255");
  EXPECT_EQ(o.nmea_udp->port, 2000);
  EXPECT_EQ(o.nmea_tcp_port, 10110);
  EXPECT_EQ(o.files, (std::vector<std::string>{"a.wav"}));

  const auto none = Parse({"a.wav"});
  ASSERT_TRUE(none.options);
  EXPECT_FALSE(none.options->nmea);
  EXPECT_FALSE(none.options->nmea_udp);
  EXPECT_FALSE(none.options->nmea_tcp_port);
}

TEST(DecodeCommandLineTest, HostsAndPortsAsPeopleWriteThem) {
  const auto host_only = ParseHostAndPort("plotter.local", 10110);
  ASSERT_TRUE(host_only);
  EXPECT_EQ(host_only->host, "plotter.local");
  EXPECT_EQ(host_only->port, 10110);
  const auto v6 = ParseHostAndPort("[::1]:10111", 10110);
  ASSERT_TRUE(v6);
  EXPECT_EQ(v6->host, "::1");
  EXPECT_EQ(v6->port, 10111);
  const auto bare_v6 = ParseHostAndPort("fe80::1", 10110);
  ASSERT_TRUE(bare_v6);
  EXPECT_EQ(bare_v6->host, "fe80::1");
  EXPECT_EQ(bare_v6->port, 10110);
  for (const char* bad : {"", ":10110", "host:", "host:0", "host:65536", "host:12a", "host:-1",
                          "[::1", "[::1]10110", "host:100000"}) {
    EXPECT_FALSE(ParseHostAndPort(bad, 10110)) << bad;
  }
}

TEST(DecodeCommandLineTest, BadNmeaValuesAreRefusedNamingTheOption) {
  const std::vector<std::vector<std::string>> bad = {
      {"--nmea-udp", "localhost:99999", "a.wav"},
      {"--nmea-udp", ":10110", "a.wav"},
      {"--nmea-tcp", "65536", "a.wav"},
      {"--nmea-tcp", "port", "a.wav"},
      {"--nmea", "--json", "a.wav"},
  };
  for (const auto& words : bad) {
    testing::internal::CaptureStderr();
    const auto parsed = Parse(words);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(parsed.options) << words[0];
    EXPECT_EQ(parsed.exit_status, 2) << words[0];
    EXPECT_NE(message.find(words[0] == "--nmea" ? "--json" : words[0] + ": "), std::string::npos)
        << message;
  }
}

TEST(DecodeCommandLineTest, MqttTakesABrokerWithItsPortOrTheDefault) {
  const auto none = Parse({"a.wav"});
  ASSERT_TRUE(none.options);
  EXPECT_FALSE(none.options->mqtt);
  EXPECT_EQ(none.options->mqtt_topic, "tolvik");
  EXPECT_EQ(none.options->mqtt_station, "");  // the host name, later

  const auto plain = Parse({"--mqtt", "broker.lan", "a.wav"});
  ASSERT_TRUE(plain.options && plain.options->mqtt);
  EXPECT_EQ(plain.options->mqtt->host, "broker.lan");
  EXPECT_EQ(plain.options->mqtt->port, 1883);

  const auto full =
      Parse({"--mqtt", "[fd00::7]:8883", "--mqtt-topic", "coast/dsc", "--mqtt-station", "north",
             "--mqtt-credentials", "/etc/tolvik/mqtt", "a.wav"});
  ASSERT_TRUE(full.options && full.options->mqtt);
  EXPECT_EQ(full.options->mqtt->host, "fd00::7");
  EXPECT_EQ(full.options->mqtt->port, 8883);
  EXPECT_EQ(full.options->mqtt_topic, "coast/dsc");
  EXPECT_EQ(full.options->mqtt_station, "north");
  EXPECT_EQ(full.options->mqtt_credentials, "/etc/tolvik/mqtt");
}

TEST(DecodeCommandLineTest, BadMqttValuesAreRefusedNamingTheOption) {
  const std::vector<std::vector<std::string>> bad = {
      {"--mqtt", "broker:0", "a.wav"},
      {"--mqtt", "", "a.wav"},
      {"--mqtt-topic", "dsc/#", "--mqtt", "broker", "a.wav"},
      {"--mqtt-topic", "/", "--mqtt", "broker", "a.wav"},
      {"--mqtt-station", "a/b", "--mqtt", "broker", "a.wav"},
      {"--mqtt-station", "+", "--mqtt", "broker", "a.wav"},
      {"--mqtt-station", "", "--mqtt", "broker", "a.wav"},
      // Without a broker they would be silently ignored.
      {"--mqtt-topic", "dsc", "a.wav"},
      {"--mqtt-credentials", "secret", "a.wav"},
  };
  for (const auto& words : bad) {
    testing::internal::CaptureStderr();
    const auto parsed = Parse(words);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(parsed.options) << words[0] << " " << words[1];
    EXPECT_EQ(parsed.exit_status, 2) << words[0] << " " << words[1];
    EXPECT_NE(message.find(words[0]), std::string::npos) << message;
  }
}

TEST(DecodeCommandLineTest, LogAndCsvOptions) {
  const auto defaults = Parse({"a.wav"});
  ASSERT_TRUE(defaults.options);
  EXPECT_FALSE(defaults.options->csv);
  EXPECT_FALSE(defaults.options->log_dir);

  const auto csv_log = Parse({"--csv", "--log-dir", "logs dir", "a.wav"});
  ASSERT_TRUE(csv_log.options);
  EXPECT_TRUE(csv_log.options->csv);
  EXPECT_EQ(csv_log.options->log_dir, "logs dir");
  EXPECT_EQ(csv_log.options->log_format, LogFormat::Csv);
  EXPECT_EQ(csv_log.options->files, (std::vector<std::string>{"a.wav"}));

  const auto json_log = Parse({"--log-dir", "logs", "--log-format", "JSON", "a.wav"});
  ASSERT_TRUE(json_log.options);
  EXPECT_EQ(json_log.options->log_format, LogFormat::Json);

  const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
      {{"--csv", "--json", "a.wav"}, "--json excludes --csv"},
      {{"--nmea", "--csv", "a.wav"}, "excludes"},
      {{"--log-format", "json", "a.wav"}, "--log-format requires --log-dir"},
      {{"--log-dir", "logs", "--log-format", "xml", "a.wav"}, "--log-format"},
      {{"--log-dir", "a.wav"}, "FILE is required"},
  };
  for (const auto& [words, wanted] : bad) {
    testing::internal::CaptureStderr();
    const auto parsed = Parse(words);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(parsed.options) << words[0];
    EXPECT_EQ(parsed.exit_status, 2) << words[0];
    EXPECT_NE(message.find(wanted), std::string::npos) << message;
  }
}

TEST(CentrePlanTest, DecoderTunesDirectlyOnlyToItsOwnCentres) {
  EXPECT_EQ(PlanCentre(500).dec_fc, 50);
  EXPECT_FALSE(PlanCentre(500).shift_from_hz);
  EXPECT_EQ(PlanCentre(1000).dec_fc, 100);
  EXPECT_EQ(PlanCentre(870).dec_fc, 87);
  EXPECT_FALSE(PlanCentre(870).shift_from_hz);
  // Between the 10 Hz steps, outside the range: shifted to 800 Hz.
  for (const double centre : {805.0, 490.0, 1010.0, 1700.0, 300.0, 3000.0}) {
    const CentrePlan plan = PlanCentre(centre);
    EXPECT_EQ(plan.dec_fc, 80) << centre;
    ASSERT_TRUE(plan.shift_from_hz) << centre;
    EXPECT_DOUBLE_EQ(*plan.shift_from_hz, centre);
  }
}

TEST(RowPrinterTest, PlainLineIsTheSameWhicheverDecoderMadeTheRow) {
  ReceiveEntry entry{"Distress",       "232001234", "All stations", "SSB telephony", "Sinking",
                     "N50-07 , W4-30", "",          "09:30:00"};
  const DecodedRow mended{"a.wav", 1.0, &entry, DistressKind::Alert, true, true};
  EXPECT_EQ(FormatPlainRow(mended, false), FormatPlainRow({"a.wav", 1.0, &entry}, false));
}

TEST(RowPrinterTest, ChannelColumnOnlyWhenAskedAndAlignedForBothChannels) {
  ReceiveEntry entry{"Routine", "366123450", "211234560", "Test", "", "", "", "09:30:00"};
  const DecodedRow left{"a.wav", 8.8, &entry, DistressKind::None, false, false, 0};
  const DecodedRow right{"a.wav", 8.8, &entry, DistressKind::None, false, false, 1};
  EXPECT_EQ(FormatPlainRow(left, false), FormatPlainRow(right, false));
  const std::string l = FormatPlainRow(left, false, ChannelColumn::Shown);
  const std::string r = FormatPlainRow(right, false, ChannelColumn::Shown);
  EXPECT_EQ(l.find("  L  "), r.find("  R  "));
  EXPECT_NE(l.find("  L  "), std::string::npos);
  EXPECT_EQ(r.find("  L  "), std::string::npos);
  EXPECT_EQ(l.find("366123450"), r.find("366123450"));
}

TEST(RowPrinterTest, PlainLineKeepsColumnsAlignedAndMarksEmptyCells) {
  ReceiveEntry first{"Routine",  "366123450", "211234560", "FM simplex telephony",
                     "VHF 16ch", "",          "Req",       "09:30:00"};
  ReceiveEntry second{"Distress",       "232001234", "All stations", "", "Sinking",
                      "N50-07 , W4-30", "",          "09:30:05"};
  const std::string a = FormatPlainRow({"a.wav", 8.8, &first, DistressKind::None}, false);
  const std::string b = FormatPlainRow({"a.wav", 123.4, &second, DistressKind::Alert}, false);
  EXPECT_EQ(a.find("366123450"), b.find("232001234"));
  EXPECT_EQ(a.find("211234560"), b.find("All stations"));
  EXPECT_NE(a.find("VHF 16ch"), std::string::npos);
  EXPECT_NE(b.find("@ N50-07 , W4-30"), std::string::npos);
  EXPECT_EQ(FormatPlainRow({"a.wav", 8.8, &first, DistressKind::None}, true).rfind("a.wav:", 0),
            0u);
}

TEST(RowPrinterTest, AreaCallsKeepTheColumnsOfTheOthers) {
  ReceiveEntry individual{"Routine",  "366123450", "211234560", "FM simplex telephony",
                          "VHF 16ch", "",          "Req",       "09:30:00"};
  // The widest To an area can read: 99 degrees south and east of N99E999.
  for (const char* area : {"N35E139-N30E149", "S9W9-S10W8", "N99E999-S198E1098"}) {
    SCOPED_TRACE(area);
    ReceiveEntry area_call{"Safety", "002320001", area, "Test", "", "", "", "09:30:05"};
    const std::string a = FormatPlainRow({"a.wav", 8.8, &individual, DistressKind::None}, false);
    const std::string b = FormatPlainRow({"a.wav", 18.8, &area_call, DistressKind::None}, false);
    EXPECT_EQ(a.find("FM simplex telephony"), b.find("Test"));
  }
}

}  // namespace
}  // namespace tolvik
