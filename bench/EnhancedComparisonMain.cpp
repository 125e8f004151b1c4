// tolvik_enhanced_compare: the standard chain and the enhanced HF decoder side
// by side on the same generated audio; with --vhf the standard VHF chain and
// the enhanced VHF decoder.
//
// For every Eb/N0 point the same calls (individual calls or distress alerts,
// each with identities of its own) go one after another into one continuous
// noisy stream, each call with a noise seed of its own, and the very same
// 16-bit blocks go to a whole standard Receiver and to two EnhancedHfDecoders,
// one with the normal gate and one with the strict gate.
// A call counts as decoded when a row carries exactly the texts (all but Time)
// and the distress kind that the call gives when received clean; a row that
// matches no call of the point is a wrong row. The time each decoder spends
// on the blocks gives its throughput in times real time. Optionally an
// interval of noise alone counts rows and syncs from nothing.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "audio/HeadlessHost.h"
#include "audio/Receiver.h"
#include "base/CaptureBlock.h"
#include "base/SixteenBitSample.h"
#include "enhanced/EnhancedHfDecoder.h"
#include "enhanced/EnhancedVhfDecoder.h"
#include "gen/CallDescriptionParser.h"
#include "gen/GaussianNoise.h"
#include "gen/SignalGenerator.h"
#include "list/ReceiveListObserver.h"

namespace tolvik {
namespace {

using Clock = std::chrono::steady_clock;

// Peak 300 keeps the full-band noise at 4 dB (sigma about 2100) 15 sigma
// from 16-bit full scale: nothing clips.
constexpr double kAmplitude = 300.0;
constexpr double kCleanAmplitude = 8000.0;
constexpr double kCleanEbN0Db = 40.0;
constexpr double kLeadS = 0.5;
constexpr double kTrailS = 0.5;

struct Options {
  int calls = 200;
  std::string kind = "individual";  // or distress
  double from_db = 4.0;
  double to_db = 8.0;
  double step_db = 0.5;
  double offset_hz = 0.0;
  double ppm = 0.0;
  bool strict = false;
  bool enhanced_only = false;  // skip the standard chain (half the time)
  bool vhf = false;            // VHF calls, the VHF chains
  // The standard chain only at and above, the enhanced decoders only at and
  // below these levels: each chain where its curve rises, in one run.
  double standard_from_db = -1e9;
  double enhanced_to_db = 1e9;
  double noise_minutes = 0.0;
  std::uint64_t seed = 1;
  int first_call = 0;  // identities of call i come from first_call + i
};

struct Row {
  CallTexts Texts;
  bool Repaired = false;
  double Posterior = 1.0;  // of the enhanced decoder's gate
};

bool SameRow(const CallTexts& a, const CallTexts& b) {
  return a.Category == b.Category && a.From == b.From && a.To == b.To &&
         a.RequestStatus == b.RequestStatus && a.Information == b.Information &&
         a.Position == b.Position && a.Ack == b.Ack && a.Kind == b.Kind;
}

CallTexts TextsOf(const ReceiveEntry& entry, DistressKind kind) {
  return {entry.Category,    entry.From,     entry.To,  entry.RequestStatus,
          entry.Information, entry.Position, entry.Ack, kind};
}

// A whole standard receiver fed 16-bit blocks, keeping its rows and time.
class StandardChain final : private HeadlessHost,
                            private StatusTextSink,
                            private TimeOfDayClock,
                            private ReceiveListObserver {
 public:
  explicit StandardChain(bool vhf = false)
      : settings_(VhfSettings(vhf)), receiver_(settings_, {*this, *this, *this, *this}) {
    receiver_.List().SetObserver(this);
  }
  void Process(const CaptureBlock& block) {
    const auto start = Clock::now();
    receiver_.ProcessBlock(CaptureBuffer(block));
    seconds_ += std::chrono::duration<double>(Clock::now() - start).count();
  }
  void Finish() { receiver_.FinishInput(); }
  std::vector<Row>& Rows() { return rows_; }
  double Seconds() const { return seconds_; }
  int Syncs() const { return syncs_; }

 private:
  static AppSettings VhfSettings(bool vhf) {
    AppSettings settings;
    settings.DecVHF = vhf;
    return settings;
  }
  void ShowStatusText(StatusPanel, const std::string& text) override {
    syncs_ += text.rfind("Receiving data...", 0) == 0 ? 1 : 0;
  }
  TimeOfDay Now() const override { return {12, 0, 0, 0}; }
  void RowWritten(int, const ReceiveEntry& entry, DistressKind kind) override {
    rows_.push_back({TextsOf(entry, kind), false});
  }

  AppSettings settings_;
  Receiver receiver_;
  std::vector<Row> rows_;
  double seconds_ = 0.0;
  int syncs_ = 0;
};

// The enhanced decoder (HF, or VHF) fed the same blocks as doubles.
class EnhancedChain final : private CallSink, private StatusTextSink {
 public:
  explicit EnhancedChain(const EnhancedOptions& options, bool vhf = false) {
    CallSink& calls = *this;
    StatusTextSink& status = *this;
    if (vhf) {
      vhf_.emplace(calls, status, options);
    } else {
      hf_.emplace(calls, status, options);
    }
  }
  void Process(const std::array<double, kFramesPerBlock>& block) {
    const auto start = Clock::now();
    if (vhf_) {
      vhf_->ProcessBlock(block);
    } else {
      hf_->ProcessBlock(block);
    }
    seconds_ += std::chrono::duration<double>(Clock::now() - start).count();
  }
  void Finish() {
    if (vhf_) {
      vhf_->FinishInput();
    } else {
      hf_->FinishInput();
    }
  }
  std::vector<Row>& Rows() { return rows_; }
  double Seconds() const { return seconds_; }
  int Syncs() const { return syncs_; }
  int Refused() const { return refused_; }

