#include "gen/GenCommandLine.h"

#include <CLI/CLI.hpp>

#include <fstream>
#include <sstream>

#include "common/CentreRange.h"
#include "common/NumberCheck.h"
#include "gen/CallDescriptionParser.h"

namespace tolvik {

namespace {

constexpr int kUsageExitStatus = 2;
constexpr double kLargestPpm = 10000.0;
constexpr double kLongestTimeS = 3600.0;
constexpr int kLowestRateHz = 1000;
constexpr int kHighestRateHz = 384000;
constexpr double kLargestAmplitude = 32767.0;  // 16-bit full scale

constexpr const char* kCallKeysHelp =
    R"(Call keys (--call 'key=value ...', or the same keys in a --calls JSON array):
  format      distress | all-ships | area | group | individual | semi-auto
              (or 112, 116, 102, 114, 120, 123)
  to          called identity, nine digits (group, individual, semi-auto)
  area        called area, N35E139-N30E149: reference corner, then the far
              corner southward and eastward of it
  from        own identity (for distress: the ship in distress)
  category    routine | safety | urgency | distress (100, 108, 110, 112);
              default routine; distress makes an acknowledgement (tc1=110)
              or relay (tc1=112, the default) carrying distress information
  tc1, tc2    telecommands 100..127 (default 126)
  freq, freq2 2182 or 8414.5 (kHz), ch1234 (MF/HF channel), vhf16 (VHF
              channel); default none (126 126 126)
  position    working position N35-41,E139-45 instead of frequencies
  ship        ship in distress (default: from, for format distress)
  nature      100..112 or fire, flooding, collision, grounding, listing,
              sinking, adrift, undesignated (default), abandoning, piracy,
              mob, epirb
  dpos        distress position N35-41,E139-45 or unknown (default)
  utc         time of the position HH:MM or unknown (default)
  subsequent  type of subsequent communication 100..127 (default 100)
  number      telephone number digits (semi-auto)
  enhance     1234,5678: four more decimals of the latitude and longitude
              minutes, sent as an expansion sequence
  eos         req | ack | other (117, 122, 127); default other
  dots        dot pattern bits (default 200 HF, 20 VHF)
  raw         the characters 0..127, comma-separated, from the first format
              specifier to the end of sequence; check (0..127) sends a
              given check character instead of the right one

A key the call does not use is an error, and so is one the receiver would
not show because of the call's other fields: freq, freq2, position or
number after tc1 103, 118 or 126 (the default), distress information with
a tc1 other than 110 or 112, a frequency of 0 kHz, enhance without a known
position to refine.
)";

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return false;
  }
  std::ostringstream content;
  content << file.rdbuf();
  text = content.str();
  return !file.bad();
}

// The calls of --calls FILE, then those of --call. False, with the message
// on `err`, when a description is bad.
bool ReadCalls(const std::string& calls_file, const std::vector<std::string>& call_texts,
               std::vector<CallDescription>& calls, std::ostream& err) {
  try {
    if (!calls_file.empty()) {
      std::string text;
      if (!ReadFile(calls_file, text)) {
        err << "tolvik-gen: cannot read " << calls_file << "\n";
        return false;
      }
      try {
        calls = ParseCallDescriptionsJson(text, DroppedKeys::Refuse);
      } catch (const CallDescriptionError& error) {
        throw CallDescriptionError(calls_file + ": " + error.what());
      }
    }
    for (const std::string& call_text : call_texts) {
      calls.push_back(ParseCallDescription(call_text, DroppedKeys::Refuse));
    }
  } catch (const CallDescriptionError& error) {
    err << "tolvik-gen: " << error.what() << "\n";
    return false;
  }
  if (calls.empty()) {
    err << "tolvik-gen: no call to send: give --call or --calls\n";
    return false;
  }
  return true;
}

}  // namespace

