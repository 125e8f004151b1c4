#pragma once

#include <QSoundEffect>

#include <filesystem>

namespace tolvik {

// Starts a sound file playing without waiting for it.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Plays nothing at all when the file is missing or cannot be played.
  virtual void Play(const std::filesystem::path& file) = 0;
};

// QSoundEffect: never blocks; a missing, empty or broken file, or no sound
// server, simply stays silent.
class QtSoundPlayer final : public SoundPlayer {
 public:
  void Play(const std::filesystem::path& file) override;

 private:
  QSoundEffect effect_;
};

}  // namespace tolvik