 private:
  void AddReceiveEntry(const CallTexts& call) override {
    if (vhf_) {
      rows_.push_back({call, vhf_->LastCallRepaired(), vhf_->LastCallOutcome().Posterior});
    } else {
      rows_.push_back({call, hf_->LastCallRepaired(), hf_->LastCallOutcome().Posterior});
    }
  }
  void ShowStatusText(StatusPanel, const std::string& text) override {
    syncs_ += text.rfind("Receiving data...", 0) == 0 ? 1 : 0;
    refused_ += text == "Parity error..." ? 1 : 0;
  }

  std::optional<EnhancedHfDecoder> hf_;
  std::optional<EnhancedVhfDecoder> vhf_;
  std::vector<Row> rows_;
  double seconds_ = 0.0;
  int syncs_ = 0;
  int refused_ = 0;
};

// Both chains on one stream, block by block.
class SideBySide {
 public:
  explicit SideBySide(const EnhancedOptions& options, bool run_standard = true,
                      bool run_enhanced = true, bool vhf = false)
      : standard_(vhf),
        enhanced_(options, vhf),
        strict_(StrictOf(options), vhf),
        run_standard_(run_standard),
        run_enhanced_(run_enhanced) {}

  void Feed(const std::vector<double>& samples) {
    for (double sample : samples) {
      pending_[fill_++] = RoundToInt16(sample);
      if (fill_ == kFramesPerBlock) {
        Flush();
      }
    }
  }
  void Finish() {
    if (fill_ > 0) {
      std::fill(pending_.begin() + fill_, pending_.end(), 0.0);
      Flush();
    }
    standard_.Finish();
    enhanced_.Finish();
    strict_.Finish();
  }
  StandardChain& Standard() { return standard_; }
  EnhancedChain& Enhanced() { return enhanced_; }
  EnhancedChain& Strict() { return strict_; }
  double SecondsFed() const { return static_cast<double>(blocks_) * kFramesPerBlock / 48000.0; }

