// tolvik_sensitivity: the share of calls decoded exactly against Eb/N0.
//
// A pool of calls of every layout (random identities, frequencies,
// positions, numbers) is first decoded clean, which gives the row each call
// must produce. Then, for every Eb/N0 point, the same calls go one after
// another, with gaps, into one continuous noisy stream through one receiver,
// with a noise seed of its own per point. A call counts as decoded when a
// row carries exactly its texts (all but Time) and its distress kind; each
// call counts once. Rows that match no call, or a call already matched, are
// counted as extra rows: errors the decoder did not notice, or calls shown
// without their expansion sequence (told apart in the table).

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "CallMix.h"
#include "CallStream.h"
#include "ReferenceRows.h"
#include "StreamDecoder.h"
#include "gen/SignalGenerator.h"

namespace tolvik {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint64_t kCallSeed = 2024;
constexpr int kCallsPerPiece = 25;
// Low enough that the noise of the 24 kHz band at 0 dB stays clear of 16
// bits: sigma = amplitude * sqrt(fs / (2 * bit rate)), 4650 for HF (x15.5)
// and 4470 for VHF (x4.47), so full scale is 7 sigma away.
constexpr double kHfAmplitude = 300.0;
constexpr double kVhfAmplitude = 1000.0;
constexpr double kHfGapS = 1.0;
constexpr double kVhfGapS = 0.3;
constexpr int kExtraRowsShown = 12;

struct Options {
  int calls = 200;
  std::string mode = "both";
  double from_db = 0.0;
  double to_db = 14.0;
  double step_db = 1.0;
  std::uint64_t seed = 1;               // of the noise; each point adds its own offset
  std::optional<double> amplitude;      // peak of the tones; nullopt: the mode's default
  bool auto_frequency = true;           // HF frequency correction at phasing
  double centre_hz = kDecoderCentreHz;  // HF: where the calls are sent; shifted to 800 Hz
};

// The row a call makes when received clean.
struct ExpectedCall {
  std::optional<BenchRow> Row;  // nullopt: not decoded even without noise
  CallLayout Layout;
};

// One row of the result table.
struct PointResult {
  double EbN0Db = 0;
  int Decoded = 0;
  int Expected = 0;
  int ExtraRows = 0;
  int ExtraPositionOnly = 0;  // of them, rows that differ from a call in the Position alone
  std::vector<int> DecodedByLayout = std::vector<int>(kCallLayoutCount);
  std::uint64_t Clipped = 0;
  double StreamSeconds = 0;
  StatusCounts Statuses;
  double ElapsedS = 0;
};

// An extra row and the call that was on the air just before it.
struct ExtraRow {
  double EbN0Db = 0;
  BenchRow Row;
  std::optional<BenchRow> Nearest;
};

// A row that is some call's own but for its Position: typically a call whose
// expansion sequence (the position's further decimals) was lost.
bool DiffersOnlyInPosition(const std::vector<ExpectedCall>& expected, const BenchRow& row) {
  for (const ExpectedCall& call : expected) {
    if (call.Row && SameTextsButPosition(*call.Row, row)) {
      return true;
    }
  }
  return false;
}

double NoisyAmplitude(const Options& options, bool vhf) {
  return options.amplitude.value_or(vhf ? kVhfAmplitude : kHfAmplitude);
}

SignalOptions StreamOptions(bool vhf, double centre_hz, double amplitude, double ebn0_db,
                            std::uint64_t seed) {
  SignalOptions options;
  options.Vhf = vhf;
  options.CentreHz = centre_hz;
  options.EbN0Db = ebn0_db;
  options.Amplitude = amplitude;
  options.GapS = vhf ? kVhfGapS : kHfGapS;
  options.Seed = seed;
  return options;
}

std::vector<ExpectedCall> CleanDecode(const std::vector<CallDescription>& calls, bool vhf,
                                      double centre_hz) {
  const std::vector<std::optional<BenchRow>> rows = CleanRows(calls, vhf, centre_hz);
  std::vector<ExpectedCall> expected;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    expected.push_back({rows[i], LayoutOfMixCall(static_cast<int>(i))});
  }
  return expected;
}

