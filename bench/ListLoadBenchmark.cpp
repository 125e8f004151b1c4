// Adding a row to a receive list that already holds many: the core list
// alone (the row written, then the whole list sorted newest first), and the
// main window's list (the same through its table model, then the
// event-loop turn that repaints the window), with 0, 1000, 10 000 and
// 20 000 rows in the list before the row is added. The list has no size
// limit; 20 000 rows are about a day of a busy VHF channel. After each
// timed add the bottom row is deleted (not timed), so the list keeps its
// size. Also one event-loop turn repainting the whole window while it shows
// a full list. Offscreen platform unless a display is set.

#include <QCoreApplication>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <vector>

#include "SilentDesktop.h"
#include "ThreadCpuClock.h"
#include "list/ListOptionValues.h"
#include "list/ReceiveList.h"
#include "ui/TForm1.h"

namespace tolvik {
namespace {

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 768;
// Fixed counts rather than a minimum time: each add takes the clock one
// second on, and the rows of a size plus its adds must stay within one day,
// or the newest row would sort to the bottom.
constexpr int kCoreAdds = 2000;
constexpr int kWindowAdds = 200;
constexpr int kRepaints = 100;

// A clock that a benchmark moves on, one second at a time from midnight.
class SteppingClock final : public TimeOfDayClock {
 public:
  void Advance() { ++seconds_; }
  TimeOfDay Now() const override {
    const int in_day = seconds_ % (24 * 3600);
    return {in_day / 3600, in_day / 60 % 60, in_day % 60, 0};
  }

 private:
  int seconds_ = 0;
};

class NoAlerts final : public AlertHost {
 public:
  bool IsSignallingAlert() const override { return false; }
  void PlayAlertSound() override {}
  void LoadEntry(int, DistressKind) override {}
  bool IsDialogShowing() const override { return false; }
  void ShowDialog() override {}
};

// The texts of a routine individual call with a working channel, call `n`
// from a station of its own.
CallTexts RowTexts(int n) {
  CallTexts call;
  call.Category = "Routine";
  call.From = std::to_string(211000000 + n);
  call.To = std::to_string(366000000 + n % 997);
  call.RequestStatus = "FM simplex telephony";
  call.Information = "VHF " + std::to_string(6 + n % 60) + "ch";
  call.Ack = "Req";
  return call;
}

void FillList(ReceiveList& list, SteppingClock* clock, int rows) {
  for (int n = 0; n < rows; ++n) {
    if (clock != nullptr) {
      clock->Advance();
    }
    list.AddReceiveEntry(RowTexts(n));
  }
}

void BM_ListAddRow(benchmark::State& state) {
  const auto rows = static_cast<int>(state.range(0));
  ListOptionValues options;
  SteppingClock clock;
  NoAlerts alerts;
  ReceiveList list(options, clock, alerts);
  FillList(list, &clock, rows);
  int next = rows;
  for (auto _ : state) {
    clock.Advance();
    list.AddReceiveEntry(RowTexts(next++));
    state.PauseTiming();
    list.DeleteRow(list.Count() - 1);
    state.ResumeTiming();
  }
  state.counters["rows"] = list.Count();
}

// The main window as the program shows it, on settings of its own in a
// temporary folder, with no data files.
class ShownWindow {
 public:
  ShownWindow() {
    settings_ = folder_.filePath("tolvik.ini").toStdString();
    std::ofstream(settings_) << "[Wave]\nShowSpec=0\n";
    const std::filesystem::path data = folder_.path().toStdString();
    window_.emplace(
        TForm1::Setup{settings_, data / "mid.txt", data / "warn.wav", dialogs_, sound_, {}, {}});
    window_->resize(kWindowWidth, kWindowHeight);
    window_->show();
    QCoreApplication::processEvents();
  }
  ~ShownWindow() { window_->FormDestroy(); }

  TForm1& Window() { return *window_; }
  ReceiveList& List() { return window_->Decoder().List(); }

 private:
  QTemporaryDir folder_;
  std::filesystem::path settings_;
  SilentDialogs dialogs_;
  SilentSound sound_;
  std::optional<TForm1> window_;
};

// CPU seconds of the two halves of each add are kept apart as counters:
// the list with its model and the view's bookkeeping, then the event-loop
// turn that repaints the window.
void BM_WindowAddRow(benchmark::State& state) {
  const auto rows = static_cast<int>(state.range(0));
  ShownWindow shown;
  FillList(shown.List(), nullptr, rows);  // the window's own clock gives the times
  QCoreApplication::processEvents();
  int next = rows;
  double adding_s = 0.0;
  double repainting_s = 0.0;
  for (auto _ : state) {
    const double started_s = ThreadCpuSeconds();
    shown.List().AddReceiveEntry(RowTexts(next++));
    const double added_s = ThreadCpuSeconds();
    QCoreApplication::processEvents();  // the view takes the change and repaints
    repainting_s += ThreadCpuSeconds() - added_s;
    adding_s += added_s - started_s;
    state.PauseTiming();
    shown.List().DeleteRow(shown.List().Count() - 1);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["rows"] = shown.List().Count();
  state.counters["add_cpu_us"] = 1e6 * adding_s / static_cast<double>(state.iterations());
  state.counters["repaint_cpu_us"] = 1e6 * repainting_s / static_cast<double>(state.iterations());
}

void BM_WindowRepaint(benchmark::State& state) {
  const auto rows = static_cast<int>(state.range(0));
  ShownWindow shown;
  FillList(shown.List(), nullptr, rows);
  QCoreApplication::processEvents();
  for (auto _ : state) {
    shown.Window().update();
    shown.Window().ListView1->viewport()->update();
    QCoreApplication::processEvents();
  }
  state.counters["rows"] = shown.List().Count();
}

BENCHMARK(BM_ListAddRow)
    ->Arg(0)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(20000)
    ->Iterations(kCoreAdds)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowAddRow)
    ->Arg(0)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(20000)
    ->Iterations(kWindowAdds)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WindowRepaint)
    ->Arg(0)
    ->Arg(20000)
    ->Iterations(kRepaints)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tolvik
