// The two programs as a user runs them: tolvik-gen writes a recording,
// tolvik-decode --json reads it back, and every call must come out with
// exactly the texts it was sent with. The decoding tests run once with the
// standard chain and once with --enhanced, which must give the same rows.

#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace tolvik {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct ProgramRun {
  int exit_status = -1;
  std::string out;
  std::string err;
};

class EndToEndTest : public ::testing::Test {
 protected:
  fs::path dir = fs::temp_directory_path() /
                 ("tolvik_e2e_" + std::to_string(getpid()) + "_" + TestNameForAPath());
  // Options choosing the decoder, put after the program's name.
  std::string decoder_options;

  static std::string TestNameForAPath() {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(name.begin(), name.end(), '/', '_');  // a parameterised test's name
    return name;
  }

  // tolvik-decode with the decoder under test.
  std::string DecodeProgram() const { return std::string(TOLVIK_DECODE) + decoder_options; }

  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }

  static std::string Quote(const std::string& word) { return "'" + word + "'"; }

  ProgramRun Shell(const std::string& command) const {
    const fs::path err_file = dir / "stderr.txt";
    ProgramRun run;
    std::FILE* pipe = popen((command + " 2>" + Quote(err_file.string())).c_str(), "r");
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
      run.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    run.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(err_file);
    run.err.assign(std::istreambuf_iterator<char>(err), {});
    return run;
  }

  // Writes `name` with tolvik-gen; `options` and the calls as one argument each.
  fs::path Generate(const std::string& name, const std::string& options,
                    const std::vector<std::string>& calls) const {
    std::string command =
        std::string(TOLVIK_GEN) + " -o " + Quote((dir / name).string()) + " " + options;
    for (const auto& call : calls)
      command += " --call " + Quote(call);
    const ProgramRun run = Shell(command + " >/dev/null");
    EXPECT_EQ(run.exit_status, 0) << command << "\n" << run.err;
    return dir / name;
  }

  ProgramRun Decode(const std::string& arguments) const {
    return Shell(DecodeProgram() + " --json " + arguments);
  }

  static std::vector<json> Rows(const ProgramRun& run) {
    std::vector<json> rows;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);)
      rows.push_back(json::parse(line));
    return rows;
  }
};

// The decoding tests, run with each decoder: --enhanced decodes with the
// enhanced decoder of the mode, HF or VHF (and either of its gates).
class DecoderEndToEndTest : public EndToEndTest, public ::testing::WithParamInterface<const char*> {
 protected:
  DecoderEndToEndTest() { decoder_options = GetParam(); }

  // The "decoder" a row must carry.
  std::string RowDecoder(bool) const { return decoder_options.empty() ? "standard" : "enhanced"; }
};

INSTANTIATE_TEST_SUITE_P(Decoders, DecoderEndToEndTest,
                         ::testing::Values("", " --enhanced", " --enhanced=strict"),
                         [](const ::testing::TestParamInfo<const char*>& decoder) {
                           const std::string options = decoder.param;
                           if (options.empty())
                             return "Standard";
                           return options.ends_with("strict") ? "EnhancedStrict" : "Enhanced";
                         });

// One call of each layout, and the row it must give.
struct Layout {
  std::string call;
  std::vector<std::string> row;  // category, from, to, request_status, information, position, ack
  int distress;
};