PointResult RunPoint(const std::vector<CallDescription>& calls,
                     const std::vector<ExpectedCall>& expected, bool vhf, bool auto_frequency,
                     double centre_hz, double amplitude, double ebn0_db, std::uint64_t seed,
                     std::vector<ExtraRow>& extra_rows) {
  const auto started = Clock::now();
  PointResult result;
  result.EbN0Db = ebn0_db;
  StreamDecoder decoder(vhf, auto_frequency);
  ShiftingFeeder feed(decoder, vhf, centre_hz);
  const CallStreamSummary stream =
      GenerateCallStream(calls, StreamOptions(vhf, centre_hz, amplitude, ebn0_db, seed),
                         kCallsPerPiece, [&](std::span<const double> samples) { feed(samples); });
  decoder.Finish();

  std::vector<bool> matched(expected.size(), false);
  for (const BenchRow& row : decoder.Rows()) {
    bool found = false;
    for (std::size_t i = 0; i < expected.size() && !found; ++i) {
      if (!matched[i] && expected[i].Row && SameTexts(*expected[i].Row, row)) {
        matched[i] = true;
        found = true;
        ++result.Decoded;
        ++result.DecodedByLayout[static_cast<std::size_t>(expected[i].Layout)];
      }
    }
    if (!found) {
      ++result.ExtraRows;
      result.ExtraPositionOnly += DiffersOnlyInPosition(expected, row) ? 1 : 0;
      const auto nearest = CallOnAirBefore(stream.Calls, row.OffsetS);
      extra_rows.push_back({ebn0_db, row, nearest ? expected[*nearest].Row : std::nullopt});
    }
  }
  for (const ExpectedCall& call : expected) {
    result.Expected += call.Row ? 1 : 0;
  }
  result.Clipped = stream.ClippedSamples;
  result.StreamSeconds = decoder.SecondsFed();
  result.Statuses = decoder.Statuses();
  result.ElapsedS = std::chrono::duration<double>(Clock::now() - started).count();
  return result;
}

double Share(const PointResult& point) {
  return point.Expected == 0 ? 0.0 : static_cast<double>(point.Decoded) / point.Expected;
}

// The Eb/N0 at which the share first reaches `wanted`, interpolated
// linearly between the points either side.
std::string ThresholdText(const std::vector<PointResult>& points, double wanted) {
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double share = Share(points[i]);
    if (share < wanted) {
      continue;
    }
    if (i == 0) {
      return "<= " + std::to_string(points[0].EbN0Db).substr(0, 4) + " dB";
    }
    const double below = Share(points[i - 1]);
    const double fraction = (wanted - below) / (share - below);
    const double db = points[i - 1].EbN0Db + fraction * (points[i].EbN0Db - points[i - 1].EbN0Db);
    char text[32];
    std::snprintf(text, sizeof text, "%.1f dB", db);
    return text;
  }
  return "not reached";
}

void PrintRowTexts(const char* label, const BenchRow& row) {
  const ReceiveEntry& e = row.Entry;
  std::printf("      %s %s | %s | %s | %s | %s | %s | %s | kind %d\n", label, e.Category.c_str(),
              e.From.c_str(), e.To.c_str(), e.RequestStatus.c_str(), e.Information.c_str(),
              e.Position.c_str(), e.Ack.c_str(), static_cast<int>(row.Kind));
}