 private:
  void Flush() {
    FillCaptureBlock(pending_, capture_);
    if (run_standard_) {
      standard_.Process(capture_);
    }
    if (run_enhanced_) {
      enhanced_.Process(pending_);
      strict_.Process(pending_);
    }
    fill_ = 0;
    ++blocks_;
  }

  static EnhancedOptions StrictOf(EnhancedOptions options) {
    options.StrictGate = true;
    return options;
  }

  StandardChain standard_;
  EnhancedChain enhanced_;
  EnhancedChain strict_;  // the same decoder with the strict gate
  bool run_standard_ = true;
  bool run_enhanced_ = true;
  std::array<double, kFramesPerBlock> pending_{};
  int fill_ = 0;
  CaptureBlock capture_{};
  long blocks_ = 0;
};

std::string Digits(int number, int width) {
  std::string text = std::to_string(number);
  return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))),
                     '0') +
         text;
}

CallDescription MakeCall(const std::string& kind, int index) {
  const std::string ship = "23" + Digits(index % 1000000, 6) + "0";
  if (kind == "distress") {
    const int minutes = index % 60;
    return ParseCallDescription("format=distress from=" + ship + " nature=fire dpos=N35-" +
                                Digits(minutes, 2) + ",E139-45 utc=12:30");
  }
  return ParseCallDescription("format=individual to=211" + Digits(index % 100000, 5) +
                              "0 from=" + ship + " tc1=100 freq=2182 freq2=8414.5 eos=req");
}

SignalOptions StreamOptions(const Options& options) {
  SignalOptions signal;
  signal.Amplitude = kAmplitude;
  signal.OffsetHz = options.offset_hz;
  signal.BitRateErrorPpm = options.ppm;
  signal.LeadS = kLeadS;
  signal.TrailS = kTrailS;
  signal.Vhf = options.vhf;
  return signal;
}

// The row each call gives clean, through the standard chain alone.
std::vector<CallTexts> ExpectedRows(const std::vector<CallDescription>& calls, bool vhf) {
  std::vector<CallTexts> expected;
  SignalOptions clean;
  clean.Amplitude = kCleanAmplitude;
  clean.EbN0Db = kCleanEbN0Db;
  clean.Vhf = vhf;
  for (const CallDescription& call : calls) {
    SideBySide chains(EnhancedOptions{}, true, false, vhf);
    chains.Feed(GenerateSignal({&call, 1}, clean));
    chains.Finish();
    auto& rows = chains.Standard().Rows();
    if (rows.size() != 1) {
      std::fprintf(stderr, "a clean call did not decode once: %s\n", call.Text.c_str());
      std::exit(1);
    }
    expected.push_back(rows.front().Texts);
  }
  return expected;
}

// Pass thresholds the rows are also counted at after the fact: a row stays
// when its gate posterior reaches the threshold. With calibrated posteriors
// the sum of 1 - posterior over the rows shown is the number of wrong rows to
// expect.
constexpr std::array<double, 4> kThresholds{0.99, 0.997, 0.998, 0.999};

struct Tally {
  int Decoded = 0;
  int Wrong = 0;
  double ExpectedWrong = 0.0;  // sum of 1 - posterior
  std::array<int, kThresholds.size()> DecodedAt{};
  std::array<int, kThresholds.size()> WrongAt{};
  int Repaired = 0;
  int Syncs = 0;
  std::vector<std::string> WrongTexts;
};

