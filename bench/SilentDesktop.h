#pragma once

#include <filesystem>
#include <optional>

#include "ui/SoundPlayer.h"
#include "ui/UserDialogs.h"

namespace tolvik {

// Dialogs that answer at once and show nothing, for driving the main window
// without anyone at it: every question is answered No, every picker
// cancelled.
class SilentDialogs final : public UserDialogs {
 public:
  void ShowError(QWidget*, const QString&) override {}
  void ShowInformation(QWidget*, const QString&) override {}
  bool AskYesNo(QWidget*, const QString&) override { return false; }
  std::optional<QFont> PickFont(QWidget*, const QFont&) override { return std::nullopt; }
  std::optional<QColor> PickColor(QWidget*, const QColor&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> PickFolder(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> PickFile(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
};

// Plays nothing.
class SilentSound final : public SoundPlayer {
 public:
  void Play(const std::filesystem::path&) override {}
};

}  // namespace tolvik
