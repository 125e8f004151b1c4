// tolvik_bench_soak: a receiver left running on a day of audio. White noise
// of one level with calls of every layout keyed onto it at random times,
// each at a random Eb/N0 from the 90 % point of the chosen decoder upward,
// made piece by piece as it is decoded (nothing of the day is kept). Rows
// older than an hour are aged out of the list as an unattended receiver
// would be set to do, so the list itself stays bounded. Every simulated hour
// it prints calls sent, calls decoded exactly, false rows and the process's
// memory; at the end the totals and the memory after the first hour against
// the end, which must be the same.
//
// A row counts as a call decoded when it carries exactly the texts (all but
// Time) and distress kind that call makes when received clean; every other
// row is a false row. Seeded, so every run gives the same figures.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "CallLedger.h"
#include "CallMix.h"
#include "CallsOnNoise.h"
#include "FeedFromAir.h"
#include "ProcessMemory.h"
#include "StreamDecoder.h"
#include "ThreadCpuClock.h"
#include "base/BlockFormat.h"

namespace tolvik {
namespace {

using Clock = std::chrono::steady_clock;

constexpr double kSegmentS = 3600.0;    // calls are drawn and memory read per hour
constexpr double kNoiseSigma = 1000.0;  // 16-bit full scale is 32 sigma away
constexpr double kEbN0SpanDb = 10.0;    // above the 90 % point
constexpr std::size_t kPieceSamples = kFramesPerBlock * 10;  // one second fed at a time
constexpr int kAgeingSteps = 6;  // rows older than 60 minutes leave the list
constexpr int kFalseRowsShown = 10;

// The 90 % points of the sensitivity tables in the README (Performance):
// the standard chain 13.0 dB (HF) and 8.0 dB (VHF); the enhanced decoders
// 6.5 dB (HF, individual calls on tune, the higher of its two kinds) and
// 4.9 dB (VHF, individual calls).
constexpr double kNinetyPercentDb[2][2] = {{13.0, 6.5}, {8.0, 4.9}};  // [vhf][enhanced]

// Silence between calls, drawn uniformly: HF about two calls a minute, VHF
// about one in five seconds. Long enough that the decoder has written one
// call's row before the next begins.
struct GapRange {
  double LowS;
  double HighS;
};
constexpr GapRange kHfGap{5.0, 45.0};
constexpr GapRange kVhfGap{1.0, 8.0};
// The end of an hour's last call is this far from the next hour, so that
// its row has come before the next hour's calls are drawn.
constexpr double kHfHourMarginS = 10.0;
constexpr double kVhfHourMarginS = 2.0;

struct Options {
  double hours = 24.0;
  std::string mode = "hf";
  bool enhanced = false;
  std::uint64_t seed = 1;
};

class Soak {
 public:
  explicit Soak(const Options& options)
      : options_(options),
        vhf_(options.mode == "vhf"),
        decoder_(vhf_, true, options.enhanced),
        air_(vhf_, kNoiseSigma, options.seed),
        engine_(options.seed + 1) {
    decoder_.AgeRowsOlderThan(kAgeingSteps);
  }

  void Run();

 private:
  void DrawSegment(double start_s, double end_s, std::uint64_t segment);
  void FeedUntil(double end_s);
  void MatchRows();
  void PrintHour(double hours) const;