Tally Count(const std::vector<Row>& rows, const std::vector<CallTexts>& expected, int syncs) {
  Tally tally;
  tally.Syncs = syncs;
  std::vector<bool> matched(expected.size(), false);
  for (const Row& row : rows) {
    bool found = false;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      if (!matched[i] && SameRow(row.Texts, expected[i])) {
        matched[i] = true;
        found = true;
        break;
      }
    }
    tally.ExpectedWrong += 1.0 - row.Posterior;
    for (std::size_t t = 0; t < kThresholds.size(); ++t) {
      if (row.Posterior >= kThresholds[t]) {
        ++(found ? tally.DecodedAt : tally.WrongAt)[t];
      }
    }
    if (found) {
      ++tally.Decoded;
      tally.Repaired += row.Repaired ? 1 : 0;
    } else {
      ++tally.Wrong;
      char gate[48];
      std::snprintf(gate, sizeof gate, "[%s %.4f] ", row.Repaired ? "mended" : "passed",
                    row.Posterior);
      tally.WrongTexts.push_back(gate + row.Texts.Category + " | " + row.Texts.From + " | " +
                                 row.Texts.To + " | " + row.Texts.RequestStatus + " | " +
                                 row.Texts.Information + " | " + row.Texts.Position + " | " +
                                 row.Texts.Ack);
    }
  }
  return tally;
}

double Share(int count, int total) {
  return total > 0 ? 100.0 * count / total : 0.0;
}

// A share for the table, or "-" where the chain did not run.
std::string ShareText(int count, int total, bool ran) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f%%", Share(count, total));
  return ran ? text : "-";
}

// Where the curve first reaches `share` percent, by linear interpolation in
// dB; negative infinity printed as "<" the first point, "-" when never.
std::string Crossing(const std::vector<double>& db, const std::vector<double>& shares,
                     double share) {
  for (std::size_t i = 0; i < db.size(); ++i) {
    if (shares[i] >= share) {
      if (i == 0) {
        return "<=" + std::to_string(db[0]).substr(0, 4);
      }
      const double t = (share - shares[i - 1]) / (shares[i] - shares[i - 1]);
      char text[16];
      std::snprintf(text, sizeof text, "%.2f", db[i - 1] + t * (db[i] - db[i - 1]));
      return text;
    }
  }
  return "-";
}