const std::vector<Layout> kLayouts = {
    {"format=distress from=232001234 nature=sinking dpos=N50-07,W4-30 utc=23:59 subsequent=109",
     {"Distress", "232001234", "All stations", "SSB telephony", "Sinking", "N50-07 , W4-30", ""},
     0},
    {"format=all-ships category=distress tc1=110 from=002320001 ship=232001234 nature=fire "
     "dpos=N35-41,E139-45",
     {"Distress", "002320001", "232001234", "FM simplex telephony", "Fire , explosion",
      "N35-41 , E139-45", "Ack"},
     1},
    {"format=all-ships category=distress tc1=112 from=002320001 ship=232001234 nature=mob",
     {"Distress", "002320001", "All stations", "FM simplex telephony",
      "Man overboard (Distress from 232001234)", "", ""},
     2},
    {"format=all-ships category=safety from=002320001 tc1=109 freq=2182",
     {"Safety", "002320001", "All stations", "SSB telephony", "2182.0kHz", "", ""},
     -1},
    {"format=all-ships category=urgency from=232001234 tc1=100 position=S33-51,E151-12",
     {"Urgency", "232001234", "All stations", "FM simplex telephony", "", "S33-51 , E151-12", ""},
     -1},
    {"format=area area=N35E139-N30E149 from=002320001 category=safety tc1=118",
     {"Safety", "002320001", "N35E139-N30E149", "Test", "", "", ""},
     -1},
    {"format=group to=023200000 from=232001000 tc1=100 freq=2182 freq2=8414.5",
     {"Routine", "232001000", "023200000", "FM simplex telephony",
      "Rx : 2182.0kHz , Tx : 8414.5kHz", "", ""},
     -1},
    {"format=individual to=211234560 from=366123450 tc1=100 freq=vhf16 eos=req",
     {"Routine", "366123450", "211234560", "FM simplex telephony", "VHF 16ch", "", "Req"},
     -1},
    {"format=individual category=distress to=211234560 from=002320001 ship=232001000 "
     "dpos=S10-05,E20-30 enhance=1234,5678",
     {"Distress", "002320001", "211234560", "FM simplex telephony",
      "Undesignated distress (Distress from 232001000)", "S10-05.1234 , E20-30.5678", ""},
     2},
    {"format=semi-auto to=002320001 from=232001000 tc1=109 freq=ch1234 number=0123456789 eos=ack",
     {"Routine", "232001000", "002320001", "SSB telephony", "1234ch , Number 0123456789", "",
      "Ack"},
     -1},
};

void ExpectRow(const json& got, const Layout& layout) {
  SCOPED_TRACE(layout.call);
  EXPECT_EQ(got["category"], layout.row[0]);
  EXPECT_EQ(got["from"], layout.row[1]);
  EXPECT_EQ(got["to"], layout.row[2]);
  EXPECT_EQ(got["request_status"], layout.row[3]);
  EXPECT_EQ(got["information"], layout.row[4]);
  EXPECT_EQ(got["position"], layout.row[5]);
  EXPECT_EQ(got["ack"], layout.row[6]);
  EXPECT_EQ(got["distress"], layout.distress);
}

std::vector<std::string> Calls() {
  std::vector<std::string> calls;
  for (const auto& layout : kLayouts)
    calls.push_back(layout.call);
  return calls;
}

TEST_P(DecoderEndToEndTest, EveryLayoutInOneFileComesOutInOrderHfAndVhf) {
  for (const bool vhf : {false, true}) {
    SCOPED_TRACE(vhf ? "VHF" : "HF");
    const fs::path file = Generate("all.wav", vhf ? "--vhf" : "", Calls());
    const ProgramRun run = Decode(std::string(vhf ? "--vhf " : "") + Quote(file.string()));
    EXPECT_EQ(run.exit_status, 0) << run.err;
    const auto rows = Rows(run);
    ASSERT_EQ(rows.size(), kLayouts.size()) << run.out;
    double last_offset = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      ExpectRow(rows[i], kLayouts[i]);
      EXPECT_EQ(rows[i]["file"], file.string());
      EXPECT_GT(rows[i]["offset_s"].get<double>(), last_offset);
      last_offset = rows[i]["offset_s"].get<double>();
      EXPECT_EQ(rows[i]["decoder"], RowDecoder(vhf));
      EXPECT_EQ(rows[i]["repaired"], false);  // clean calls need no mending
    }
  }
}

