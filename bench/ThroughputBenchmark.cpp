// How fast tolvik-decode's own code path gets through a long recording: a
// WAV file read by the sound-file source, cut into capture buffers and run
// through a fresh receiver, rows printed to a temporary file. The recording
// is made once per case by the generator: calls of every layout with gaps
// between them, in mild noise (Eb/N0 20 dB, tones of peak 2000), written to
// a temporary directory that is removed afterwards. Making the file is not
// timed.
//
// The counter "x_real_time" is audio seconds decoded per CPU second of the
// benchmark thread. TOLVIK_BENCH_MINUTES sets the length of the recordings
// (default 30). hf_48k_enhanced and vhf_48k_enhanced decode the same
// recordings as hf_48k and vhf_48k with --enhanced, for the enhanced mode's
// cost against the standard chain's. hf_stereo_48k_left and
// hf_stereo_48k_both decode one stereo recording (the HF recording on the
// left, one of other calls and noise on the right) with --channel left and
// --channel both, for the cost of the second receiver.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "CallMix.h"
#include "CallStream.h"
#include "MonoWavFile.h"
#include "audio/input/SoundFileSource.h"
#include "decode/DecodeOptions.h"
#include "decode/InputDecoder.h"

namespace tolvik {
namespace {

constexpr double kDefaultMinutes = 30.0;
constexpr double kEbN0Db = 20.0;
constexpr double kAmplitude = 2000.0;
constexpr int kCallsPerPiece = 20;
constexpr std::uint64_t kCallSeed = 7;
constexpr std::uint64_t kNoiseSeed = 1000;

// One case: what the recording holds and how it is decoded.
struct Recording {
  bool vhf = false;
  int rate_hz = 48000;
  double centre_hz = 800.0;  // HF tone centre in the file, given to the decoder as --centre
  bool enhanced = false;     // --enhanced: the enhanced decoder beside the standard demodulator
  bool stereo = false;       // other calls on the right channel
  DecodedChannels channels = DecodedChannels::Left;  // --channel
};

double RecordingMinutes() {
  if (const char* text = std::getenv("TOLVIK_BENCH_MINUTES")) {
    const double minutes = std::atof(text);
    if (minutes > 0) {
      return minutes;
    }
  }
  return kDefaultMinutes;
}

// Gaps long enough that most of the time the channel is idle, as on the air.
double GapSeconds(bool vhf) {
  return vhf ? 2.0 : 4.0;
}

// Rough length of one call with its gap, to know how many calls fill the time.
double SecondsPerCall(bool vhf) {
  return (vhf ? 0.3 : 6.0) + GapSeconds(vhf);
}

// A temporary directory that removes itself with everything in it.
class TemporaryDirectory {
 public:
  TemporaryDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tolvik-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot create a temporary directory");
    }
    path_ = pattern;
  }
  ~TemporaryDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;  // the directory made
};

// Writes one channel's recording; returns how many calls it holds.
int WriteMonoRecording(const Recording& recording, const std::string& path, double seconds,
                       std::uint64_t call_seed, std::uint64_t noise_seed) {
  const int calls = static_cast<int>(seconds / SecondsPerCall(recording.vhf)) + 1;
  SignalOptions options;
  options.Vhf = recording.vhf;
  options.CentreHz = recording.centre_hz;
  options.EbN0Db = kEbN0Db;
  options.Amplitude = kAmplitude;
  options.GapS = GapSeconds(recording.vhf);
  options.SampleRateHz = recording.rate_hz;
  options.Seed = noise_seed;
  MonoWavFile file(path, recording.rate_hz);
  GenerateCallStream(MakeCallMix(calls, call_seed), options, kCallsPerPiece,
                     [&](std::span<const double> samples) { file.Append(samples); });
  file.Close();
  return calls;
}

// Interleaves two mono 48 kHz recordings into a stereo one, the shorter
// padded with silence.
void WriteStereo(const std::string& left_path, const std::string& right_path,
                 const std::string& path) {
  constexpr std::size_t kPiece = 48000;
  SoundFileSource left(left_path);
  SoundFileSource right(right_path);
  MonoWavFile file(path, kCaptureRateHz, 2);
  std::vector<double> left_piece(kPiece), right_piece(kPiece), frames(2 * kPiece);
  for (;;) {
    std::fill(left_piece.begin(), left_piece.end(), 0.0);
    std::fill(right_piece.begin(), right_piece.end(), 0.0);
    const std::size_t count = std::max(left.Read(left_piece), right.Read(right_piece));
    if (count == 0) {
      break;
    }
    for (std::size_t i = 0; i < count; ++i) {
      frames[2 * i] = left_piece[i];
      frames[2 * i + 1] = right_piece[i];
    }
    file.Append(std::span<const double>(frames).first(2 * count));
  }
  file.Close();
}

