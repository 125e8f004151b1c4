#include "gen/GenCommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace tolvik {
namespace {

struct Outcome {
  ParsedGenCommandLine parsed;
  std::string out;
  std::string err;
};

Outcome RunGen(std::vector<std::string> args) {
  args.insert(args.begin(), "tolvik-gen");
  std::vector<const char*> argv;
  for (const std::string& arg : args) {
    argv.push_back(arg.c_str());
  }
  std::ostringstream out;
  std::ostringstream err;
  Outcome outcome;
  outcome.parsed = ParseGenCommandLine(static_cast<int>(argv.size()), argv.data(), out, err);
  outcome.out = out.str();
  outcome.err = err.str();
  return outcome;
}

const std::string kCall = "format=individual to=211234560 from=232001000 tc1=100 freq=vhf16";

TEST(GenCommandLineTest, OptionsReachTheSignalAndTheFile) {
  const Outcome run = RunGen({"-o",         "out.wav",  "--call",
                              kCall,        "--call",   "format=distress from=232001000",
                              "--vhf",      "--offset", "-12.5",
                              "--inverted", "--ppm",    "30",
                              "--ebn0",     "12",       "--amplitude",
                              "2000",       "--gap",    "0.25",
                              "--lead",     "0",        "--trail",
                              "2",          "--rate",   "8000",
                              "--channels", "2",        "--seed",
                              "77"});
  ASSERT_TRUE(run.parsed.options.has_value()) << run.err;
  const GenOptions& options = *run.parsed.options;
  EXPECT_EQ(options.output, "out.wav");
  ASSERT_EQ(options.calls.size(), 2u);
  EXPECT_EQ(options.calls[1].Text, "format=distress from=232001000");
  EXPECT_TRUE(options.signal.Vhf);
  EXPECT_DOUBLE_EQ(options.signal.OffsetHz, -12.5);
  EXPECT_TRUE(options.signal.Inverted);
  EXPECT_DOUBLE_EQ(options.signal.BitRateErrorPpm, 30);
  EXPECT_EQ(options.signal.EbN0Db, 12.0);
  EXPECT_DOUBLE_EQ(options.signal.Amplitude, 2000);
  EXPECT_DOUBLE_EQ(options.signal.GapS, 0.25);
  EXPECT_DOUBLE_EQ(options.signal.LeadS, 0);
  EXPECT_DOUBLE_EQ(options.signal.TrailS, 2);
  EXPECT_EQ(options.signal.SampleRateHz, 8000);
  EXPECT_EQ(options.channels, 2);
  EXPECT_EQ(options.signal.Seed, 77u);

  // Defaults: HF at 800 Hz, no noise, mono at 48 kHz.
  const Outcome plain = RunGen({"-o", "out.wav", "--call", kCall});
  ASSERT_TRUE(plain.parsed.options.has_value());
  EXPECT_FALSE(plain.parsed.options->signal.Vhf);
  EXPECT_DOUBLE_EQ(plain.parsed.options->signal.CentreHz, 800);
  EXPECT_EQ(plain.parsed.options->signal.EbN0Db, std::nullopt);
  EXPECT_EQ(plain.parsed.options->signal.SampleRateHz, 48000);
  EXPECT_EQ(plain.parsed.options->channels, 1);
}

TEST(GenCommandLineTest, CallsFileComesFirstThenEveryCall) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("tolvik_gen_calls_" + std::to_string(::getpid()) + ".json");
  std::ofstream(path) << R"([{"format": "distress", "from": "232001000"}])";
  const Outcome run = RunGen({"--call", kCall, "--calls", path.string(), "-o", "x.wav"});
  std::filesystem::remove(path);
  ASSERT_TRUE(run.parsed.options.has_value()) << run.err;
  ASSERT_EQ(run.parsed.options->calls.size(), 2u);
  EXPECT_EQ(run.parsed.options->calls[0].Text, "format=distress from=232001000");
  EXPECT_EQ(run.parsed.options->calls[1].Text, kCall);
}