void RunSweep(const Options& options) {
  std::vector<CallDescription> calls;
  for (int i = 0; i < options.calls; ++i) {
    calls.push_back(MakeCall(options.kind, options.first_call + i));
  }
  const std::vector<CallTexts> expected = ExpectedRows(calls, options.vhf);
  EnhancedOptions enhanced_options;
  enhanced_options.StrictGate = options.strict;

  std::printf("%s %s calls, %d per point, offset %+.0f Hz, bit-rate error %.0f ppm, %s gate\n",
              options.vhf ? "VHF" : "HF", options.kind.c_str(), options.calls, options.offset_hz,
              options.ppm, options.strict ? "strict" : "normal");
  std::printf("%7s | %9s %6s %6s | %9s %6s %6s %8s | %9s %6s | %8s %8s\n", "Eb/N0", "standard",
              "wrong", "syncs", "enhanced", "wrong", "syncs", "repaired", "strict", "wrong",
              "std x rt", "enh x rt");
  std::vector<double> standard_db;
  std::vector<double> enhanced_db;
  std::vector<double> standard_share;
  std::vector<double> enhanced_share;
  std::vector<double> strict_share;
  int standard_wrong = 0;
  int enhanced_wrong = 0;
  int strict_wrong = 0;
  std::vector<std::string> wrong_rows;
  double expected_wrong = 0.0;
  std::array<int, kThresholds.size()> wrong_at{};
  std::vector<std::array<double, kThresholds.size()>> shares_at;
  double audio_s = 0.0;
  double standard_s = 0.0;
  double enhanced_s = 0.0;
  for (double ebn0 = options.from_db; ebn0 <= options.to_db + 1e-9; ebn0 += options.step_db) {
    const bool standard_runs = !options.enhanced_only && ebn0 >= options.standard_from_db - 1e-9;
    const bool enhanced_runs = ebn0 <= options.enhanced_to_db + 1e-9;
    SideBySide chains(enhanced_options, standard_runs, enhanced_runs, options.vhf);
    SignalOptions signal = StreamOptions(options);
    signal.EbN0Db = ebn0;
    for (int i = 0; i < options.calls; ++i) {
      signal.Seed = options.seed * 1000003 + static_cast<std::uint64_t>(ebn0 * 100) * 10007 +
                    static_cast<std::uint64_t>(i);
      chains.Feed(GenerateSignal({&calls[i], 1}, signal));
    }
    chains.Finish();
    const Tally standard = Count(chains.Standard().Rows(), expected, chains.Standard().Syncs());
    const Tally enhanced = Count(chains.Enhanced().Rows(), expected, chains.Enhanced().Syncs());
    const Tally strict = Count(chains.Strict().Rows(), expected, chains.Strict().Syncs());
    const double seconds = chains.SecondsFed();
    std::printf("%5.1f dB | %9s %6d %6d | %9s %6d %6d %8d | %9s %6d | %8.0f %8.0f\n", ebn0,
                ShareText(standard.Decoded, options.calls, standard_runs).c_str(), standard.Wrong,
                standard.Syncs, ShareText(enhanced.Decoded, options.calls, enhanced_runs).c_str(),
                enhanced.Wrong, enhanced.Syncs, enhanced.Repaired,
                ShareText(strict.Decoded, options.calls, enhanced_runs).c_str(), strict.Wrong,
                seconds / chains.Standard().Seconds(), seconds / chains.Enhanced().Seconds());
    std::printf("          expected wrong %.3f; at thresholds", enhanced.ExpectedWrong);
    std::array<double, kThresholds.size()> shares{};
    for (std::size_t t = 0; t < kThresholds.size(); ++t) {
      shares[t] = Share(enhanced.DecodedAt[t], options.calls);
      wrong_at[t] += enhanced.WrongAt[t];
      std::printf(" %g: %.1f%% %d", kThresholds[t], shares[t], enhanced.WrongAt[t]);
    }
    std::printf("\n");
    expected_wrong += enhanced.ExpectedWrong;
    std::fflush(stdout);
    if (standard_runs) {
      standard_db.push_back(ebn0);
      standard_share.push_back(Share(standard.Decoded, options.calls));
    }
    if (enhanced_runs) {
      shares_at.push_back(shares);
      enhanced_db.push_back(ebn0);
      enhanced_share.push_back(Share(enhanced.Decoded, options.calls));
      strict_share.push_back(Share(strict.Decoded, options.calls));
    }
    standard_wrong += standard.Wrong;
    enhanced_wrong += enhanced.Wrong;
    strict_wrong += strict.Wrong;
    for (const std::string& text : standard.WrongTexts) {
      wrong_rows.push_back("standard " + std::to_string(ebn0).substr(0, 4) + " dB: " + text);
    }
    for (const std::string& text : enhanced.WrongTexts) {
      wrong_rows.push_back("enhanced " + std::to_string(ebn0).substr(0, 4) + " dB: " + text);
    }
    for (const std::string& text : strict.WrongTexts) {
      wrong_rows.push_back("strict " + std::to_string(ebn0).substr(0, 4) + " dB: " + text);
    }
    audio_s += seconds;
    standard_s += chains.Standard().Seconds();
    enhanced_s += chains.Enhanced().Seconds();
  }
  std::printf("50%% / 90%% decoded: standard %s / %s dB, enhanced %s / %s dB, strict %s / %s dB\n",
              Crossing(standard_db, standard_share, 50).c_str(),
              Crossing(standard_db, standard_share, 90).c_str(),
              Crossing(enhanced_db, enhanced_share, 50).c_str(),
              Crossing(enhanced_db, enhanced_share, 90).c_str(),
              Crossing(enhanced_db, strict_share, 50).c_str(),
              Crossing(enhanced_db, strict_share, 90).c_str());
  std::printf(
      "wrong rows: standard %d over %zu points, enhanced %d and strict %d over %zu points, "
      "%d calls per point\n",
      standard_wrong, standard_db.size(), enhanced_wrong, strict_wrong, enhanced_db.size(),
      options.calls);
  std::printf("enhanced: expected wrong rows from the posteriors %.3f\n", expected_wrong);
  for (std::size_t t = 0; t < kThresholds.size(); ++t) {
    std::vector<double> column;
    for (const auto& shares : shares_at) {
      column.push_back(shares[t]);
    }
    std::printf("  pass threshold %g: wrong %d, 50%% / 90%% decoded %s / %s dB\n", kThresholds[t],
                wrong_at[t], Crossing(enhanced_db, column, 50).c_str(),
                Crossing(enhanced_db, column, 90).c_str());
  }
  for (const std::string& text : wrong_rows) {
    std::printf("  %s\n", text.c_str());
  }
  std::printf("throughput over %.0f s of audio: standard %.0fx, enhanced %.0fx real time\n",
              audio_s, audio_s / standard_s, audio_s / enhanced_s);
}

