#include "decode/DecodeOptions.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <map>
#include <string>

#include "audio/input/InputRateRange.h"
#include "common/CentreRange.h"
#include "common/NumberCheck.h"
#include "outputs/MqttSettings.h"
#include "outputs/UdpSentenceSender.h"

namespace tolvik {

namespace {
constexpr int kUsageExitStatus = 2;
constexpr const char* kNormalGate = "normal";
constexpr const char* kStrictGate = "strict";
constexpr int kLargestPort = 65535;

CLI::Validator HostAndPortCheck(int default_port) {
  return CLI::Validator(
      [default_port](std::string& text) -> std::string {
        return ParseHostAndPort(text, default_port)
                   ? ""
                   : "must be HOST:PORT (or HOST for port " + std::to_string(default_port) +
                         "; [ADDRESS]:PORT for IPv6) with a port from 1 to 65535";
      },
      "");
}

// A text the MQTT topics can hold, by the check that says why not.
CLI::Validator TopicPartCheck(std::optional<std::string> (*problem)(const std::string&)) {
  return CLI::Validator(
      [problem](std::string& text) -> std::string { return problem(text).value_or(""); }, "");
}

// The MQTT output: --mqtt and what only makes sense with it.
void AddMqttOptions(CLI::App& app, DecodeOptions& options, std::string& broker) {
  auto* mqtt = app.add_option("--mqtt", broker,
                              "Also publish each call as a JSON object (as --json prints it) to\n"
                              "the MQTT broker at HOST:PORT (port 1883 when left out), QoS 1")
                   ->type_name("HOST[:PORT]")
                   ->check(HostAndPortCheck(MqttSettings::kDefaultPort));
  app.add_option("--mqtt-topic", options.mqtt_topic,
                 "Topics PREFIX/STATION/call and PREFIX/STATION/status (default tolvik)")
      ->type_name("PREFIX")
      ->check(TopicPartCheck(TopicPrefixProblem))
      ->needs(mqtt);
  app.add_option("--mqtt-station", options.mqtt_station,
                 "The station's name in the topics (default: this machine's host name)")
      ->type_name("NAME")
      ->check(TopicPartCheck(StationNameProblem))
      ->needs(mqtt);
  app.add_option_function<std::string>(
         "--mqtt-credentials",
         [&options](const std::string& file) { options.mqtt_credentials = file; },
         "Read the broker's user and password from FILE, one line user:password\n"
         "(else from TOLVIK_MQTT_USER and TOLVIK_MQTT_PASSWORD, if set)")
      ->type_name("FILE")
      ->needs(mqtt);
}

// The daily call log: --log-dir and --log-format.
void AddLogOptions(CLI::App& app, DecodeOptions& options) {
  auto* log_dir = app.add_option_function<std::string>(
      "--log-dir", [&options](const std::string& folder) { options.log_dir = folder; },
      "Also append every call to a log in DIR, one file per UTC day\n"
      "(tolvik-YYYY-MM-DD.csv or .jsonl); DIR is created when missing");
  log_dir->type_name("DIR");
  const std::map<std::string, LogFormat> formats{{"csv", LogFormat::Csv},
                                                 {"json", LogFormat::Json}};
  app.add_option("--log-format", options.log_format,
                 "How the log writes a call: csv (default) or json (JSON lines)")
      ->transform(CLI::CheckedTransformer(formats, CLI::ignore_case))
      ->needs(log_dir);
}

// --channel takes the names alone, in any case, never the enum's numbers.
void AddChannelOption(CLI::App& app, DecodeOptions& options) {
  static const std::map<std::string, DecodedChannels> kChannels{{"left", DecodedChannels::Left},
                                                                {"right", DecodedChannels::Right},
                                                                {"both", DecodedChannels::Both}};
  app.add_option_function<std::string>(
         "--channel",
         [&options](const std::string& name) {
           options.channels = kChannels.at(CLI::detail::to_lower(name));
         },
         "Which channel of a stereo input to decode: left (default), right or\n"
         "both (two receivers on one sound card); rows say which")
      ->check(CLI::IsMember(kChannels, CLI::ignore_case));
}
}  // namespace

ParsedCommandLine ParseDecodeCommandLine(int argc, char** argv) {
  DecodeOptions options;
  bool no_aps = false;
  bool no_afc = false;
  bool no_progress = false;
  std::string enhanced;  // empty, or the gate after --enhanced
  std::string nmea_udp;  // HOST:PORT after --nmea-udp
  std::string mqtt;      // HOST[:PORT] after --mqtt
  int nmea_tcp_port = -1;

  CLI::App app{
      "Decodes maritime DSC calls from recordings and prints one line per call.\n"
      "Reads any audio file libsndfile reads, at any sample rate (the left channel of a\n"
      "stereo file, see --channel). '-' reads standard input: a sound file "
      "(WAV, FLAC, Ogg, AIFF, .snd),\n"
      "recognised by its header, or else raw signed 16-bit little-endian samples\n"
      "(--raw-rate, --raw-channels).",
      "tolvik-decode"};
  app.set_version_flag("--version", "tolvik-decode " TOLVIK_VERSION);
  app.add_option("FILE", options.files, "Recordings to decode, or - for standard input")
      ->required();
  auto* vhf = app.add_flag("--vhf", options.vhf, "Decode VHF DSC (1200 bit/s, 1300/2100 Hz)");
  app.add_option("--centre", options.centre_hz,
                 "HF centre frequency in Hz (default 800). 500-1000 in steps of 10 is used\n"
                 "directly; any other centre from 300 to 3000 (1700 for SSB recordings) is\n"
                 "shifted to 800 Hz before decoding")
      ->check(NumberBetween(kLowestCentreHz, kHighestCentreHz, "Hz"))
      ->excludes(vhf);
  app.add_flag("--inverted", options.inverted, "Start with inverted polarity");
  app.add_flag("--no-aps", no_aps, "No automatic polarity");
  app.add_flag("--no-afc", no_afc, "No automatic frequency control");
  // A flag, so that "--enhanced FILE" never takes FILE for the gate.
  app.add_flag(std::string("--enhanced{") + kNormalGate + "}", enhanced,
               "Decode by soft decisions with check-character repair (about 6 dB more\n"
               "sensitive on HF, 3 dB on VHF); --enhanced=strict for the gate that is\n"
               "less sensitive and safer")
      ->check(CLI::IsMember({kNormalGate, kStrictGate}));
  auto* json = app.add_flag("--json", options.json, "Print one JSON object per call");
  auto* csv = app.add_flag("--csv", options.csv,
                           "Print the calls as comma-separated values, a header line first")
                  ->excludes(json);
  app.add_flag("--nmea", options.nmea,
               "Print each call as NMEA 0183 sentences ($CDDSC, $CDDSE) instead of a line")
      ->excludes(json)
      ->excludes(csv);
  auto* udp = app.add_option("--nmea-udp", nmea_udp,
                             "Also send each call's NMEA sentences as UDP datagrams to HOST:PORT\n"
                             "(OpenCPN listens on 127.0.0.1:10110; broadcast addresses work)")
                  ->type_name("HOST:PORT")
                  ->check(HostAndPortCheck(UdpSentenceSender::kDefaultPort));
  auto* tcp = app.add_option("--nmea-tcp", nmea_tcp_port,
                             "Also serve each call's NMEA sentences to every TCP client connected\n"
                             "to PORT (0: any free port, named on standard error)")
                  ->check(WholeNumberBetween(0, kLargestPort));
  AddLogOptions(app, options);
  AddMqttOptions(app, options, mqtt);
  app.add_flag("--status", options.status, "Print the decoder's status texts to standard error");
  app.add_flag("--no-progress", no_progress, "Never show progress on standard error");
  app.add_option("--raw-rate", options.raw_rate_hz,
                 "Sample rate of raw samples on standard input in Hz (default 48000)")
      ->check(WholeNumberBetween(kLowestInputRateHz, kHighestInputRateHz, "Hz"));
  app.add_option("--raw-channels", options.raw_channels,
                 "Channels of raw samples on standard input, 1 or 2 (default 2; see\n"
                 "--channel)")
      ->check(CLI::IsMember({1, 2}));
  AddChannelOption(app, options);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return {std::nullopt, 0};
  } catch (const CLI::CallForVersion& version) {
    std::cout << version.what() << "\n";
    return {std::nullopt, 0};
  } catch (const CLI::ParseError& error) {
    std::cerr << "tolvik-decode: " << error.what() << "\n"
              << "Run with --help for more information.\n";
    return {std::nullopt, kUsageExitStatus};
  }
  options.auto_polarity = !no_aps;
  options.auto_frequency = !no_afc;
  options.progress = !no_progress;
  options.enhanced = !enhanced.empty();
  options.strict_gate = enhanced == kStrictGate;
  if (udp->count() > 0) {
    options.nmea_udp = ParseHostAndPort(nmea_udp, UdpSentenceSender::kDefaultPort);
  }
  if (!mqtt.empty()) {
    options.mqtt = ParseHostAndPort(mqtt, MqttSettings::kDefaultPort);
  }
  if (tcp->count() > 0) {
    options.nmea_tcp_port = nmea_tcp_port;
  }
  return {options, 0};
}

}  // namespace tolvik
