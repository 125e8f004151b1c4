#pragma once

#include <filesystem>

#include "settings/AppSettings.h"
#include "settings/ListColumnWidths.h"
#include "settings/MainWindowPlacement.h"
#include "settings/SettingsProblemSink.h"

namespace tolvik {

// The settings file is a plain INI text with the sections [Form], [Wave],
// [List] and [Outputs], holding the keys of kSettingKeys (SettingsKeys.h) as key=value
// lines in that order. Integers are decimal, booleans 1 or 0, colours six
// upper-case hexadecimal digits (ColorText.h), texts as they are.

// Reads every key into the record and the column widths; a missing file,
// key or unreadable value gives that member's default. DelMin, DecFc, the
// ports and LogFormat are held to their ranges (base/SettingRanges.h and
// AppSettings.h). Never reports anything and never creates the file.
void LoadSettings(const std::filesystem::path& file, AppSettings& settings,
                  ListColumnWidths& columns);

// Writes every key. When the window is maximized the record's remembered
// normal placement (MainTop, MainLeft, MainWidth, MainHeight) goes into the
// file with MainMaxmum=1; otherwise the window's current placement with
// MainMaxmum=0. Sections and keys of other programs already in the file are
// kept. Creates the file's folder when it is missing. A file that cannot be
// written is reported to problems, naming the file and the reason; nothing is
// thrown. Returns whether the file was written.
bool SaveSettings(const std::filesystem::path& file, const AppSettings& settings,
                  const ListColumnWidths& columns, const MainWindowPlacement& window,
                  SettingsProblemSink& problems);

}  // namespace tolvik