TEST_P(DecoderEndToEndTest, RowsNameTheirDecoderInJsonOnly) {
  const fs::path file = Generate("keys.wav", "", {kLayouts[7].call});
  const auto rows = Rows(Decode(Quote(file.string())));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0]["decoder"], RowDecoder(false));
  EXPECT_EQ(rows[0]["repaired"], false);
  // The plain line is the same from either decoder.
  const ProgramRun plain = Shell(DecodeProgram() + " " + Quote(file.string()));
  EXPECT_EQ(plain.out, Shell(std::string(TOLVIK_DECODE) + " " + Quote(file.string())).out);
  EXPECT_NE(plain.out.find("366123450 -> 211234560"), std::string::npos) << plain.out;
}

TEST_P(DecoderEndToEndTest, OffTuneCallsAreFoundWithTheFrequencyControl) {
  const Layout& call = kLayouts[7];
  for (const int offset : {20, -20}) {
    SCOPED_TRACE(offset);
    const fs::path file = Generate("offset.wav", "--offset " + std::to_string(offset), {call.call});
    const ProgramRun run = Decode("--status " + Quote(file.string()));
    const auto rows = Rows(run);
    ASSERT_EQ(rows.size(), 1u) << run.err;
    ExpectRow(rows[0], call);
    // The estimate taken at phasing: over the 20 bits before it the error
    // history settles to within a hertz or so of the offset.
    const std::string lead = "Receiving data... (Freq Err = ";
    const std::size_t at = run.err.find(lead);
    ASSERT_NE(at, std::string::npos) << run.err;
    EXPECT_NEAR(std::stod(run.err.substr(at + lead.size())), offset, 1.5) << run.err;
  }
}

TEST_P(DecoderEndToEndTest, CentresAtBothEndsAndSsbRecordingsAt1700Hz) {
  const Layout& call = kLayouts[0];
  for (const int centre : {500, 1000, 1700}) {
    SCOPED_TRACE(centre);
    const std::string centre_option = "--centre " + std::to_string(centre);
    const fs::path file = Generate("centre.wav", centre_option, {call.call});
    const auto rows = Rows(Decode(centre_option + " " + Quote(file.string())));
    ASSERT_EQ(rows.size(), 1u);
    ExpectRow(rows[0], call);
  }
}

TEST_P(DecoderEndToEndTest, InvertedRecordingNeedsAutomaticPolarityOrTheFlag) {
  const Layout& call = kLayouts[3];
  const fs::path file = Generate("inverted.wav", "--inverted", {call.call, call.call});
  EXPECT_EQ(Rows(Decode(Quote(file.string()))).size(), 2u);  // automatic polarity is on
  EXPECT_EQ(Rows(Decode("--no-aps " + Quote(file.string()))).size(), 0u);
  const auto rows = Rows(Decode("--no-aps --inverted " + Quote(file.string())));
  ASSERT_EQ(rows.size(), 2u);
  ExpectRow(rows[1], call);
}

TEST_P(DecoderEndToEndTest, RecordingsAtCommonRatesDecodeTheSame) {
  for (const int rate : {8000, 12000, 44100}) {
    for (const bool vhf : {false, true}) {
      if (vhf && rate == 8000)
        continue;  // 2100 Hz needs more than 8000 Hz to stay clean
      SCOPED_TRACE(testing::Message() << rate << (vhf ? " VHF" : " HF"));
      const std::string mode = vhf ? "--vhf " : "";
      const fs::path file =
          Generate("rate.wav", mode + "--rate " + std::to_string(rate), {kLayouts[8].call});
      const auto rows = Rows(Decode(mode + Quote(file.string())));
      ASSERT_EQ(rows.size(), 1u);
      ExpectRow(rows[0], kLayouts[8]);
    }
  }
}

TEST_P(DecoderEndToEndTest, RawStreamOnStandardInput) {
  const fs::path file = Generate("stereo.wav", "--channels 2", {kLayouts[7].call});
  // Strip the 44-byte header of the 16-bit PCM WAV: what is left is raw
  // little-endian stereo at 48000 Hz.
  const ProgramRun piped =
      Shell("tail -c +45 " + Quote(file.string()) + " | " + DecodeProgram() + " --json -");
  const auto rows = Rows(piped);
  ASSERT_EQ(rows.size(), 1u) << piped.err;
  EXPECT_EQ(rows[0]["file"], "-");
  ExpectRow(rows[0], kLayouts[7]);
}

