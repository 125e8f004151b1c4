// What the station outputs cost, on this machine:
//
// - latency: the time from a call's completion (the call observer is told,
//   as the row is written) to its $CDDSC sentence at a UDP socket and at a
//   TCP client, and to its MQTT message at a subscriber of a local
//   mosquitto broker, all on 127.0.0.1. The receiver is fed a VHF call
//   stream block by block; after each block that completed a call the feed
//   rests a moment, so that every call meets idle outputs, as calls on the
//   air (seconds apart) do;
// - throughput: the same receiver through a long VHF call stream with
//   every output on (NMEA over UDP and to a reading TCP client, MQTT to the
//   broker with a subscriber, the daily CSV log) against all outputs off,
//   the two taken in turn in one run. Only the feeding is timed, not the
//   making of the audio: as CPU time of the decoding thread, which the
//   outputs must not burden (their sending runs on threads of their own),
//   and as wall-clock time, which a loaded machine makes noisier.
//
// Needs /usr/sbin/mosquitto. TOLVIK_BENCH_MINUTES sets the throughput
// stream's length (default 10).

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "CallMix.h"
#include "CallStream.h"
#include "StreamDecoder.h"
#include "ThreadCpuClock.h"
#include "base/UtcClock.h"
#include "outputs/CallObserverList.h"
#include "outputs/CsvCallFormat.h"
#include "outputs/DailyCallLog.h"
#include "outputs/JsonCallFormat.h"
#include "outputs/LoopbackSockets.h"
#include "outputs/MqttCallOutput.h"
#include "outputs/MqttPublisher.h"
#include "outputs/NmeaOutput.h"
#include "outputs/TcpSentenceServer.h"
#include "outputs/UdpSentenceSender.h"
#include "support/MosquittoBroker.h"
#include "support/MqttSubscriber.h"

namespace tolvik {
namespace {

using Clock = std::chrono::steady_clock;
using testing::MosquittoBroker;
using testing::MqttSubscriber;

constexpr int kLatencyCalls = 60;
constexpr double kLatencyGapS = 1.0;
constexpr std::chrono::milliseconds kRestAfterCall{30};  // far beyond every latency seen
constexpr std::chrono::seconds kArrivalPatience{10};
constexpr double kDefaultThroughputMinutes = 10.0;
constexpr double kThroughputGapS = 2.0;  // a busy VHF channel
constexpr double kSecondsPerVhfCall = 0.3 + kThroughputGapS;
constexpr int kThroughputRounds = 5;
constexpr int kCallsPerPiece = 20;
constexpr std::uint64_t kCallSeed = 11;
constexpr const char* kSentenceStart = "$CDDSC";

// When each call's observer was told.
class CompletionStamps final : public CallObserver {
 public:
  void CallWritten(const WrittenCall&) override { stamps.push_back(Clock::now()); }
  std::vector<Clock::time_point> stamps;
};

// When each $CDDSC line arrived on a socket (UDP: one sentence a datagram;
// TCP: a stream of lines), read on a thread of its own.
class SentenceArrivals {
 public:
  explicit SentenceArrivals(int socket) : socket_(socket), reader_([this] { Read(); }) {}
  ~SentenceArrivals() {
    stop_ = true;
    reader_.join();
    close(socket_);
  }
  std::vector<Clock::time_point> WaitFor(std::size_t count) {
    const auto deadline = Clock::now() + kArrivalPatience;
    while (Count() < count && Clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    return arrivals_;
  }
  std::size_t Count() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return arrivals_.size();
  }

 private:
  void Read() {
    std::string pending;
    char buffer[8192];
    while (!stop_) {
      pollfd readable{socket_, POLLIN, 0};
      if (poll(&readable, 1, 50) <= 0) {
        continue;
      }
      const ssize_t n = recv(socket_, buffer, sizeof buffer, 0);
      if (n <= 0) {
        return;
      }
      const auto now = Clock::now();
      pending.append(buffer, static_cast<std::size_t>(n));
      for (std::size_t end = pending.find('\n'); end != std::string::npos;
           end = pending.find('\n')) {
        if (pending.starts_with(kSentenceStart)) {
          const std::lock_guard<std::mutex> lock(mutex_);
          arrivals_.push_back(now);
        }
        pending.erase(0, end + 1);
      }
    }
  }

