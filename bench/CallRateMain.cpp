// tolvik_bench_call_rate: a VHF channel as busy as it gets. Calls of every
// layout one after another, by default with no gap between them (a VHF call
// lasts 0.45 to 0.7 s, so this is close to two calls a second, as dense as
// one channel can carry) for an hour at Eb/N0 20 dB on continuous noise, made piece by
// piece as it is decoded, through one receiver whose rows go out as NMEA
// sentences. Run twice on the same audio:
// first with no TCP client, then with ten plotters on the TCP sentence
// server, one of which never reads. Prints, for each run, calls sent
// against rows and calls decoded exactly, the decoding thread's throughput
// (conversion, demodulation, decoding, list, NMEA encoding and hand-over),
// the process's memory after the first minute and at the end, and for the
// second run what every client received against what was sent.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "CallLedger.h"
#include "CallMix.h"
#include "CallsOnNoise.h"
#include "FeedFromAir.h"
#include "PlotterClient.h"
#include "ProcessMemory.h"
#include "StreamDecoder.h"
#include "ThreadCpuClock.h"
#include "base/BlockFormat.h"
#include "outputs/NmeaOutput.h"
#include "outputs/SentenceSink.h"
#include "outputs/TcpSentenceServer.h"

namespace tolvik {
namespace {

using Clock = std::chrono::steady_clock;

constexpr double kStretchS = 60.0;       // calls drawn and checked a minute at a time
constexpr double kLeadS = 0.25;          // before the first call
constexpr double kShortestCallS = 0.45;  // the VHF layouts of the mix last 0.45 to 0.7 s
constexpr double kNoiseSigma = 1000.0;
constexpr std::size_t kPieceSamples = kFramesPerBlock * 10;  // one second fed at a time
constexpr auto kConnectTimeout = std::chrono::seconds(5);
constexpr int kFalseRowsShown = 10;

struct Options {
  double minutes = 60.0;
  double gap_s = 0.0;
  double ebn0_db = 20.0;
  int clients = 10;
  std::uint64_t seed = 1;
};

// Counts what the decoding thread hands to the sinks, to compare with what
// each client received.
class CountingSink final : public SentenceSink {
 public:
  void SendSentence(std::string_view sentence) override {
    ++sentences_;
    bytes_ += sentence.size();
    hash_ = ContinueFnv1a(hash_, sentence.data(), sentence.size());
  }
  std::uint64_t Sentences() const { return sentences_; }
  std::uint64_t Bytes() const { return bytes_; }
  std::uint64_t Hash() const { return hash_; }

 private:
  std::uint64_t sentences_ = 0;
  std::uint64_t bytes_ = 0;
  std::uint64_t hash_ = kFnvOffsetBasis;
};

struct ClientResult {
  bool Reads = true;
  std::uint64_t Sentences = 0;
  std::uint64_t Bytes = 0;
  bool Identical = false;  // every byte sent, in order
};

struct RunResult {
  CallLedger::Totals Counts;
  long Rows = 0;
  double AudioS = 0.0;
  double DecodingCpuS = 0.0;
  double WallS = 0.0;
  ProcessMemory AfterFirstMinute;
  ProcessMemory AtEnd;
  std::uint64_t Sentences = 0;
  std::uint64_t Bytes = 0;
  std::vector<ClientResult> Clients;
  std::uint64_t DroppedClients = 0;
  std::uint64_t DroppedSentences = 0;
};

class CallRateRun {
 public:
  CallRateRun(const Options& options, int clients);
  RunResult Run();

 private:
  void ConnectClients(int clients);
  void FeedUntil(double end_s);
  // The calls that start before `end_s`, back to back from where the last
  // one ended, and their starts; none that would not end by `last_end_s`.
  std::vector<CallDescription> StretchCalls(double end_s, double last_end_s, std::uint64_t stretch,
                                            std::vector<double>& starts_s);