  const Options& options_;
  bool vhf_;
  StreamDecoder decoder_;
  CallsOnNoise air_;
  std::mt19937_64 engine_;
  CallLedger ledger_;
  std::vector<double> piece_ = std::vector<double>(kPieceSamples);
  double decoding_s_ = 0.0;  // CPU time spent in the decoder
  int false_rows_shown_ = 0;
};

void Soak::DrawSegment(double start_s, double end_s, std::uint64_t segment) {
  const GapRange gap = vhf_ ? kVhfGap : kHfGap;
  const double margin_s = vhf_ ? kVhfHourMarginS : kHfHourMarginS;
  std::uniform_real_distribution<double> draw_gap(gap.LowS, gap.HighS);
  const double p90 = kNinetyPercentDb[vhf_][options_.enhanced];
  std::uniform_real_distribution<double> draw_db(p90, p90 + kEbN0SpanDb);
  // Enough calls for the shortest gaps; those that do not fit are not sent.
  const int most = static_cast<int>((end_s - start_s) / gap.LowS) + 1;
  const std::vector<CallDescription> mix = MakeCallMix(most, options_.seed * 1000003 + segment);
  std::vector<CallDescription> calls;
  std::vector<double> starts;
  std::vector<double> levels;
  double next_s = start_s + draw_gap(engine_);
  for (const CallDescription& call : mix) {
    const double end_of_call_s = next_s + air_.CallSeconds(call);
    if (end_of_call_s + margin_s > end_s) {
      break;
    }
    calls.push_back(call);
    starts.push_back(next_s);
    levels.push_back(draw_db(engine_));
    next_s = end_of_call_s + draw_gap(engine_);
  }
  ledger_.SendStretch(air_, calls, starts, levels, vhf_);
}

void Soak::FeedUntil(double end_s) {
  decoding_s_ +=
      FeedFromAirUntil(air_, decoder_, piece_, kPieceSamples, end_s, [this] { MatchRows(); });
}

void Soak::MatchRows() {
  for (const BenchRow& row : decoder_.TakeRows()) {
    if (!ledger_.Match(row) && false_rows_shown_++ < kFalseRowsShown) {
      PrintBenchRow("false row", row);
    }
  }
}

void Soak::PrintHour(double hours) const {
  const ProcessMemory memory = ReadProcessMemory();
  const CallLedger::Totals& counts = ledger_.Counts();
  std::printf(
      "%6.2f h  sent %6ld  decoded %6ld  false %3ld  list %5d  VmHWM %6ld kB  VmRSS %6ld kB  heap "
      "%6ld kB\n",
      hours, counts.Sent, counts.Decoded, counts.FalseRows, decoder_.ListRows(), memory.PeakKb,
      memory.ResidentKb, memory.HeapInUseKb);
  std::fflush(stdout);
}

void Soak::Run() {
  const auto started = Clock::now();
  const std::clock_t cpu_started = std::clock();
  const double total_s = options_.hours * 3600.0;
  std::optional<ProcessMemory> after_first;
  std::uint64_t segment = 0;
  for (double start_s = 0.0; start_s < total_s; start_s += kSegmentS, ++segment) {
    const double end_s = std::min(total_s, start_s + kSegmentS);
    DrawSegment(start_s, end_s, segment);
    FeedUntil(end_s);
    PrintHour(end_s / 3600.0);
    if (!after_first) {
      after_first = ReadProcessMemory();
    }
  }
  decoder_.Finish();
  MatchRows();
  const ProcessMemory at_end = ReadProcessMemory();
  const double wall_s = std::chrono::duration<double>(Clock::now() - started).count();
  const double cpu_s = static_cast<double>(std::clock() - cpu_started) / CLOCKS_PER_SEC;
  std::printf("\n%s %s, %.2f h of audio, Eb/N0 %.1f to %.1f dB\n", vhf_ ? "VHF" : "HF",
              options_.enhanced ? "enhanced" : "standard", options_.hours,
              kNinetyPercentDb[vhf_][options_.enhanced],
              kNinetyPercentDb[vhf_][options_.enhanced] + kEbN0SpanDb);
  const CallLedger::Totals& counts = ledger_.Counts();
  std::printf(
      "calls sent %ld, decoded exactly %ld (%.2f %%), false rows %ld, not decoded even "
      "clean %ld\n",
      counts.Sent, counts.Decoded, counts.Sent > 0 ? 100.0 * counts.Decoded / counts.Sent : 0.0,
      counts.FalseRows, counts.NotDecodedClean);
  std::printf(
      "memory after the first hour: VmHWM %ld kB, VmRSS %ld kB, heap %ld kB; at the end: VmHWM "
      "%ld kB, VmRSS %ld kB, heap %ld kB\n",
      after_first->PeakKb, after_first->ResidentKb, after_first->HeapInUseKb, at_end.PeakKb,
      at_end.ResidentKb, at_end.HeapInUseKb);
  std::printf(
      "run %.0f s, CPU %.0f s: %.0fx real time in all (CPU), %.0fx by the wall clock; the "
      "decoder alone %.0fx (CPU)\n",
      wall_s, cpu_s, total_s / cpu_s, total_s / wall_s, total_s / decoding_s_);
}

}  // namespace
}  // namespace tolvik

int main(int argc, char** argv) {
  tolvik::Options options;
  CLI::App app{"A receiver left running on hours of noise with calls at random times."};
  app.add_option("--hours", options.hours, "simulated hours of audio")->check(CLI::PositiveNumber);
  app.add_option("--mode", options.mode, "hf or vhf")->check(CLI::IsMember({"hf", "vhf"}));
  app.add_flag("--enhanced", options.enhanced, "the enhanced decoder makes the rows (DecENH)");
  app.add_option("--seed", options.seed, "seed of the noise, the calls and their times");
  CLI11_PARSE(app, argc, argv);
  tolvik::Soak soak(options);
  soak.Run();
  return 0;
}
