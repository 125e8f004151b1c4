#pragma once

#include <QFrame>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>

#include "audio/PipelineHost.h"
#include "audio/Receiver.h"
#include "audio/device/CaptureControl.h"
#include "audio/device/DeviceErrorSink.h"
#include "audio/device/FileReplay.h"
#include "audio/device/MonitorControl.h"
#include "base/StatusTextSink.h"
#include "base/TimeOfDayClock.h"
#include "outputs/SettingsOutputs.h"
#include "settings/AppSettings.h"
#include "settings/ListColumnWidths.h"
#include "settings/SettingsProblemSink.h"
#include "ui/AlertPresenter.h"
#include "ui/DisplayImage.h"
#include "ui/ReceiveListModel.h"
#include "ui/SoundPlayer.h"
#include "ui/StatusBar.h"
#include "ui/UserDialogs.h"

namespace tolvik {

class SpectrumStrip;
class TForm2;
class TForm3;
class TForm4;

// The main window and the program: it holds the settings, the receiver (the
// decoder and the receive list), the outputs the rows go to beside the list,
// the capture and monitor devices and the tool bar, list and status bar. All audio is processed on
// its thread, one block per completed capture buffer. Closing it saves the settings; its
// FormDestroy closes capture, then the monitor.
class TForm1 final : public QWidget,
                     public StatusTextSink,
                     public PipelineHost,
                     private DeviceErrorSink,
                     private SettingsProblemSink {
 public:
  using CaptureFactory = std::function<std::unique_ptr<CaptureControl>(
      DeviceErrorSink&, std::function<void(CaptureBuffer)> on_block)>;
  using MonitorFactory = std::function<std::unique_ptr<MonitorControl>(DeviceErrorSink&)>;

  struct Setup {
    std::filesystem::path settings_file;
    std::filesystem::path mid_txt;   // the country table, wherever it was found
    std::filesystem::path warn_wav;  // the alert sound, likewise
    UserDialogs& dialogs;
    SoundPlayer& sound;
    CaptureFactory make_capture;  // empty: the sound system's devices
    MonitorFactory make_monitor;  // empty: the sound system's default output
  };

  static constexpr int kMinimumWidth = 600;
  static constexpr int kMinimumHeight = 100;
  static constexpr int kToolBarHeight = 32;

  explicit TForm1(Setup setup);
  ~TForm1() override;

  // The windows created after this one.
  void SetWindows(TForm2* settings, TForm3* eye_pattern, TForm4* details);

  // On screen as the stored placement says: maximized or normal.
  void ShowAsPlaced();

  // Closes capture, then the monitor; runs once, also from the destructor.
  void FormDestroy();

  AppSettings& Settings() { return settings_; }
  Receiver& Decoder() { return *receiver_; }
  // NMEA, MQTT and the daily log, as the [Outputs] settings ask; their
  // problems show in status panel 0.
  SettingsOutputs& Outputs() { return *outputs_; }
  ReceiveListModel& ListModel() { return *model_; }
  UserDialogs& Dialogs() { return dialogs_; }
  SoundPlayer& Sound() { return sound_; }
  CaptureControl& Capture() { return *capture_; }
  const std::filesystem::path& WarnWavPath() const { return warn_wav_; }
  const std::filesystem::path& MidTablePath() const { return mid_txt_; }

  // The chosen entry of the input device list: 0 the default device.
  int InputDeviceIndex() const { return input_device_index_; }
  void SetInputDeviceIndex(int index) { input_device_index_ = index; }

  // Capture on the device of InputDeviceIndex; nothing while a recording
  // given on the command line stands in for the sound card.
  bool OpenCapture();
  bool CloseCapture();

  // Plays a recording into the capture path at real time. With
  // `resume_capture` live capture is reopened when it ends; otherwise the
  // recording stands in for the sound card until a device is chosen. A file
  // that cannot be read is named in an error box; false then.
  bool StartReplay(const std::filesystem::path& file, bool resume_capture);
  // An audio file dropped on the window: replayed, then back to the sound
  // card (or to nothing, when a recording stands in for it).
  bool OpenDroppedFile(const std::filesystem::path& file);
  // A device has been chosen: a replay gives way to live capture.
  void LeaveReplay();
  bool IsReplaying() const { return replay_->IsRunning(); }

  // Every row written, also into this file as a tab-separated line (for
  // scripts watching the program).
  void SetRowsFile(const std::filesystem::path& file) { rows_file_ = file; }

  // The list's font, text and background colours from the settings.
  void ApplyListStyle();
  void SetSpectrumVisible(bool visible);

  // StatusTextSink
  void ShowStatusText(StatusPanel panel, const std::string& text) override;

  // PipelineHost
  void WriteMonitorBlock(MonitorFrames frames) override;
  bool IsEyePatternShowing() const override;
  void RedrawEyePattern(const DemodulatorTraces& traces) override;
  void UpdateSpectrumStrip(const DemodulatorTraces& traces) override;
  void SetReceiveLamp(bool phased) override;

  // The controls, named as in the layout.
  QWidget* Panel2;            // tool bar
  QPushButton* Button1;       // "Settings"
  QPushButton* Button2;       // "List Clear"
  QPushButton* SpeedButton2;  // "Eye Pattern"
  QPushButton* SpeedButton1;  // "Monitor", a toggle
  QFrame* Panel3;             // spectrum strip
  DisplayImage* Image1;       // its picture
  QFrame* Panel1;             // receive lamp
  QTableView* ListView1;      // receive list
  StatusBar* StatusBar1;

  bool LampIsLit() const { return lamp_lit_; }

  // Handlers, public so the program and the tests can run them as clicks do.
  void Button1Click();
  void Button2Click();
  void SpeedButton1Click(bool down);
  void SpeedButton2Click();
  void ListView1DblClick();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateControls();
  void CreateToolBar();
  void CreateList();
  void FormCreate();
  void FormActivate();
  void FormClose();
  void Panel2Resize();
  void ReportDeviceError(const std::string& text) override;
  void ReportDeviceStatus(const std::string& text) override;
  void ReportSettingsProblem(const std::string& message) override;
  void ReplayFinished();
  void AppendToRowsFile(const ReceiveEntry& entry);

  UserDialogs& dialogs_;
  SoundPlayer& sound_;
  std::filesystem::path settings_file_;
  std::filesystem::path mid_txt_;
  std::filesystem::path warn_wav_;
  std::filesystem::path rows_file_;  // empty: none
  AppSettings settings_;
  ListColumnWidths columns_;
  SystemTimeOfDayClock clock_;
  AlertPresenter alerts_;
  std::unique_ptr<SpectrumStrip> spectrum_;  // the strip's transform and picture
  std::unique_ptr<Receiver> receiver_;
  std::unique_ptr<SettingsOutputs> outputs_;  // told of the receiver's rows
  // The outputs' news (a host name looked up, a broker lost) reaches panel 0
  // after every block, and by this also while no blocks come.
  QTimer output_reports_timer_;
  std::unique_ptr<ReceiveListModel> model_;
  std::unique_ptr<MonitorControl> monitor_;
  std::unique_ptr<CaptureControl> capture_;
  std::unique_ptr<FileReplay> replay_;
  TForm2* settings_dialog_ = nullptr;
  TForm3* eye_pattern_ = nullptr;
  int input_device_index_ = 0;
  bool replay_only_ = false;     // a recording stands in for the sound card
  bool resume_capture_ = false;  // reopen live capture when the replay ends
  bool lamp_lit_ = false;
  bool destroyed_ = false;  // FormDestroy has run
};

}  // namespace tolvik