TEST_P(DecoderEndToEndTest, UnreadableInputsAreNamedAndTheOthersStillDecoded) {
  std::ofstream(dir / "notes.wav") << "just some text, not audio\n";
  std::ofstream(dir / "empty.wav").close();
  const fs::path good = Generate("good.wav", "", {kLayouts[3].call});
  const ProgramRun run =
      Decode(Quote((dir / "notes.wav").string()) + " " + Quote((dir / "empty.wav").string()) + " " +
             Quote((dir / "missing.wav").string()) + " " + Quote(good.string()));
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(Rows(run).size(), 1u);
  for (const char* name : {"notes.wav", "empty.wav", "missing.wav"}) {
    EXPECT_NE(run.err.find((dir / name).string() + ": "), std::string::npos) << run.err;
  }
  EXPECT_NE(run.err.find("no such file"), std::string::npos);
  EXPECT_NE(run.err.find("the file is empty"), std::string::npos);
}

TEST_P(DecoderEndToEndTest, CallFollowedBySilenceIsShownWhenItEndsNotWhenTheSignalReturns) {
  // Ten seconds of exact zeros after the call, as from a squelched receiver:
  // the call ends 0.5 s + its length in; it must not wait for the file's end.
  for (const bool vhf : {false, true}) {
    SCOPED_TRACE(vhf ? "VHF" : "HF");
    const std::string mode = vhf ? "--vhf " : "";
    const fs::path file = Generate("silence.wav", mode + "--trail 10", {kLayouts[7].call});
    const auto rows = Rows(Decode(mode + Quote(file.string())));
    ASSERT_EQ(rows.size(), 1u);
    const double call_end_s = vhf ? 1.05 : 8.7;
    EXPECT_LT(rows[0]["offset_s"].get<double>(), call_end_s + 0.5);
  }
}

TEST_F(EndToEndTest, NoCallsFoundIsStillSuccess) {
  // An HF recording read as VHF holds nothing the decoder recognises.
  const fs::path file = Generate("hf.wav", "--ebn0 10 --amplitude 1000", {kLayouts[3].call});
  const ProgramRun run = Decode("--vhf " + Quote(file.string()));
  EXPECT_EQ(run.exit_status, 0) << run.err;
  EXPECT_TRUE(run.out.empty());
}

// Rewrites `wav` as FLAC with libsndfile.
fs::path ToFlac(const fs::path& wav) {
  SF_INFO info{};
  SNDFILE* in = sf_open(wav.c_str(), SFM_READ, &info);
  EXPECT_NE(in, nullptr);
  SF_INFO out_info = info;
  out_info.format = SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
  const fs::path flac = fs::path(wav).replace_extension(".flac");
  SNDFILE* out = sf_open(flac.c_str(), SFM_WRITE, &out_info);
  EXPECT_NE(out, nullptr) << sf_strerror(nullptr);
  std::vector<short> frames(4096 * static_cast<std::size_t>(info.channels));
  while (const sf_count_t n = sf_readf_short(in, frames.data(), 4096))
    sf_writef_short(out, frames.data(), n);
  sf_close(out);
  sf_close(in);
  return flac;
}

TEST_P(DecoderEndToEndTest, SoundFilesOnStandardInputAreRecognisedByTheirHeader) {
  const fs::path wav = Generate("piped.wav", "--channels 2 --rate 44100", {kLayouts[7].call});
  for (const fs::path& file : {wav, ToFlac(wav)}) {
    SCOPED_TRACE(file.string());
    const ProgramRun run =
        Shell("cat " + Quote(file.string()) + " | " + DecodeProgram() + " --json -");
    EXPECT_EQ(run.exit_status, 0) << run.err;
    const auto rows = Rows(run);
    ASSERT_EQ(rows.size(), 1u) << run.err;
    EXPECT_EQ(rows[0]["file"], "-");
    ExpectRow(rows[0], kLayouts[7]);
  }
}

