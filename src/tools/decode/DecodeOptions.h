#pragma once

#include <optional>
#include <string>
#include <vector>

#include "audio/DecodedChannels.h"
#include "decode/HostAndPort.h"

namespace tolvik {

// How the daily call log writes its lines.
enum class LogFormat { Csv, Json };

// What the user asked tolvik-decode for.
struct DecodeOptions {
  bool vhf = false;            // VHF DSC instead of HF/MF
  double centre_hz = 800.0;    // HF centre of the tone pair in the recording
  bool inverted = false;       // start with inverted polarity
  bool auto_polarity = true;   // flip polarity when an inverted call is found
  bool auto_frequency = true;  // correct the centre at phasing
  bool enhanced = false;       // HF by the enhanced decoder (VHF stays standard)
  bool strict_gate = false;    // the enhanced decoder's stricter gate
  bool json = false;           // one JSON object per row
  bool csv = false;            // comma-separated values, header first
  bool status = false;         // print status texts to standard error
  bool progress = true;        // progress on a terminal
  int raw_rate_hz = 48000;     // of a headerless stream on standard input
  int raw_channels = 2;        // of that stream: 1 or 2
  DecodedChannels channels = DecodedChannels::Left;  // which input channels are decoded
  bool nmea = false;                    // NMEA sentences on standard output instead of the rows
  std::optional<HostAndPort> nmea_udp;  // NMEA sentences as UDP datagrams to there
  std::optional<int> nmea_tcp_port;     // NMEA sentences to TCP clients on this port
  std::optional<std::string> log_dir;   // every row also to a daily log in this folder
  LogFormat log_format = LogFormat::Csv;
  std::optional<HostAndPort> mqtt;              // each call's JSON object to this broker
  std::string mqtt_topic = "tolvik";            // topics <topic>/<station>/call and .../status
  std::string mqtt_station;                     // empty: this machine's host name
  std::optional<std::string> mqtt_credentials;  // a file with the broker's user:password
  std::vector<std::string> files;               // "-" is standard input
};

// The outcome of reading the command line: options to run with, or an exit
// status to leave with at once (0 after --help or --version, 2 for bad
// usage).
struct ParsedCommandLine {
  std::optional<DecodeOptions> options;
  int exit_status = 0;
};

ParsedCommandLine ParseDecodeCommandLine(int argc, char** argv);

}  // namespace tolvik