ParsedGenCommandLine ParseGenCommandLine(int argc, const char* const* argv, std::ostream& out,
                                         std::ostream& err) {
  GenOptions options;
  SignalOptions& signal = options.signal;
  std::vector<std::string> call_texts;
  std::string calls_file;
  double ebn0_db = 0.0;

  CLI::App app{
      "Writes a WAV file (16-bit PCM) of maritime DSC calls, for testing a receiver set-up\n"
      "and the decoder. Each call is described by key=value pairs. -o - writes to standard\n"
      "output; the lines that describe the calls then go to standard error.",
      "tolvik-gen"};
  app.set_version_flag("--version", "tolvik-gen " TOLVIK_VERSION);
  app.footer(kCallKeysHelp);
  app.add_option("--call", call_texts, "A call as 'key=value ...' (repeatable, one call each)");
  app.add_option("--calls", calls_file, "A JSON file: an array of objects with the call keys")
      ->check(CLI::ExistingFile);
  app.add_option("-o,--output", options.output, "The WAV file to write, - for standard output")
      ->required();
  auto* vhf = app.add_flag("--vhf", signal.Vhf, "VHF DSC: 1200 bit/s, 1300/2100 Hz");
  app.add_option("--centre", signal.CentreHz, "HF centre of the tone pair in Hz (default 800)")
      ->check(NumberBetween(kLowestCentreHz, kHighestCentreHz, "Hz"))
      ->excludes(vhf);
  app.add_option("--offset", signal.OffsetHz, "Hz added to every tone (default 0)")
      ->check(FiniteNumber());
  app.add_flag("--inverted", signal.Inverted, "Swap the tones of bit 1 and bit 0");
  app.add_option("--ppm", signal.BitRateErrorPpm, "Bit-rate error in parts per million")
      ->check(NumberBetween(-kLargestPpm, kLargestPpm, "ppm"));
  auto* ebn0 = app.add_option("--ebn0", ebn0_db,
                              "White Gaussian noise over the whole file at this Eb/N0 in dB\n"
                              "(default: no noise)")
                   ->check(FiniteNumber());
  app.add_option("--amplitude", signal.Amplitude,
                 "Peak of the tones, 16-bit units (default 8000); below 0.5 every sample\n"
                 "would round to silence")
      ->check(NumberBetween(kSmallestAudibleAmplitude, kLargestAmplitude, "(16-bit units)",
                            "rounds every sample to silence"));
  app.add_option("--gap", signal.GapS, "Seconds between calls (default 1)")
      ->check(NumberBetween(0.0, kLongestTimeS, "s"));
  app.add_option("--lead", signal.LeadS, "Seconds before the first call (default 0.5)")
      ->check(NumberBetween(0.0, kLongestTimeS, "s"));
  app.add_option("--trail", signal.TrailS, "Seconds after the last call (default 1)")
      ->check(NumberBetween(0.0, kLongestTimeS, "s"));
  app.add_option("--rate", signal.SampleRateHz, "Output sample rate in Hz (default 48000)")
      ->check(WholeNumberBetween(kLowestRateHz, kHighestRateHz, "Hz"));
  app.add_option("--channels", options.channels, "1 or 2 (default 1; stereo: same on both)")
      ->check(CLI::IsMember({1, 2}));
  app.add_option("--seed", signal.Seed, "Seed of the noise (default 1)");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return {std::nullopt, 0};
  } catch (const CLI::CallForVersion& version) {
    out << version.what() << "\n";
    return {std::nullopt, 0};
  } catch (const CLI::ParseError& error) {
    err << "tolvik-gen: " << error.what() << "\nRun with --help for more information.\n";
    return {std::nullopt, kUsageExitStatus};
  }
  if (*ebn0) {
    signal.EbN0Db = ebn0_db;
  }
  try {
    CheckSignalOptions(signal);
  } catch (const std::invalid_argument& error) {
    err << "tolvik-gen: " << error.what() << "\n";
    return {std::nullopt, kUsageExitStatus};
  }
  if (!ReadCalls(calls_file, call_texts, options.calls, err)) {
    return {std::nullopt, kUsageExitStatus};
  }
  return {options, 0};
}

}  // namespace tolvik