  int socket_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<Clock::time_point> arrivals_;
  std::thread reader_;
};

// A UDP socket on a free port of 127.0.0.1.
int UdpSocket(int& port) {
  const int udp = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address = testing::Loopback(0);
  bind(udp, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(udp, reinterpret_cast<sockaddr*>(&address), &length);
  port = ntohs(address.sin_port);
  return udp;
}

int TcpClient(int port) {
  const int client = testing::ConnectTo(port);
  if (client < 0) {
    throw std::runtime_error("cannot connect to the TCP server");
  }
  return client;
}

class NoLogProblems final : public CallLogProblemSink {
 public:
  void ReportCallLogProblem(const std::string& message) override {
    std::fprintf(stderr, "log: %s\n", message.c_str());
  }
};

// Every output on, with a real consumer at each: what the desktop program
// runs with all of them ticked.
struct AllOutputs {
  explicit AllOutputs(const MosquittoBroker& broker, const std::filesystem::path& log_folder)
      : udp_socket(UdpSocket(udp_port)),
        udp(std::make_unique<UdpSentenceSender>("127.0.0.1", udp_port)),
        tcp(std::make_unique<TcpSentenceServer>(0)),
        tcp_client(TcpClient(tcp->Port())),
        udp_arrivals(udp_socket),
        tcp_arrivals(tcp_client),
        subscriber(broker.Port(), "tolvik/bench/call"),
        publisher(Settings(broker)),
        mqtt(publisher,
             [this](const WrittenCall& call) {
               return JsonCallFormat::Dump(
                   JsonCallFormat::Object(call, {IsoUtcText(clock.Now()), {}, {}}));
             }),
        log(log_folder, csv, clock, log_problems) {
    if (!testing::Eventually([this] { return tcp->ClientCount() >= 1; })) {
      throw std::runtime_error("the TCP server never saw its client");
    }
    if (!testing::Eventually([this] { return publisher.Connected(); })) {
      throw std::runtime_error("the MQTT publisher never reached the broker");
    }
    nmea.AddSink(*udp);
    nmea.AddSink(*tcp);
    observers.Add(stamps);
    observers.Add(nmea);
    observers.Add(mqtt);
    observers.Add(log);
  }

  static MqttSettings Settings(const MosquittoBroker& broker) {
    MqttSettings settings;
    settings.host = "127.0.0.1";
    settings.port = broker.Port();
    settings.station = "bench";
    return settings;
  }

  int udp_port = 0;
  int udp_socket;
  std::unique_ptr<UdpSentenceSender> udp;
  std::unique_ptr<TcpSentenceServer> tcp;
  int tcp_client;
  SentenceArrivals udp_arrivals;
  SentenceArrivals tcp_arrivals;
  MqttSubscriber subscriber;
  SystemUtcClock clock;
  MqttPublisher publisher;
  MqttCallOutput mqtt;
  CsvCallFormat csv;
  NoLogProblems log_problems;
  DailyCallLog log;
  NmeaOutput nmea;
  CompletionStamps stamps;
  CallObserverList observers;
};

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

void PrintLatency(const char* name, const std::vector<Clock::time_point>& completed,
                  const std::vector<Clock::time_point>& arrived) {
  if (arrived.size() < completed.size()) {
    std::printf("  %-26s only %zu of %zu calls arrived\n", name, arrived.size(), completed.size());
    return;
  }
  std::vector<double> latencies;
  for (std::size_t i = 0; i < completed.size(); ++i) {
    latencies.push_back(Milliseconds(arrived[i] - completed[i]));
  }
  std::sort(latencies.begin(), latencies.end());
  std::printf("  %-26s median %7.3f ms   max %7.3f ms   (%zu calls)\n", name,
              latencies[latencies.size() / 2], latencies.back(), latencies.size());
}

SignalOptions VhfStream(double gap_s) {
  SignalOptions options;
  options.Vhf = true;
  options.GapS = gap_s;
  options.EbN0Db = 20.0;
  options.Amplitude = 2000.0;
  return options;
}

void MeasureLatency(const MosquittoBroker& broker, const std::filesystem::path& log_folder) {
  AllOutputs outputs(broker, log_folder);
  StreamDecoder decoder(true);
  decoder.SetCallObserver(&outputs.observers);
  // The whole stream first, so that making it does not fall between a
  // call's completion and its arrival.
  std::vector<double> samples;
  GenerateCallStream(MakeCallMix(kLatencyCalls, kCallSeed), VhfStream(kLatencyGapS), kCallsPerPiece,
                     [&](std::span<const double> piece) {
                       samples.insert(samples.end(), piece.begin(), piece.end());
                     });
  std::size_t told = 0;
  for (std::size_t at = 0; at < samples.size(); at += kFramesPerBlock) {
    const std::size_t frames = std::min<std::size_t>(kFramesPerBlock, samples.size() - at);
    decoder.Feed(std::span<const double>(samples).subspan(at, frames));
    if (outputs.stamps.stamps.size() > told) {
      told = outputs.stamps.stamps.size();
      std::this_thread::sleep_for(kRestAfterCall);
    }
  }
  decoder.Finish();
  const std::vector<Clock::time_point>& completed = outputs.stamps.stamps;
  std::vector<Clock::time_point> mqtt_arrivals;
  for (const auto& message : outputs.subscriber.WaitForMessages(completed.size())) {
    mqtt_arrivals.push_back(message.arrived);
  }
  std::printf("Latency from the call observer to the consumer, on 127.0.0.1:\n");
  PrintLatency("NMEA over UDP ($CDDSC)", completed, outputs.udp_arrivals.WaitFor(completed.size()));
  PrintLatency("NMEA over TCP ($CDDSC)", completed, outputs.tcp_arrivals.WaitFor(completed.size()));
  PrintLatency("MQTT, QoS 1, at subscriber", completed, mqtt_arrivals);
}

double ThroughputMinutes() {
  if (const char* text = std::getenv("TOLVIK_BENCH_MINUTES")) {
    if (const double minutes = std::atof(text); minutes > 0) {
      return minutes;
    }
  }
  return kDefaultThroughputMinutes;
}

struct DecodeRun {
  double audio_s;
  double feed_cpu_s;   // on the decoding thread
  double feed_wall_s;  // as the clock on the wall sees it
  std::size_t rows;
};

// The stream through a fresh receiver telling `observer`; only Feed timed.
DecodeRun DecodeStream(const std::vector<CallDescription>& calls, CallObserver* observer) {
  StreamDecoder decoder(true);
  decoder.SetCallObserver(observer);
  Clock::duration wall{};
  double cpu_s = 0;
  const auto timed = [&](const auto& step) {
    const auto start = Clock::now();
    const double cpu_start = ThreadCpuSeconds();
    step();
    cpu_s += ThreadCpuSeconds() - cpu_start;
    wall += Clock::now() - start;
  };
  GenerateCallStream(calls, VhfStream(kThroughputGapS), kCallsPerPiece,
                     [&](std::span<const double> piece) { timed([&] { decoder.Feed(piece); }); });
  timed([&] { decoder.Finish(); });
  return {decoder.SecondsFed(), cpu_s, std::chrono::duration<double>(wall).count(),
          decoder.Rows().size()};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void MeasureThroughput(const MosquittoBroker& broker, const std::filesystem::path& log_folder) {
  const double minutes = ThroughputMinutes();
  const int call_count = static_cast<int>(minutes * 60.0 / kSecondsPerVhfCall);
  const std::vector<CallDescription> calls = MakeCallMix(call_count, kCallSeed);
  std::vector<double> off_cpu, off_wall, on_cpu, on_wall;
  std::size_t rows = 0;
  for (int round = 0; round < kThroughputRounds; ++round) {
    const DecodeRun without = DecodeStream(calls, nullptr);
    off_cpu.push_back(without.audio_s / without.feed_cpu_s);
    off_wall.push_back(without.audio_s / without.feed_wall_s);
    AllOutputs outputs(broker, log_folder);
    const DecodeRun with = DecodeStream(calls, &outputs.observers);
    on_cpu.push_back(with.audio_s / with.feed_cpu_s);
    on_wall.push_back(with.audio_s / with.feed_wall_s);
    rows = with.rows;
    if (outputs.subscriber.WaitForMessages(with.rows).size() < with.rows ||
        outputs.tcp_arrivals.WaitFor(with.rows).size() < with.rows ||
        outputs.udp_arrivals.WaitFor(with.rows).size() < with.rows) {
      std::printf("  (round %d: not every call reached every consumer)\n", round + 1);
    }
  }
  std::printf(
      "\nThroughput, %.0f min of VHF calls (%zu rows), median of %d rounds taken in turn,\n"
      "as audio seconds per second of the decoding thread's CPU time (and of wall time):\n",
      minutes, rows, kThroughputRounds);
  std::printf("  %-26s %6.0f x real time  (wall: %4.0f x)\n", "all outputs off", Median(off_cpu),
              Median(off_wall));
  std::printf(
      "  %-26s %6.0f x real time  (wall: %4.0f x)  NMEA UDP + TCP client + MQTT + CSV log\n",
      "every output on", Median(on_cpu), Median(on_wall));
}

}  // namespace
}  // namespace tolvik

int main() {
  if (tolvik::testing::MosquittoBroker::Executable().empty()) {
    std::fprintf(stderr, "tolvik_bench_outputs: mosquitto is not installed\n");
    return 1;
  }
  const std::filesystem::path log_folder =
      std::filesystem::temp_directory_path() / ("tolvik-bench-logs-" + std::to_string(getpid()));
  {
    tolvik::testing::MosquittoBroker broker;
    tolvik::MeasureLatency(broker, log_folder);
    tolvik::MeasureThroughput(broker, log_folder);
  }
  std::filesystem::remove_all(log_folder);
  return 0;
}
