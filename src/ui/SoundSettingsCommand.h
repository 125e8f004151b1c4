#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tolvik {

// A program to start, with its arguments.
struct ProgramCommand {
  QString Program;
  QStringList Arguments;
};

// The platform's recording settings, as the input device dialog's link
// opens them. On Linux: pavucontrol on its recording tab where it is
// installed, otherwise the desktop's own sound settings (GNOME, KDE, Xfce);
// on Windows the volume control's recording page, or the control panel's
// sound settings on the recording page; on macOS the Sound settings.
// `find_program` answers whether a program can be found on the path.
std::optional<ProgramCommand> SoundSettingsCommand(
    const std::function<bool(const QString&)>& find_program);

}  // namespace tolvik
