#include "ui/SoundSettingsCommand.h"

#include <array>

namespace tolvik {

namespace {
constexpr const char* kPavucontrolRecordingTab = "--tab=2";
}

std::optional<ProgramCommand> SoundSettingsCommand(
    const std::function<bool(const QString&)>& find_program) {
#if defined(Q_OS_WIN)
  if (find_program("SNDVOL32.EXE")) {
    return ProgramCommand{"SNDVOL32.EXE", {"/RECORD"}};
  }
  return ProgramCommand{"rundll32.exe", {"shell32.dll,Control_RunDLL", "mmsys.cpl,,1"}};
#elif defined(Q_OS_MACOS)
  (void)find_program;
  return ProgramCommand{"open", {"x-apple.systempreferences:com.apple.preference.sound"}};
#else
  if (find_program("pavucontrol")) {
    return ProgramCommand{"pavucontrol", {kPavucontrolRecordingTab}};
  }
  const std::array<ProgramCommand, 4> desktops = {{
      {"gnome-control-center", {"sound"}},
      {"systemsettings", {"kcm_pulseaudio"}},
      {"kcmshell5", {"kcm_pulseaudio"}},
      {"xfce4-settings-manager", {}},
  }};
  for (const ProgramCommand& command : desktops) {
    if (find_program(command.Program)) {
      return command;
    }
  }
  return std::nullopt;
#endif
}

}  // namespace tolvik
