// One whole ProcessBlock as the main window runs it: a captured buffer
// handed to the capture ring, its queued call run from the event loop
// (conversion, demodulation, decoding, list update and sort, status panels,
// lamp) and the window repainted, HF and VHF, on a stream of calls of every
// layout; once with both signal displays drawn (the spectrum strip and the
// eye pattern window showing, repainted too) and once with both off. Also the time from a call's
// last bit to its row on screen: the audio that must still arrive after the last bit (the decoder's
// look-ahead and the rest of the 100 ms buffer) plus the processing and repainting of the buffer
// that completes the call.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "CallMix.h"
#include "CallStream.h"
#include "SilentDesktop.h"
#include "base/CaptureBlock.h"
#include "ui/TForm1.h"
#include "ui/TForm3.h"

namespace tolvik {
namespace {

constexpr int kCalls = 40;
constexpr std::uint64_t kCallSeed = 7;
constexpr double kEbN0Db = 30.0;  // every call decodes, so rows map to calls in order
constexpr double kBlockSeconds = 0.1;

struct BlockStream {
  std::vector<CaptureBlock> Blocks;
  std::vector<CallPlacement> Calls;
};

BlockStream MakeBlockStream(bool vhf) {
  SignalOptions options;
  options.Vhf = vhf;
  options.EbN0Db = kEbN0Db;
  options.Amplitude = 2000.0;
  options.GapS = vhf ? 1.0 : 2.0;
  std::vector<double> samples;
  BlockStream stream;
  stream.Calls = GenerateCallStream(MakeCallMix(kCalls, kCallSeed), options, kCalls,
                                    [&](std::span<const double> piece) {
                                      samples.insert(samples.end(), piece.begin(), piece.end());
                                    })
                     .Calls;
  for (std::size_t start = 0; start < samples.size(); start += kFramesPerBlock) {
    const std::size_t count = std::min<std::size_t>(kFramesPerBlock, samples.size() - start);
    stream.Blocks.emplace_back();
    FillCaptureBlock(std::span<const double>(samples).subspan(start, count), stream.Blocks.back());
  }
  return stream;
}

void BM_WindowProcessBlock(benchmark::State& state, bool vhf, bool displays) {
  const BlockStream stream = MakeBlockStream(vhf);
  QTemporaryDir folder;
  const std::filesystem::path settings = folder.filePath("tolvik.ini").toStdString();
  std::ofstream(settings) << "[Wave]\nDecVHF=" << (vhf ? 1 : 0)
                          << "\nShowSpec=" << (displays ? 1 : 0) << "\n";
  SilentDialogs dialogs;
  SilentSound sound;
  const std::filesystem::path data = folder.path().toStdString();  // no data files
  TForm1 window({settings, data / "mid.txt", data / "warn.wav", dialogs, sound, {}, {}});
  TForm3 eye_pattern(window);
  window.SetWindows(nullptr, &eye_pattern, nullptr);
  window.show();
  if (displays) {
    window.SpeedButton2Click();
  }
  QCoreApplication::processEvents();

  std::vector<double> latencies_s;
  std::size_t next = 0;
  int rows_this_pass = 0;
  for (auto _ : state) {
    QElapsedTimer timer;
    timer.start();
    window.Capture().FeedCaptured(stream.Blocks[next]);
    QCoreApplication::processEvents();  // the queued ProcessBlock, then the repaint
    const double processing_s = static_cast<double>(timer.nsecsElapsed()) * 1e-9;
    const int rows = window.Decoder().List().Count();
    if (rows > rows_this_pass && rows <= static_cast<int>(stream.Calls.size())) {
      const double block_end_s = static_cast<double>(next + 1) * kBlockSeconds;
      latencies_s.push_back(block_end_s - stream.Calls[rows - 1].EndS + processing_s);
    }
    rows_this_pass = rows;
    if (++next == stream.Blocks.size()) {
      next = 0;
      rows_this_pass = 0;
      state.PauseTiming();
      window.Decoder().List().Clear();
      state.ResumeTiming();
    }
  }
  if (!latencies_s.empty()) {
    double sum = 0.0;
    for (const double latency : latencies_s) {
      sum += latency;
    }
    state.counters["rows"] = static_cast<double>(latencies_s.size());
    state.counters["row_latency_mean_ms"] = 1000.0 * sum / latencies_s.size();
    state.counters["row_latency_max_ms"] =
        1000.0 * *std::max_element(latencies_s.begin(), latencies_s.end());
  }
  window.FormDestroy();
}

BENCHMARK_CAPTURE(BM_WindowProcessBlock, HF, false, false)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(5);
BENCHMARK_CAPTURE(BM_WindowProcessBlock, HF_displays, false, true)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(5);
BENCHMARK_CAPTURE(BM_WindowProcessBlock, VHF, true, false)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(5);
BENCHMARK_CAPTURE(BM_WindowProcessBlock, VHF_displays, true, true)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(5);

}  // namespace
}  // namespace tolvik