// Writes the recording; returns how many calls it holds.
int WriteRecording(const Recording& recording, const std::string& path, double seconds) {
  if (!recording.stereo) {
    return WriteMonoRecording(recording, path, seconds, kCallSeed, kNoiseSeed);
  }
  const std::string left = path + ".left.wav";
  const std::string right = path + ".right.wav";
  const int calls = WriteMonoRecording(recording, left, seconds, kCallSeed, kNoiseSeed) +
                    WriteMonoRecording(recording, right, seconds, kCallSeed + 1, kNoiseSeed + 1);
  WriteStereo(left, right, path);
  std::filesystem::remove(left);
  std::filesystem::remove(right);
  return calls;
}

// With TOLVIK_BENCH_KEEP=DIR each recording is copied there, named after
// what it holds ("hf-48000-800.wav"), to look into what a decoder made of it.
void KeepRecording(const std::string& path, const Recording& recording) {
  const char* folder = std::getenv("TOLVIK_BENCH_KEEP");
  if (folder == nullptr || *folder == '\0') {
    return;
  }
  const std::string file_name =
      std::string(recording.vhf ? "vhf" : "hf") + "-" + std::to_string(recording.rate_hz) + "-" +
      std::to_string(static_cast<int>(recording.centre_hz)) + (recording.stereo ? "-stereo" : "");
  std::filesystem::copy_file(path, std::filesystem::path(folder) / (file_name + ".wav"),
                             std::filesystem::copy_options::overwrite_existing);
}

int CountLines(std::FILE* file) {
  std::rewind(file);
  int lines = 0;
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
    lines += c == '\n' ? 1 : 0;
  }
  return lines;
}

void BM_DecodeRecording(benchmark::State& state, Recording recording) {
  TemporaryDirectory directory;
  const std::string path = (directory.Path() / "recording.wav").string();
  const int calls = WriteRecording(recording, path, RecordingMinutes() * 60.0);
  KeepRecording(path, recording);
  const double audio_seconds = static_cast<double>(std::filesystem::file_size(path) - 44) / 2.0 /
                               (recording.stereo ? 2 : 1) / recording.rate_hz;

  DecodeOptions options;
  options.vhf = recording.vhf;
  options.centre_hz = recording.centre_hz;
  options.enhanced = recording.enhanced;
  options.channels = recording.channels;
  options.progress = false;
  options.files = {path};
  std::FILE* errors = std::fopen("/dev/null", "w");
  int rows = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::FILE* out = std::tmpfile();
    state.ResumeTiming();
    InputDecoder decoder(options, out, errors);
    if (!decoder.Decode(path)) {
      state.SkipWithError("the recording could not be read");
    }
    state.PauseTiming();
    rows = CountLines(out);
    std::fclose(out);
    state.ResumeTiming();
  }
  std::fclose(errors);
  state.counters["audio_s"] = audio_seconds;
  state.counters["calls"] = calls;
  state.counters["rows"] = rows;
  state.counters["x_real_time"] =
      benchmark::Counter(audio_seconds, benchmark::Counter::kIsIterationInvariantRate);
}

BENCHMARK_CAPTURE(BM_DecodeRecording, hf_48k, Recording{false, 48000, 800.0})
    ->Unit(benchmark::kSecond)
    ->Iterations(2);
// The same recording as hf_48k, the receiver with DecENH on.
BENCHMARK_CAPTURE(BM_DecodeRecording, hf_48k_enhanced, Recording{false, 48000, 800.0, true})
    ->Unit(benchmark::kSecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(BM_DecodeRecording, vhf_48k, Recording{true, 48000, 800.0})
    ->Unit(benchmark::kSecond)
    ->Iterations(2);
// The same recording as vhf_48k, the receiver with DecENH on.
BENCHMARK_CAPTURE(BM_DecodeRecording, vhf_48k_enhanced, Recording{true, 48000, 800.0, true})
    ->Unit(benchmark::kSecond)
    ->Iterations(2);
// One stereo recording: the left channel alone, then both.
BENCHMARK_CAPTURE(BM_DecodeRecording, hf_stereo_48k_left,
                  Recording{false, 48000, 800.0, false, true, DecodedChannels::Left})
    ->Unit(benchmark::kSecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(BM_DecodeRecording, hf_stereo_48k_both,
                  Recording{false, 48000, 800.0, false, true, DecodedChannels::Both})
    ->Unit(benchmark::kSecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(BM_DecodeRecording, hf_44k1, Recording{false, 44100, 800.0})
    ->Unit(benchmark::kSecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(BM_DecodeRecording, vhf_44k1, Recording{true, 44100, 800.0})
    ->Unit(benchmark::kSecond)
    ->Iterations(2);
BENCHMARK_CAPTURE(BM_DecodeRecording, hf_centre1700_48k, Recording{false, 48000, 1700.0})
    ->Unit(benchmark::kSecond)
    ->Iterations(2);

}  // namespace
}  // namespace tolvik