TEST_P(DecoderEndToEndTest, MonoRawStreamAt24kHz) {
  const fs::path file = Generate("mono.wav", "--rate 24000", {kLayouts[3].call});
  // Without its 44-byte header: raw mono at 24000 Hz, as from rtl_fm.
  const ProgramRun run = Shell("tail -c +45 " + Quote(file.string()) + " | " + DecodeProgram() +
                               " --json --raw-rate 24000 --raw-channels 1 -");
  const auto rows = Rows(run);
  ASSERT_EQ(rows.size(), 1u) << run.err;
  ExpectRow(rows[0], kLayouts[3]);
}

TEST_P(DecoderEndToEndTest, WavThatEndsBeforeItsHeaderSaysIsDecodedWithAWarning) {
  const fs::path file = Generate("lying.wav", "--lead 0.5 --trail 1.5", {kLayouts[3].call});
  // 0.5 + 7.2 + 1.5 s = 9.2 s of audio; the header is made to claim four times as much.
  std::fstream wav(file, std::ios::in | std::ios::out | std::ios::binary);
  const auto data_bytes = static_cast<std::uint32_t>(fs::file_size(file) - 44);
  auto put = [&](std::streamoff at, std::uint32_t value) {
    const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                           static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
    wav.seekp(at);
    wav.write(bytes, 4);
  };
  put(4, 36 + 4 * data_bytes);
  put(40, 4 * data_bytes);
  wav.close();
  const std::string as_file = Quote(file.string());
  for (const auto& [name, command] :
       {std::pair{file.string(), DecodeProgram() + " --json " + as_file},
        std::pair{std::string("-"), "cat " + as_file + " | " + DecodeProgram() + " --json -"}}) {
    SCOPED_TRACE(name);
    const ProgramRun run = Shell(command);
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_EQ(run.err, "tolvik-decode: warning: " + name +
                           " ends after 9.2 s, its header promised 36.8 s\n");
    const auto rows = Rows(run);
    ASSERT_EQ(rows.size(), 1u);
    ExpectRow(rows[0], kLayouts[3]);
  }
}

TEST_P(DecoderEndToEndTest, GeneratorToStandardOutputPipedIntoTheDecoder) {
  for (const bool vhf : {false, true}) {
    SCOPED_TRACE(vhf ? "VHF" : "HF");
    const std::string mode = vhf ? "--vhf " : "";
    std::string gen = std::string(TOLVIK_GEN) + " " + mode + "-o -";
    for (const auto& layout : kLayouts)
      gen += " --call " + Quote(layout.call);
    const ProgramRun run = Shell(gen + " 2>" + Quote((dir / "gen.txt").string()) + " | " +
                                 DecodeProgram() + " --json " + mode + "-");
    EXPECT_EQ(run.exit_status, 0) << run.err;
    const auto rows = Rows(run);
    ASSERT_EQ(rows.size(), kLayouts.size()) << run.err;
    for (std::size_t i = 0; i < rows.size(); ++i)
      ExpectRow(rows[i], kLayouts[i]);
    // The report went to standard error, one line per call.
    std::ifstream report(dir / "gen.txt");
    const std::string text(std::istreambuf_iterator<char>(report), {});
    EXPECT_NE(text.find("call 10: "), std::string::npos) << text;
  }
}

TEST_F(EndToEndTest, AudioOnStandardOutputHoldsNothingButTheWavFile) {
  for (const char* output : {"-", "/dev/stdout"}) {
    SCOPED_TRACE(output);
    const fs::path file = dir / "out.wav";
    const ProgramRun run =
        Shell(std::string(TOLVIK_GEN) + " -o " + output + " --rate 8000 --lead 0 --trail 0 " +
              "--call " + Quote(kLayouts[3].call) + " > " + Quote(file.string()));
    EXPECT_EQ(run.exit_status, 0) << run.err;
    EXPECT_NE(run.err.find("call 1: 0.000 s to 7.200 s, 720 bits: "), std::string::npos) << run.err;
    // 720 bits at 100 bit/s and 8000 Hz: the 44-byte header and 57600 samples.
    EXPECT_EQ(fs::file_size(file), 44u + 2 * 57600);
    std::ifstream wav(file, std::ios::binary);
    char riff[4];
    wav.read(riff, 4);
    EXPECT_EQ(std::string(riff, 4), "RIFF");
  }
  // To a file, the report stays on standard output.
  const ProgramRun to_file =
      Shell(std::string(TOLVIK_GEN) + " -o " + Quote((dir / "f.wav").string()) + " --call " +
            Quote(kLayouts[3].call));
  EXPECT_EQ(to_file.out.rfind("call 1: ", 0), 0u);
  EXPECT_EQ(to_file.err, "");
}

