#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <optional>
#include <string>

#include "ui/SoundSettingsCommand.h"

namespace tolvik {

class TForm1;
class TForm2;

// The input device dialog: the default input and every capture device by
// name, the switch of capture to the chosen one, and a link to the system's
// recording settings. Its construction resolves the stored device name and
// opens capture for the first time.
class TForm8 final : public QDialog {
 public:
  static constexpr int kClientWidth = 331;
  static constexpr int kClientHeight = 102;
  static constexpr int kSwitchPauseMs = 1000;

  explicit TForm8(TForm1& main_window);

  // Shown over the settings dialog, modally (no nested event loop).
  void ShowModal(TForm2& settings_dialog);

  // The entry for a device name: 0 for "" and "Default input device",
  // otherwise the first entry with exactly that text, or -1.
  int FindDeviceEntry(const std::string& name) const;

  // WaveInName to InputDeviceIndex (falling back to the default device with
  // "Open default input device." when the device is gone), then capture.
  void SelectStoredDevice();

  const std::optional<ProgramCommand>& SoundSettings() const { return sound_settings_; }

  QGroupBox* GroupBox1;
  QComboBox* ComboBox1;
  QLabel* Panel1;        // "Now switching wave input device..."
  QLabel* Label1;        // "Sound settings"
  QPushButton* Button1;  // "OK"
  QPushButton* Button2;  // "Cancel", the default button

  void Button1Click();
  void Button2Click();
  void Label1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void FormShow();

  TForm1& main_;
  TForm2* settings_dialog_ = nullptr;
  std::optional<ProgramCommand> sound_settings_;  // fixed at construction
};

}  // namespace tolvik