  const Options& options_;
  StreamDecoder decoder_{true};
  CallsOnNoise air_;
  CallLedger ledger_;
  NmeaOutput nmea_;
  CountingSink counted_;
  std::unique_ptr<TcpSentenceServer> server_;
  std::vector<std::unique_ptr<PlotterClient>> clients_;
  std::vector<double> piece_ = std::vector<double>(kPieceSamples);
  double next_start_s_ = kLeadS;  // of the next call
  long rows_ = 0;
  double decoding_cpu_s_ = 0.0;
  int false_rows_shown_ = 0;
};

CallRateRun::CallRateRun(const Options& options, int clients)
    : options_(options), air_(true, kNoiseSigma, options.seed) {
  nmea_.AddSink(counted_);
  if (clients > 0) {
    server_ = std::make_unique<TcpSentenceServer>(0);
    nmea_.AddSink(*server_);
    ConnectClients(clients);
  }
  decoder_.SetCallObserver(&nmea_);
}

void CallRateRun::ConnectClients(int clients) {
  for (int i = 0; i < clients; ++i) {
    const bool reads = i != clients / 2;  // one in the middle never reads
    clients_.push_back(std::make_unique<PlotterClient>(server_->Port(), reads || clients == 1));
  }
  const auto deadline = Clock::now() + kConnectTimeout;
  while (server_->ClientCount() < clients && Clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (server_->ClientCount() < clients) {
    throw std::runtime_error("the server did not take every client");
  }
}

std::vector<CallDescription> CallRateRun::StretchCalls(double end_s, double last_end_s,
                                                       std::uint64_t stretch,
                                                       std::vector<double>& starts_s) {
  const int most = static_cast<int>(kStretchS / (kShortestCallS + options_.gap_s)) + 1;
  const std::vector<CallDescription> mix = MakeCallMix(most, options_.seed * 1000003 + stretch);
  std::vector<CallDescription> calls;
  starts_s.clear();
  for (const CallDescription& call : mix) {
    if (next_start_s_ >= end_s || next_start_s_ + air_.CallSeconds(call) > last_end_s) {
      break;
    }
    calls.push_back(call);
    starts_s.push_back(next_start_s_);
    next_start_s_ += air_.CallSeconds(call) + options_.gap_s;
  }
  return calls;
}

void CallRateRun::FeedUntil(double end_s) {
  decoding_cpu_s_ += FeedFromAirUntil(air_, decoder_, piece_, kPieceSamples, end_s, [this] {
    for (const BenchRow& row : decoder_.TakeRows()) {
      ++rows_;
      if (!ledger_.Match(row) && false_rows_shown_++ < kFalseRowsShown) {
        PrintBenchRow("false row", row);
      }
    }
  });
}

RunResult CallRateRun::Run() {
  RunResult result;
  const auto started = Clock::now();
  const double total_s = options_.minutes * 60.0;
  std::vector<double> starts_s;
  std::uint64_t minute = 0;
  for (double start_s = 0.0; start_s < total_s; start_s += kStretchS, ++minute) {
    const double end_s = std::min(total_s, start_s + kStretchS);
    const std::vector<CallDescription> calls =
        StretchCalls(end_s, total_s - kLeadS, minute, starts_s);
    const std::vector<double> levels(calls.size(), options_.ebn0_db);
    ledger_.SendStretch(air_, calls, starts_s, levels, true);
    FeedUntil(end_s);
    if (minute == 0) {
      result.AfterFirstMinute = ReadProcessMemory();
    }
  }
  const double started_s = ThreadCpuSeconds();
  decoder_.Finish();
  decoding_cpu_s_ += ThreadCpuSeconds() - started_s;
  FeedUntil(air_.SecondsRead());  // the rows Finish completed
  result.AtEnd = ReadProcessMemory();
  result.WallS = std::chrono::duration<double>(Clock::now() - started).count();
  result.Counts = ledger_.Counts();
  result.Rows = rows_;
  result.AudioS = decoder_.SecondsFed();
  result.DecodingCpuS = decoding_cpu_s_;
  result.Sentences = counted_.Sentences();
  result.Bytes = counted_.Bytes();
  if (server_) {
    result.DroppedClients = server_->DroppedClients();
    result.DroppedSentences = server_->DroppedSentences();
    server_.reset();  // delivers what is queued, then closes every connection
  }
  for (const auto& client : clients_) {
    client->Finish();
    result.Clients.push_back(
        {client->Reads(), client->Sentences(), client->Bytes(),
         client->Bytes() == counted_.Bytes() && client->Hash() == counted_.Hash()});
  }
  return result;
}

void PrintRun(const char* label, const RunResult& r) {
  std::printf("%s\n", label);
  std::printf("  %.0f s of audio: calls sent %ld, rows %ld, decoded exactly %ld, false rows %ld\n",
              r.AudioS, r.Counts.Sent, r.Rows, r.Counts.Decoded, r.Counts.FalseRows);
  std::printf("  decoding thread %.1f CPU s: %.0fx real time; run %.1f s by the wall clock\n",
              r.DecodingCpuS, r.AudioS / r.DecodingCpuS, r.WallS);
  std::printf(
      "  memory after the first minute: VmHWM %ld kB, VmRSS %ld kB; at the end: "
      "VmHWM %ld kB, VmRSS %ld kB\n",
      r.AfterFirstMinute.PeakKb, r.AfterFirstMinute.ResidentKb, r.AtEnd.PeakKb, r.AtEnd.ResidentKb);
  std::printf("  NMEA: %llu sentences, %llu bytes\n", static_cast<unsigned long long>(r.Sentences),
              static_cast<unsigned long long>(r.Bytes));
  if (r.Clients.empty()) {
    return;
  }
  for (std::size_t i = 0; i < r.Clients.size(); ++i) {
    const ClientResult& c = r.Clients[i];
    std::printf("  client %2zu (%s): %llu sentences, %llu bytes%s\n", i + 1,
                c.Reads ? "reads" : "never reads", static_cast<unsigned long long>(c.Sentences),
                static_cast<unsigned long long>(c.Bytes),
                c.Identical ? ", every byte sent, in order" : "");
  }
  std::printf("  clients dropped for falling behind: %llu; sentences lost in hand-over: %llu\n",
              static_cast<unsigned long long>(r.DroppedClients),
              static_cast<unsigned long long>(r.DroppedSentences));
}

}  // namespace
}  // namespace tolvik

int main(int argc, char** argv) {
  tolvik::Options options;
  CLI::App app{"A VHF channel with calls back to back, with and without TCP plotters."};
  app.add_option("--minutes", options.minutes, "minutes of audio per run")
      ->check(CLI::PositiveNumber);
  app.add_option("--gap", options.gap_s, "seconds from one call's end to the next call")
      ->check(CLI::Range(0.0, 60.0));
  app.add_option("--ebn0", options.ebn0_db, "Eb/N0 of every call in dB");
  app.add_option("--clients", options.clients, "TCP clients in the second run, one not reading")
      ->check(CLI::Range(1, 100));
  app.add_option("--seed", options.seed, "seed of the noise and the calls");
  CLI11_PARSE(app, argc, argv);
  try {
    std::printf("VHF calls back to back, %.3f s apart, Eb/N0 %.1f dB\n\n", options.gap_s,
                options.ebn0_db);
    tolvik::PrintRun("No TCP client:", tolvik::CallRateRun(options, 0).Run());
    std::printf("\n");
    tolvik::CallRateRun with_clients(options, options.clients);
    tolvik::PrintRun("With TCP clients:", with_clients.Run());
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tolvik_bench_call_rate: %s\n", error.what());
    return 1;
  }
  return 0;
}