void RunNoise(const Options& options) {
  EnhancedOptions enhanced_options;
  enhanced_options.StrictGate = options.strict;
  SideBySide chains(enhanced_options, true, true, options.vhf);
  GaussianNoise noise(options.seed, 2000.0);
  std::vector<double> piece(48000 * 10);
  const int pieces = static_cast<int>(options.noise_minutes * 6.0 + 0.5);
  for (int p = 0; p < pieces; ++p) {
    for (double& sample : piece) {
      sample = noise.Next();
    }
    chains.Feed(piece);
  }
  chains.Finish();
  std::printf(
      "noise (sigma 2000), %.1f min: standard %zu rows %d syncs (%.0fx), enhanced %zu rows "
      "%d syncs (%.0fx)\n",
      chains.SecondsFed() / 60.0, chains.Standard().Rows().size(), chains.Standard().Syncs(),
      chains.SecondsFed() / chains.Standard().Seconds(), chains.Enhanced().Rows().size(),
      chains.Enhanced().Syncs(), chains.SecondsFed() / chains.Enhanced().Seconds());
}

}  // namespace
}  // namespace tolvik

int main(int argc, char** argv) {
  tolvik::Options options;
  CLI::App app{"The standard chain and the enhanced HF decoder on the same generated calls"};
  app.add_option("--calls", options.calls, "calls per Eb/N0 point")->check(CLI::PositiveNumber);
  app.add_option("--kind", options.kind, "individual or distress")
      ->check(CLI::IsMember({"individual", "distress"}));
  app.add_option("--from", options.from_db, "first Eb/N0, dB");
  app.add_option("--to", options.to_db, "last Eb/N0, dB");
  app.add_option("--step", options.step_db, "Eb/N0 step, dB")->check(CLI::PositiveNumber);
  app.add_option("--offset", options.offset_hz, "tone offset, Hz");
  app.add_option("--ppm", options.ppm, "bit-rate error, ppm");
  app.add_flag("--strict", options.strict, "the strict gate");
  app.add_flag("--enhanced-only", options.enhanced_only,
               "the enhanced decoder alone (for long wrong-row counts)");
  app.add_flag("--vhf", options.vhf,
               "VHF calls through the standard VHF chain and the enhanced VHF decoder");
  app.add_option("--standard-from", options.standard_from_db,
                 "the standard chain only from this Eb/N0 up, dB");
  app.add_option("--enhanced-to", options.enhanced_to_db,
                 "the enhanced decoders only up to this Eb/N0, dB");
  app.add_option("--noise-minutes", options.noise_minutes,
                 "instead of calls: this much noise alone");
  app.add_option("--seed", options.seed, "noise seed");
  app.add_option("--first-call", options.first_call, "identities start from this call number")
      ->check(CLI::NonNegativeNumber);
  CLI11_PARSE(app, argc, argv);
  if (options.noise_minutes > 0) {
    tolvik::RunNoise(options);
  } else {
    tolvik::RunSweep(options);
  }
  return 0;
}