TEST(GenCommandLineTest, BadUsageLeavesWithStatus2AndOneLineSaysWhy) {
  auto expect_usage_error = [](const std::vector<std::string>& args, const std::string& message) {
    const Outcome run = RunGen(args);
    EXPECT_FALSE(run.parsed.options.has_value());
    EXPECT_EQ(run.parsed.exit_status, 2);
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
  };
  expect_usage_error({"--call", kCall}, "--output is required");
  expect_usage_error({"-o", "x.wav"}, "tolvik-gen: no call to send: give --call or --calls\n");
  expect_usage_error({"-o", "x.wav", "--call", "format=individual to=1 from=232001000"},
                     "tolvik-gen: to=1: an identity has nine digits");
  expect_usage_error({"-o", "x.wav", "--call", kCall, "--vhf", "--centre", "900"}, "excludes");
  expect_usage_error({"-o", "x.wav", "--call", kCall, "--channels", "3"}, "--channels");
  expect_usage_error({"-o", "x.wav", "--call", kCall, "--calls", "/no/such/file.json"}, "--calls");
  expect_usage_error({"-o", "x.wav", "--call", kCall, "--vhf", "--rate", "4000"},
                     "half the sample rate");
}

TEST(GenCommandLineTest, BoundsReadAsPeopleWriteThem) {
  auto error_of = [](std::vector<std::string> args) {
    args.insert(args.end(), {"-o", "x.wav", "--call", kCall});
    const Outcome run = RunGen(args);
    EXPECT_EQ(run.parsed.exit_status, 2);
    return run.err;
  };
  EXPECT_NE(error_of({"--amplitude", "0.3"})
                .find("tolvik-gen: --amplitude: 0.3 rounds every sample to silence: must be "
                      "between 0.5 and 32767 (16-bit units)"),
            std::string::npos);
  EXPECT_NE(error_of({"--amplitude", "0"}).find("rounds every sample to silence"),
            std::string::npos);
  EXPECT_NE(error_of({"--amplitude", "40000"}).find("--amplitude: must be between 0.5 and 32767"),
            std::string::npos);
  EXPECT_NE(error_of({"--centre", "nan"}).find("--centre: not a number"), std::string::npos);
  EXPECT_NE(error_of({"--ebn0", "inf"}).find("--ebn0: not a number"), std::string::npos);
  EXPECT_NE(error_of({"--gap", "-1"}).find("--gap: must be between 0 and 3600 s"),
            std::string::npos);
  for (const char* rate : {"999", "44100.5"}) {
    EXPECT_NE(error_of({"--rate", rate})
                  .find("--rate: must be a whole number between 1000 and 384000 Hz"),
              std::string::npos);
  }
  // Half a 16-bit step still reaches the file.
  const Outcome quiet = RunGen({"-o", "x.wav", "--call", kCall, "--amplitude", "0.5"});
  EXPECT_TRUE(quiet.parsed.options.has_value()) << quiet.err;
}

TEST(GenCommandLineTest, KeysTheReceiverWouldNotShowAreRefused) {
  const Outcome run =
      RunGen({"-o", "x.wav", "--call", "format=individual to=211234560 from=232001000 freq=vhf16"});
  EXPECT_EQ(run.parsed.exit_status, 2);
  EXPECT_NE(run.err.find("tolvik-gen: freq=vhf16: the receiver would not show it: it reads no "
                         "frequency, position or number after tc1=126"),
            std::string::npos)
      << run.err;
  const auto path = std::filesystem::temp_directory_path() /
                    ("tolvik_gen_dropped_" + std::to_string(::getpid()) + ".json");
  std::ofstream(path) << R"([{"format": "all-ships", "from": "002320001", "tc1": 118,
                               "freq": "ch1234"}])";
  const Outcome json = RunGen({"--calls", path.string(), "-o", "x.wav"});
  std::filesystem::remove(path);
  EXPECT_NE(json.err.find("call 1: freq=ch1234: the receiver would not show it"), std::string::npos)
      << json.err;
}

TEST(GenCommandLineTest, VersionNeedsNothingElse) {
  const Outcome run = RunGen({"--version"});
  EXPECT_EQ(run.out, "tolvik-gen " TOLVIK_VERSION "\n");
  EXPECT_EQ(run.parsed.exit_status, 0);
  EXPECT_FALSE(run.parsed.options.has_value());
}

TEST(GenCommandLineTest, HelpListsTheCallKeys) {
  const Outcome run = RunGen({"--help"});
  EXPECT_FALSE(run.parsed.options.has_value());
  EXPECT_EQ(run.parsed.exit_status, 0);
  for (const char* key : {"format", "area", "category", "tc1, tc2", "freq, freq2", "position",
                          "nature", "dpos", "utc", "subsequent", "number", "enhance", "eos", "dots",
                          "raw", "check", "--ebn0", "--seed"}) {
    EXPECT_NE(run.out.find(key), std::string::npos) << key;
  }
}

}  // namespace
}  // namespace tolvik
