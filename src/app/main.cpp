// tolvik: the desktop receiver. Opens the main window and decodes the sound
// card's audio (or a recording given with --input) into the receive list.

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>

#include <exception>
#include <filesystem>
#include <vector>

#include "app/DataFileLocation.h"
#include "app/ShutdownSignals.h"
#include "settings/SettingsFilePath.h"
#include "ui/SoundPlayer.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"
#include "ui/TForm3.h"
#include "ui/TForm4.h"
#include "ui/TForm8.h"
#include "ui/UserDialogs.h"
#include "ui/WindowFont.h"

namespace {

struct CommandLine {
  QString input;      // a recording to decode instead of the sound card
  QString settings;   // another settings file than the one beside the program
  QString rows_file;  // every row also written here
};

CommandLine ParseCommandLine(const QApplication& application) {
  QCommandLineParser parser;
  parser.setApplicationDescription("Tolvik: a receiver for maritime DSC calls.");
  parser.addHelpOption();
  const QCommandLineOption input(
      "input", "Decode the recording FILE at real time instead of the sound card.", "FILE");
  const QCommandLineOption settings("settings", "Keep the settings in FILE.", "FILE");
  const QCommandLineOption rows("rows-file", "Also append every row to FILE, tab-separated.",
                                "FILE");
  parser.addOptions({input, settings, rows});
  parser.process(application);
  return {parser.value(input), parser.value(settings), parser.value(rows)};
}

// The menu entry's icon, from the program's resources.
QIcon ProgramIcon() {
  QIcon icon;
  icon.addFile(":/icons/48x48/org.tolvik.Tolvik.png");
  icon.addFile(":/icons/256x256/org.tolvik.Tolvik.png");
  return icon;
}

int Run(QApplication& application) {
  using namespace tolvik;
  const CommandLine command_line = ParseCommandLine(application);
  const std::vector<std::filesystem::path> data_folders =
      DataFileFolders(QApplication::applicationDirPath().toStdString());
  const std::filesystem::path settings_file =
      command_line.settings.isEmpty()
          ? SettingsFilePath(QApplication::applicationFilePath().toStdString())
          : std::filesystem::path(command_line.settings.toStdString());

  QtUserDialogs dialogs;
  QtSoundPlayer sound;
  TForm1 main_window({settings_file,
                      LocateDataFile(data_folders, "mid.txt"),
                      LocateDataFile(data_folders, "warn.wav"),
                      dialogs,
                      sound,
                      {},
                      {}});
  if (!command_line.rows_file.isEmpty()) {
    main_window.SetRowsFile(command_line.rows_file.toStdString());
  }
  if (!command_line.input.isEmpty()) {
    // Before the device dialog, which would otherwise open the sound card.
    main_window.StartReplay(command_line.input.toStdString(), false);
  }
  TForm8 device_dialog(main_window);
  TForm2 settings_dialog(main_window);
  TForm3 eye_pattern(main_window);
  TForm4 details(main_window.Decoder().List(), main_window.MidTablePath(), &main_window);
  settings_dialog.SetDeviceDialog(&device_dialog);
  main_window.SetWindows(&settings_dialog, &eye_pattern, &details);

  ShutdownSignals shutdown_signals([&main_window] { main_window.close(); });
  main_window.ShowAsPlaced();
  const int status = QApplication::exec();
  main_window.FormDestroy();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Tolvik");
  // Ties the windows to the installed menu entry; its icon is built in, so
  // the windows carry it in the build tree too.
  QApplication::setDesktopFileName("org.tolvik.Tolvik");
  QApplication::setWindowIcon(ProgramIcon());
  QApplication::setFont(tolvik::WindowFont());
  QApplication::setQuitOnLastWindowClosed(false);  // the main window's close ends the program
  try {
    return Run(application);
  } catch (const std::exception& error) {
    QMessageBox::critical(nullptr, "Tolvik", QString::fromLocal8Bit(error.what()));
    return 1;
  }
}