TEST_F(EndToEndTest, CentresThatAreNoNumberAreBadUsage) {
  const fs::path file = Generate("any.wav", "", {kLayouts[3].call});
  for (const char* centre : {"nan", "NaN", "-nan", "inf"}) {
    SCOPED_TRACE(centre);
    const ProgramRun run =
        Shell(std::string(TOLVIK_DECODE) + " --centre " + centre + " " + Quote(file.string()));
    EXPECT_EQ(run.exit_status, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("--centre: not a number"), std::string::npos) << run.err;
  }
}

TEST_F(EndToEndTest, GeneratorRefusesAKeyTheReceiverWouldDrop) {
  const ProgramRun run =
      Shell(std::string(TOLVIK_GEN) + " -o " + Quote((dir / "x.wav").string()) + " --call " +
            Quote("format=individual to=211234560 from=232001000 freq=vhf16"));
  EXPECT_EQ(run.exit_status, 2);
  EXPECT_EQ(run.err,
            "tolvik-gen: freq=vhf16: the receiver would not show it: it reads no frequency, "
            "position or number after tc1=126 (no information, the default)\n");
  EXPECT_FALSE(fs::exists(dir / "x.wav"));
}

TEST_F(EndToEndTest, PlainRowsOfAreaCallsStayAligned) {
  const fs::path file = Generate("plain.wav", "--vhf", {kLayouts[7].call, kLayouts[5].call});
  const ProgramRun run = Shell(std::string(TOLVIK_DECODE) + " --vhf " + Quote(file.string()));
  std::istringstream lines(run.out);
  std::string individual, area;
  std::getline(lines, individual);
  std::getline(lines, area);
  ASSERT_NE(area.find("N35E139-N30E149"), std::string::npos) << run.out;
  EXPECT_EQ(individual.find("FM simplex telephony"), area.find("Test")) << run.out;
}

TEST_P(DecoderEndToEndTest, BothChannelsOfAStereoRecordingAreDecodedAndSayWhichTheyCameFrom) {
  for (const bool vhf : {false, true}) {
    SCOPED_TRACE(vhf ? "VHF" : "HF");
    const std::string mode = vhf ? "--vhf " : "";
    // tolvik-gen writes the same signal on both channels.
    const fs::path file = Generate("stereo.wav", mode + "--channels 2", {kLayouts[7].call});
    const auto both = Rows(Decode(mode + "--channel both " + Quote(file.string())));
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0]["channel"], "left");
    EXPECT_EQ(both[1]["channel"], "right");
    for (const json& row : both) {
      ExpectRow(row, kLayouts[7]);
      EXPECT_EQ(row["decoder"], RowDecoder(vhf));
    }
    const auto right = Rows(Decode(mode + "--channel right " + Quote(file.string())));
    ASSERT_EQ(right.size(), 1u);
    EXPECT_EQ(right[0]["channel"], "right");
    const auto left = Rows(Decode(mode + Quote(file.string())));  // the default
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0]["channel"], "left");
  }
}