void RunMode(const Options& options, bool vhf) {
  const char* name = vhf ? "VHF" : "HF";
  const auto started = Clock::now();
  const std::vector<CallDescription> calls = MakeCallMix(options.calls, kCallSeed);
  std::printf(
      "%s: %d calls of %d layouts, tones of peak %.0f, gaps of %.1f s, one continuous "
      "stream per point\n",
      name, options.calls, kCallLayoutCount, NoisyAmplitude(options, vhf),
      vhf ? kVhfGapS : kHfGapS);
  const std::vector<ExpectedCall> expected = CleanDecode(calls, vhf, options.centre_hz);

  std::printf(
      "\n  Eb/N0  decoded   share  extra (pos)  clipped  stream s  phasing  parity  data  size"
      "  format  run s\n");
  std::vector<PointResult> points;
  std::vector<ExtraRow> extra_rows;
  int point_number = 0;
  for (double db = options.from_db; db <= options.to_db + 1e-9;
       db += options.step_db, ++point_number) {
    const std::uint64_t seed = options.seed + 1000ull * static_cast<std::uint64_t>(point_number);
    const PointResult p = RunPoint(calls, expected, vhf, options.auto_frequency, options.centre_hz,
                                   NoisyAmplitude(options, vhf), db, seed, extra_rows);
    points.push_back(p);
    const StatusCounts& s = p.Statuses;
    std::printf(
        "  %5.1f  %3d/%-3d  %5.1f%%  %5d (%3d)  %7llu  %8.0f  %7lld  %6lld  %4lld  %4lld  %6lld"
        "  %5.1f\n",
        p.EbN0Db, p.Decoded, p.Expected, 100.0 * Share(p), p.ExtraRows, p.ExtraPositionOnly,
        static_cast<unsigned long long>(p.Clipped), p.StreamSeconds,
        static_cast<long long>(s.Receiving), static_cast<long long>(s.Parity),
        static_cast<long long>(s.Data), static_cast<long long>(s.DataSize),
        static_cast<long long>(s.Format), p.ElapsedS);
    std::fflush(stdout);
  }

  std::printf(
      "  extra: rows matching no call; (pos): of them, rows that are a call's own but"
      " for the Position\n  phasing ... format: status texts shown\n");
  std::printf("\n  Decoded by layout (of %d calls each, about):\n  Eb/N0", options.calls / 7);
  for (int layout = 0; layout < kCallLayoutCount; ++layout) {
    std::printf("  %s", CallLayoutName(static_cast<CallLayout>(layout)).c_str());
  }
  std::printf("\n");
  for (const PointResult& p : points) {
    std::printf("  %5.1f", p.EbN0Db);
    for (int layout = 0; layout < kCallLayoutCount; ++layout) {
      const int width = static_cast<int>(CallLayoutName(static_cast<CallLayout>(layout)).size());
      std::printf("  %*d", width, p.DecodedByLayout[static_cast<std::size_t>(layout)]);
    }
    std::printf("\n");
  }

  std::printf("\n  %s: 50%% decoded at %s, 90%% at %s\n", name, ThresholdText(points, 0.5).c_str(),
              ThresholdText(points, 0.9).c_str());
  if (!extra_rows.empty()) {
    std::printf("  Extra rows (first %d of %zu), each with the call on the air before it:\n",
                kExtraRowsShown, extra_rows.size());
    for (std::size_t i = 0; i < extra_rows.size() && i < kExtraRowsShown; ++i) {
      std::printf("    at %.1f dB, %.1f s:\n", extra_rows[i].EbN0Db, extra_rows[i].Row.OffsetS);
      PrintRowTexts("row ", extra_rows[i].Row);
      if (extra_rows[i].Nearest) {
        PrintRowTexts("call", *extra_rows[i].Nearest);
      }
    }
  }
  std::printf("  %s took %.1f s\n\n", name,
              std::chrono::duration<double>(Clock::now() - started).count());
}

}  // namespace
}  // namespace tolvik

int main(int argc, char** argv) {
  tolvik::Options options;
  CLI::App app{"Share of DSC calls decoded exactly against Eb/N0, HF and VHF."};
  app.add_option("--calls", options.calls, "calls per Eb/N0 point")->check(CLI::Range(1, 100000));
  app.add_option("--mode", options.mode, "hf, vhf or both")
      ->check(CLI::IsMember({"hf", "vhf", "both"}));
  app.add_option("--from", options.from_db, "lowest Eb/N0 in dB");
  app.add_option("--to", options.to_db, "highest Eb/N0 in dB");
  app.add_option("--step", options.step_db, "Eb/N0 step in dB")->check(CLI::PositiveNumber);
  app.add_option("--seed", options.seed, "noise seed");
  app.add_option("--amplitude", options.amplitude, "peak of the tones in 16-bit units")
      ->check(CLI::PositiveNumber);
  app.add_flag("--no-afc{false}", options.auto_frequency, "HF: no frequency correction at phasing");
  app.add_option("--centre", options.centre_hz,
                 "HF: send the calls at this centre and shift them to 800 Hz for decoding")
      ->check(CLI::Range(300.0, 3000.0));
  CLI11_PARSE(app, argc, argv);

  const auto started = std::chrono::steady_clock::now();
  if (options.mode != "vhf") {
    tolvik::RunMode(options, false);
  }
  if (options.mode != "hf") {
    tolvik::RunMode(options, true);
  }
  std::printf("Total %.1f s\n",
              std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
  return 0;
}
