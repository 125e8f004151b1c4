// tolvik_false_rows: what the decoder makes of audio without any DSC in it.
// One hour (by default) of white Gaussian noise, and one hour of tone bursts
// across the speech band over weaker noise, each through a fresh receiver in
// HF and in VHF mode, with the standard chain, the enhanced decoder (DecENH)
// or each in turn. Prints every row that comes out, with its texts, and
// how often phasing was found and each kind of rejection ended a reception
// (each shows its status text). Seeded, so every run gives the same figures.

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "SpeechBandTones.h"
#include "StreamDecoder.h"
#include "base/BlockFormat.h"
#include "gen/GaussianNoise.h"
#include "gen/WavWriter.h"

namespace tolvik {
namespace {

using Clock = std::chrono::steady_clock;

constexpr double kNoiseOnlySigma = 2000.0;
constexpr double kTonesNoiseSigma = 500.0;
constexpr double kLoudestTonePeak = 16000.0;
constexpr std::size_t kPieceSamples = 10 * kCaptureRateHz;  // 10 s made at a time

struct Options {
  double hours = 1.0;
  std::string mode = "both";
  std::string input = "both";        // noise, tones or both
  std::string decoder = "standard";  // standard, enhanced or both
  std::uint64_t seed = 1;
};

struct RunResult {
  std::vector<BenchRow> Rows;
  StatusCounts Statuses;
  std::uint64_t Clipped = 0;
  double ElapsedS = 0;
};

RunResult Run(bool vhf, bool enhanced, bool with_tones, double hours, std::uint64_t seed) {
  const auto started = Clock::now();
  StreamDecoder decoder(vhf, true, enhanced);
  GaussianNoise noise(seed, with_tones ? kTonesNoiseSigma : kNoiseOnlySigma);
  SpeechBandTones tones(seed + 1, kCaptureRateHz, kLoudestTonePeak);
  const auto total = static_cast<std::uint64_t>(hours * 3600.0 * kCaptureRateHz);
  std::vector<double> piece(kPieceSamples);
  RunResult result;
  for (std::uint64_t done = 0; done < total; done += piece.size()) {
    piece.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kPieceSamples, total - done)));
    for (double& sample : piece) {
      sample = noise.Next() + (with_tones ? tones.Next() : 0.0);
    }
    result.Clipped += CountClippedSamples(piece);
    decoder.Feed(piece);
  }
  decoder.Finish();
  result.Rows = decoder.Rows();
  result.Statuses = decoder.Statuses();
  result.ElapsedS = std::chrono::duration<double>(Clock::now() - started).count();
  return result;
}

void PrintResult(const char* mode, const char* decoder, const char* input, double hours,
                 const RunResult& r) {
  const StatusCounts& s = r.Statuses;
  std::printf("%-4s %-8s %-14s %5zu  %7.1f  %6.1f  %6.1f  %6.1f  %6.1f  %7llu  %5.1f\n", mode,
              decoder, input, r.Rows.size(), static_cast<double>(s.Receiving) / hours,
              static_cast<double>(s.Parity) / hours, static_cast<double>(s.Data) / hours,
              static_cast<double>(s.DataSize) / hours, static_cast<double>(s.Format) / hours,
              static_cast<unsigned long long>(r.Clipped), r.ElapsedS);
  std::fflush(stdout);
}

void PrintRows(const char* mode, const char* input, const RunResult& r) {
  for (const BenchRow& row : r.Rows) {
    const ReceiveEntry& e = row.Entry;
    std::printf("  %s %s at %.1f s: %s | %s | %s | %s | %s | %s | %s | kind %d\n", mode, input,
                row.OffsetS, e.Category.c_str(), e.From.c_str(), e.To.c_str(),
                e.RequestStatus.c_str(), e.Information.c_str(), e.Position.c_str(), e.Ack.c_str(),
                static_cast<int>(row.Kind));
  }
}

}  // namespace
}  // namespace tolvik

int main(int argc, char** argv) {
  tolvik::Options options;
  CLI::App app{"Rows and status texts the decoder produces from audio without DSC."};
  app.add_option("--hours", options.hours, "length of each input")->check(CLI::PositiveNumber);
  app.add_option("--mode", options.mode, "hf, vhf or both")
      ->check(CLI::IsMember({"hf", "vhf", "both"}));
  app.add_option("--input", options.input, "noise, tones or both")
      ->check(CLI::IsMember({"noise", "tones", "both"}));
  app.add_option("--decoder", options.decoder, "standard, enhanced or both")
      ->check(CLI::IsMember({"standard", "enhanced", "both"}));
  app.add_option("--seed", options.seed, "seed of noise and tones");
  CLI11_PARSE(app, argc, argv);

  std::printf(
      "%.2f h per input; noise only: sigma %.0f; tones: 1-3 tones 300-3000 Hz, "
      "50-800 ms, peak up to %.0f, over noise of sigma %.0f\n\n",
      options.hours, tolvik::kNoiseOnlySigma, tolvik::kLoudestTonePeak, tolvik::kTonesNoiseSigma);
  std::printf(
      "Mode Decoder  Input           rows  phasing  parity    data    size  format  clipped  "
      "run s\n");
  std::printf("                                           (status texts per hour)\n");
  const auto started = std::chrono::steady_clock::now();
  std::vector<std::string> row_lines;
  for (const bool vhf : {false, true}) {
    if ((vhf && options.mode == "hf") || (!vhf && options.mode == "vhf")) {
      continue;
    }
    for (const bool enhanced : {false, true}) {
      if ((enhanced && options.decoder == "standard") ||
          (!enhanced && options.decoder == "enhanced")) {
        continue;
      }
      for (const bool with_tones : {false, true}) {
        if ((with_tones && options.input == "noise") || (!with_tones && options.input == "tones")) {
          continue;
        }
        const char* mode = vhf ? "VHF" : "HF";
        const char* decoder = enhanced ? "enhanced" : "standard";
        const char* input = with_tones ? "tones + noise" : "noise";
        const tolvik::RunResult result =
            tolvik::Run(vhf, enhanced, with_tones, options.hours, options.seed);
        tolvik::PrintResult(mode, decoder, input, options.hours, result);
        tolvik::PrintRows(mode, input, result);
      }
    }
  }
  std::printf("\nTotal %.1f s\n",
              std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  return 0;
}
