#include "ui/SoundPlayer.h"

#include <QString>
#include <QUrl>

#include <system_error>

namespace tolvik {

void QtSoundPlayer::Play(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    return;
  }
  const QUrl source = QUrl::fromLocalFile(QString::fromStdString(file.string()));
  if (effect_.source() != source) {
    effect_.setSource(source);
  }
  effect_.play();
}

}  // namespace tolvik