TEST_F(EndToEndTest, CsvAndPlainRowsNameTheChannel) {
  const fs::path file = Generate("stereo.wav", "--channels 2", {kLayouts[3].call});
  const ProgramRun csv =
      Shell(std::string(TOLVIK_DECODE) + " --csv --channel right " + Quote(file.string()));
  EXPECT_NE(csv.out.find(",right,"), std::string::npos) << csv.out;
  EXPECT_EQ(csv.out.find(",left,"), std::string::npos) << csv.out;
  // The plain line shows its channel column only when both are decoded.
  const ProgramRun plain =
      Shell(std::string(TOLVIK_DECODE) + " --channel both " + Quote(file.string()));
  std::istringstream lines(plain.out);
  std::string first, second;
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_NE(first.find("  L"), std::string::npos) << plain.out;
  EXPECT_NE(second.find("  R"), std::string::npos) << plain.out;
  const ProgramRun single = Shell(std::string(TOLVIK_DECODE) + " " + Quote(file.string()));
  EXPECT_EQ(single.out.find("  L"), std::string::npos) << single.out;
  // The status texts of the two receivers are told apart the same way.
  const ProgramRun status =
      Shell(std::string(TOLVIK_DECODE) + " --status --channel both " + Quote(file.string()));
  EXPECT_NE(status.err.find("s L: Receiving data..."), std::string::npos) << status.err;
  EXPECT_NE(status.err.find("s R: Receiving data..."), std::string::npos) << status.err;
}

TEST_F(EndToEndTest, MonoInputWithTheRightChannelFailsForThatInputOnly) {
  const fs::path mono = Generate("mono.wav", "", {kLayouts[3].call});
  const fs::path stereo = Generate("stereo.wav", "--channels 2", {kLayouts[3].call});
  const ProgramRun run = Shell(std::string(TOLVIK_DECODE) + " --json --channel right " +
                               Quote(mono.string()) + " " + Quote(stereo.string()));
  EXPECT_EQ(run.exit_status, 1);
  EXPECT_EQ(run.err, "tolvik-decode: " + mono.string() +
                         ": the recording is mono: it has no right channel\n");
  ASSERT_EQ(Rows(run).size(), 1u);
  EXPECT_EQ(Rows(run)[0]["file"], stereo.string());

  const ProgramRun raw = Shell("tail -c +45 " + Quote(mono.string()) + " | " +
                               std::string(TOLVIK_DECODE) + " --raw-channels 1 --channel both -");
  EXPECT_EQ(raw.exit_status, 1);
  EXPECT_EQ(raw.err, "tolvik-decode: -: a raw stream of 1 channel has no right channel\n");

  const ProgramRun bad =
      Shell(std::string(TOLVIK_DECODE) + " --channel middle " + Quote(stereo.string()));
  EXPECT_EQ(bad.exit_status, 2);
  EXPECT_NE(bad.err.find("--channel"), std::string::npos) << bad.err;
  EXPECT_TRUE(bad.out.empty());
}

TEST_F(EndToEndTest, BothToolsTellTheirVersion) {
  for (const char* program : {TOLVIK_GEN, TOLVIK_DECODE}) {
    const ProgramRun run = Shell(std::string(program) + " --version");
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_EQ(run.out, fs::path(program).filename().string() + " " + TOLVIK_VERSION "\n");
  }
}

// Rewrites a mono `wav` in another sample format and channel count; the
// recording goes on the first channel, the others carry a constant of a
// quarter of full scale, which the decoder must never see.
fs::path Rewrite(const fs::path& wav, const std::string& name, int format, int channels) {
  SF_INFO info{};
  SNDFILE* in = sf_open(wav.c_str(), SFM_READ, &info);
  EXPECT_NE(in, nullptr) << sf_strerror(nullptr);
  SF_INFO out_info = info;
  out_info.format = format;
  out_info.channels = channels;
  const fs::path path = wav.parent_path() / name;
  SNDFILE* out = sf_open(path.c_str(), SFM_WRITE, &out_info);
  EXPECT_NE(out, nullptr) << name << ": " << sf_strerror(nullptr);
  constexpr sf_count_t kChunk = 4096;
  std::vector<double> mono(kChunk);
  std::vector<double> frames(kChunk * static_cast<std::size_t>(channels), 0.25);
  while (const sf_count_t n = sf_readf_double(in, mono.data(), kChunk)) {
    for (sf_count_t j = 0; j < n; ++j)
      frames[static_cast<std::size_t>(j * channels)] = mono[static_cast<std::size_t>(j)];
    sf_writef_double(out, frames.data(), n);
  }
  sf_close(out);
  sf_close(in);
  return path;
}

