#pragma once

#include <filesystem>

#include "list/AlertHost.h"
#include "ui/SoundPlayer.h"

namespace tolvik {

class TForm4;

// The window side of a distress alert: warn.wav played without waiting, the
// DSC information dialog loaded with the row, and the dialog put on screen
// once the block that completed the call has been processed to its end, so
// that the block finishes with its own samples and decoder state.
class AlertPresenter final : public AlertHost {
 public:
  AlertPresenter(SoundPlayer& sound, std::filesystem::path warn_wav);

  // The dialog exists only once the main window is up; until then no block
  // has been processed and no alert can come.
  void SetDialog(TForm4* dialog) { dialog_ = dialog; }

  bool IsSignallingAlert() const override;
  void PlayAlertSound() override;
  void LoadEntry(int row, DistressKind kind) override;
  bool IsDialogShowing() const override;
  void ShowDialog() override;

 private:
  void ShowDeferredDialog();

  SoundPlayer& sound_;
  std::filesystem::path warn_wav_;
  TForm4* dialog_ = nullptr;
  bool show_pending_ = false;  // the dialog goes on screen after this block
};

}  // namespace tolvik
