#pragma once

#include <QApplication>
#include <QTemporaryDir>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/device/CaptureControl.h"
#include "audio/device/CaptureRing.h"
#include "audio/device/MonitorControl.h"
#include "ui/SoundPlayer.h"
#include "ui/TForm1.h"
#include "ui/UserDialogs.h"

namespace tolvik::testing {

// Answers the boxes and pickers as the test says and records what was asked.
class ScriptedDialogs final : public UserDialogs {
 public:
  void ShowError(QWidget*, const QString& text) override { errors.push_back(text); }
  void ShowInformation(QWidget*, const QString& text) override { informations.push_back(text); }
  bool AskYesNo(QWidget*, const QString& text) override {
    questions.push_back(text);
    return answer_yes;
  }
  std::optional<QFont> PickFont(QWidget*, const QFont& font) override {
    font_presets.push_back(font);
    return font_answer;
  }
  std::optional<QColor> PickColor(QWidget*, const QColor& color, const QString&) override {
    color_presets.push_back(color);
    return color_answer;
  }
  std::optional<QString> PickFolder(QWidget*, const QString& folder, const QString&) override {
    folder_presets.push_back(folder);
    return folder_answer;
  }
  std::optional<QString> PickFile(QWidget*, const QString& file, const QString&) override {
    file_presets.push_back(file);
    return file_answer;
  }

  bool answer_yes = false;
  std::optional<QFont> font_answer;
  std::optional<QColor> color_answer;
  std::optional<QString> folder_answer;
  std::optional<QString> file_answer;
  std::vector<QString> errors;
  std::vector<QString> informations;
  std::vector<QString> questions;
  std::vector<QFont> font_presets;
  std::vector<QColor> color_presets;
  std::vector<QString> folder_presets;
  std::vector<QString> file_presets;
};

class CountingSound final : public SoundPlayer {
 public:
  void Play(const std::filesystem::path& file) override { played.push_back(file); }
  std::vector<std::filesystem::path> played;
};

// Capture devices by name, and what was opened and closed. Fed audio goes
// through a real CaptureRing; each full buffer is processed at once.
class FakeCapture final : public CaptureControl {
 public:
  FakeCapture(std::vector<std::string> names, std::function<void(CaptureBuffer)> on_block)
      : names_(std::move(names)), on_block_(std::move(on_block)) {}

  std::vector<std::string> DeviceNames() const override { return names_; }
  bool OpenCapture(int index) override {
    events.push_back("open " + std::to_string(index));
    open_ = true;
    return true;
  }
  bool CloseCapture() override {
    events.push_back("close");
    open_ = false;
    ring_.Reset();
    return true;
  }
  bool IsCaptureOpen() const override { return open_; }
  void FeedCaptured(std::span<const std::byte> bytes) override {
    for (int count = ring_.Append(bytes); count > 0; --count) {
      on_block_(ring_.TakeCompleted());
    }
  }

  std::vector<std::string> events;

 private:
  std::vector<std::string> names_;
  std::function<void(CaptureBuffer)> on_block_;
  CaptureRing ring_;
  bool open_ = false;
};

class FakeMonitor final : public MonitorControl {
 public:
  bool OpenMonitor() override {
    open = true;
    return true;
  }
  void CloseMonitor() override { open = false; }
  void WriteMonitorBlock(MonitorFrames frames) override {
    blocks.emplace_back(frames.begin(), frames.end());
  }
  void WriteSilenceBlock() override { blocks.emplace_back(kFramesPerBlock * 2, 0); }
  bool IsMonitorOpen() const override { return open; }

  bool open = false;
  std::vector<std::vector<std::int16_t>> blocks;
};

// A main window on fakes, with its settings in a folder of its own.
class MainWindowFixture {
 public:
  explicit MainWindowFixture(std::vector<std::string> device_names = {"USB Audio", "Line In"})
      : device_names_(std::move(device_names)) {}

  std::filesystem::path SettingsFile() const {
    return std::filesystem::path(folder_.path().toStdString()) / "tolvik.ini";
  }

  void WriteSettings(const std::string& text) const;

  TForm1& Create() {
    TForm1::Setup setup{
        SettingsFile(),
        std::filesystem::path(folder_.path().toStdString()) / "mid.txt",
        std::filesystem::path(folder_.path().toStdString()) / "warn.wav",
        dialogs,
        sound,
        [this](DeviceErrorSink&, std::function<void(CaptureBuffer)> on_block) {
          auto fake = std::make_unique<FakeCapture>(device_names_, std::move(on_block));
          capture = fake.get();
          return fake;
        },
        [this](DeviceErrorSink&) {
          auto fake = std::make_unique<FakeMonitor>();
          monitor = fake.get();
          return fake;
        },
    };
    window = std::make_unique<TForm1>(std::move(setup));
    return *window;
  }

  std::string ReadSettings() const;

  ScriptedDialogs dialogs;
  CountingSound sound;
  FakeCapture* capture = nullptr;
  FakeMonitor* monitor = nullptr;
  std::unique_ptr<TForm1> window;

 private:
  QTemporaryDir folder_;
  std::vector<std::string> device_names_;
};

// A call as the interpreter would hand it over.
CallTexts Call(const std::string& from, const std::string& information = "",
               const std::string& position = "", DistressKind kind = DistressKind::None);

}  // namespace tolvik::testing
