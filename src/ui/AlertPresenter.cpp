#include "ui/AlertPresenter.h"

#include <QTimer>

#include "ui/TForm4.h"

namespace tolvik {

AlertPresenter::AlertPresenter(SoundPlayer& sound, std::filesystem::path warn_wav)
    : sound_(sound), warn_wav_(std::move(warn_wav)) {}

bool AlertPresenter::IsSignallingAlert() const {
  return dialog_ != nullptr && dialog_->IsBlinking();
}

void AlertPresenter::PlayAlertSound() {
  sound_.Play(warn_wav_);
}

void AlertPresenter::LoadEntry(int row, DistressKind kind) {
  if (dialog_ != nullptr) {
    dialog_->LoadEntry(row, kind);
  }
}

bool AlertPresenter::IsDialogShowing() const {
  return show_pending_ || (dialog_ != nullptr && dialog_->isVisible());
}

void AlertPresenter::ShowDialog() {
  if (dialog_ == nullptr || show_pending_) {
    return;
  }
  show_pending_ = true;
  QTimer::singleShot(0, dialog_, [this] { ShowDeferredDialog(); });
}

void AlertPresenter::ShowDeferredDialog() {
  show_pending_ = false;
  dialog_->ShowModal();
}

}  // namespace tolvik