// Recordings come from every kind of program: 8-bit and 32-bit float WAV,
// 24-bit FLAC, multichannel interfaces, 192 kHz converters. Each must give
// the row the 16-bit original gives, from its first channel.
TEST_F(EndToEndTest, RecordingsOfUnusualFormatsGiveTheSameRow) {
  const Layout& layout = kLayouts[7];
  for (const bool vhf : {false, true}) {
    SCOPED_TRACE(vhf ? "VHF" : "HF");
    const std::string mode = vhf ? "--vhf " : "";
    const fs::path original = Generate("original.wav", mode, {layout.call});
    const std::vector<fs::path> files = {
        Rewrite(original, "u8.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 1),
        Rewrite(original, "float.wav", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 1),
        Rewrite(original, "double.wav", SF_FORMAT_WAV | SF_FORMAT_DOUBLE, 1),
        Rewrite(original, "six.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 6),
        Rewrite(original, "flac24.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_24, 2),
        Rewrite(original, "aiff32.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_32, 1),
        Generate("192k.wav", mode + "--rate 192000", {layout.call}),
    };
    for (const fs::path& file : files) {
      SCOPED_TRACE(file.filename().string());
      const ProgramRun run = Decode(mode + Quote(file.string()));
      EXPECT_EQ(run.exit_status, 0) << run.err;
      const auto rows = Rows(run);
      ASSERT_EQ(rows.size(), 1u) << run.err;
      ExpectRow(rows[0], layout);
    }
  }
}

// A file cut inside its header, a folder, a file without read permission and
// a WAV whose header names a format nobody reads: each is named with the
// reason, the exit status says an input failed, and the good file after them
// is still decoded.
TEST_F(EndToEndTest, BrokenRecordingsAreNamedWithTheReason) {
  const fs::path good = Generate("good.wav", "--vhf", {kLayouts[3].call});
  std::string bytes;
  {
    std::ifstream in(good, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  std::ofstream(dir / "cut-header.wav", std::ios::binary) << bytes.substr(0, 30);
  std::string bad_format = bytes;
  bad_format[20] = '\x55';  // WAVE_FORMAT code 0x5555, no codec anyone knows
  bad_format[21] = '\x55';
  std::ofstream(dir / "bad-format.wav", std::ios::binary) << bad_format;
  fs::create_directory(dir / "folder.wav");
  std::vector<std::string> broken = {"cut-header.wav", "bad-format.wav", "folder.wav"};
  if (geteuid() != 0) {  // root reads any file
    std::ofstream(dir / "locked.wav", std::ios::binary) << bytes;
    fs::permissions(dir / "locked.wav", fs::perms::none);
    broken.push_back("locked.wav");
  }
  std::string arguments = "--vhf";
  for (const std::string& name : broken)
    arguments += " " + Quote((dir / name).string());
  const ProgramRun run = Decode(arguments + " " + Quote(good.string()));
  EXPECT_EQ(run.exit_status, 1);
  ASSERT_EQ(Rows(run).size(), 1u) << run.err;
  ExpectRow(Rows(run)[0], kLayouts[3]);
  std::istringstream lines(run.err);
  std::vector<std::string> messages;
  for (std::string line; std::getline(lines, line);)
    messages.push_back(line);
  ASSERT_EQ(messages.size(), broken.size()) << run.err;
  for (std::size_t i = 0; i < broken.size(); ++i) {
    const std::string prefix = "tolvik-decode: " + (dir / broken[i]).string() + ": ";
    EXPECT_EQ(messages[i].rfind(prefix, 0), 0u) << messages[i];
    EXPECT_GT(messages[i].size(), prefix.size() + 5) << "no reason given: " << messages[i];
  }
}

}  // namespace
}  // namespace tolvik
