#include "settings/SettingsStore.h"

// Values are kept as the bytes of the file (UTF-8 or not); only the narrow
// CSimpleIniA is used, which needs no character conversion library. The
// template's member definitions are compiled here rather than linked from the
// packaged library, which would bring ICU along.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <exception>
#include <fstream>
#include <new>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "settings/ColorText.h"
#include "settings/SettingsValues.h"

namespace tolvik {
namespace {

constexpr const char* kFormSection = "Form";
constexpr const char* kWaveSection = "Wave";
constexpr const char* kListSection = "List";

// DelMin counts 10-minute units: 10 minutes up to 23 hours 50 minutes.
constexpr int kLowestDelMin = 1;
constexpr int kHighestDelMin = 143;
// DecFc counts 10 Hz units: 500 Hz up to 1000 Hz.
constexpr int kLowestDecFc = 50;
constexpr int kHighestDecFc = 100;

std::string ColumnWidthKey(std::size_t column) {
  return "ColumnsWidth" + std::to_string(column);
}

std::string ErrnoText(int error_number) {
  return std::error_code(error_number, std::generic_category()).message();
}

std::string ProblemMessage(const std::filesystem::path& file, const std::string& reason) {
  return "Could not save the settings to \"" + file.string() + "\": " + reason;
}

// The whole content of a regular file; nothing when there is no such file or
// it cannot be read (a directory, no permission).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    return std::nullopt;
  }
  std::ifstream stream(file, std::ios::binary);
  if (!stream) {
    return std::nullopt;
  }
  std::ostringstream content;
  content << stream.rdbuf();
  if (stream.bad()) {
    return std::nullopt;
  }
  return std::move(content).str();
}

// Replaces the file's content with text. Returns why it failed, or nothing.
// Every step is checked, so a full disk is not taken for a saved file.
std::optional<std::string> WriteWholeFile(const std::filesystem::path& file,
                                          const std::string& text) {
  std::FILE* stream = std::fopen(file.c_str(), "wb");
  if (stream == nullptr) {
    return ErrnoText(errno);
  }
  const std::size_t written = std::fwrite(text.data(), 1, text.size(), stream);
  const int write_error = errno;
  const bool complete = written == text.size() && std::fflush(stream) == 0;
  const int flush_error = errno;
  const bool closed = std::fclose(stream) == 0;
  if (written != text.size()) {
    return ErrnoText(write_error);
  }
  if (!complete) {
    return ErrnoText(flush_error);
  }
  if (!closed) {
    return ErrnoText(errno);
  }
  return std::nullopt;
}

// Creates the folder the file goes into when it is missing. Returns why it
// could not be created, or nothing.
std::optional<std::string> MakeParentFolder(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.parent_path();
  std::error_code error;
  if (folder.empty() || std::filesystem::is_directory(folder, error)) {
    return std::nullopt;
  }
  std::filesystem::create_directories(folder, error);
  if (error) {
    return "cannot create the folder \"" + folder.string() + "\" (" + error.message() + ")";
  }
  return std::nullopt;
}

// Typed reading of the keys of one loaded settings file.
class SettingsReader {
 public:
  explicit SettingsReader(const CSimpleIniA& ini) : ini_(ini) {}

  int Integer(const char* section, const std::string& key, int fallback) const {
    return ReadIntegerValue(Raw(section, key), fallback);
  }
  bool Boolean(const char* section, const char* key, bool fallback) const {
    return ReadBooleanValue(Raw(section, key), fallback);
  }
  std::string Text(const char* section, const char* key, std::string_view fallback) const {
    return ReadTextValue(Raw(section, key), fallback);
  }
  ColorValue Color(const char* section, const char* key, std::string_view fallback) const {
    return ParseColorText(Text(section, key, fallback));
  }

 private:
  // The value as it stands in the file, nullptr when the key is missing.
  const char* Raw(const char* section, const std::string& key) const {
    return ini_.GetValue(section, key.c_str(), nullptr);
  }

  const CSimpleIniA& ini_;  // the loaded file
};

// Writes the keys of one section in the order they are given. The section is
// emptied and moved to the end of the file first, so our keys come out in our
// order whatever the old file held; keys of other programs found in it are
// put back after ours.
class SectionWriter {
 public:
  SectionWriter(CSimpleIniA& ini, const char* section)
      : ini_(ini), section_(section), foreign_keys_(TakeSection()) {}

  void Integer(const std::string& key, int value) { Put(key, std::to_string(value)); }
  void Boolean(const char* key, bool value) { Put(key, FormatBooleanValue(value)); }
  void Text(const char* key, std::string_view value) { Put(key, FormatTextValue(value)); }
  void Color(const char* key, ColorValue value) { Put(key, FormatColorText(value)); }

  // Puts back the keys of the old section that were not written anew.
  void Finish() {
    for (const auto& [key, value] : foreign_keys_) {
      if (ini_.GetValue(section_, key.c_str(), nullptr) == nullptr) {
        Put(key, value);
      }
    }
  }

 private:
  // Removes the section and returns its keys and values in file order.
  std::vector<std::pair<std::string, std::string>> TakeSection() {
    CSimpleIniA::TNamesDepend keys;
    ini_.GetAllKeys(section_, keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::pair<std::string, std::string>> taken;
    for (const CSimpleIniA::Entry& key : keys) {
      taken.emplace_back(key.pItem, ini_.GetValue(section_, key.pItem, ""));
    }
    ini_.Delete(section_, nullptr);
    return taken;
  }

  void Put(const std::string& key, const std::string& value) {
    if (ini_.SetValue(section_, key.c_str(), value.c_str()) < 0) {
      throw std::bad_alloc();
    }
  }

  CSimpleIniA& ini_;     // the document being written
  const char* section_;  // name of the section this writer fills
  std::vector<std::pair<std::string, std::string>> foreign_keys_;  // old keys, file order
};

void ReadForm(const SettingsReader& reader, AppSettings& settings) {
  const AppSettings defaults;
  settings.MainTop = reader.Integer(kFormSection, "MainTop", defaults.MainTop);
  settings.MainLeft = reader.Integer(kFormSection, "MainLeft", defaults.MainLeft);
  settings.MainWidth = reader.Integer(kFormSection, "MainWidth", defaults.MainWidth);
  settings.MainHeight = reader.Integer(kFormSection, "MainHeight", defaults.MainHeight);
  settings.MainMaxmum = reader.Boolean(kFormSection, "MainMaxmum", defaults.MainMaxmum);
}

void ReadWave(const SettingsReader& reader, AppSettings& settings) {
  const AppSettings defaults;
  settings.WaveInName = reader.Text(kWaveSection, "WaveInName", defaults.WaveInName);
  settings.DecVHF = reader.Boolean(kWaveSection, "DecVHF", defaults.DecVHF);
  settings.DecINV = reader.Boolean(kWaveSection, "DecINV", defaults.DecINV);
  settings.DecAPS = reader.Boolean(kWaveSection, "DecAPS", defaults.DecAPS);
  settings.DecAFC = reader.Boolean(kWaveSection, "DecAFC", defaults.DecAFC);
  settings.DecFc = reader.Integer(kWaveSection, "DecFc", defaults.DecFc);
  settings.ShowSpec = reader.Boolean(kWaveSection, "ShowSpec", defaults.ShowSpec);
}

void ReadList(const SettingsReader& reader, AppSettings& settings, ListColumnWidths& columns) {
  const AppSettings defaults;
  const ListColumnWidths default_columns;
  for (std::size_t column = 0; column < ListColumnWidths::kColumnCount; ++column) {
    columns.Widths[column] =
        reader.Integer(kListSection, ColumnWidthKey(column), default_columns.Widths[column]);
  }
  settings.FontColor = reader.Color(kListSection, "FontColor", FormatColorText(defaults.FontColor));
  settings.BackColor = reader.Color(kListSection, "BackColor", FormatColorText(defaults.BackColor));
  settings.FontSize = reader.Integer(kListSection, "FontSize", defaults.FontSize);
  settings.FontName = reader.Text(kListSection, "FontName", defaults.FontName);
  settings.DelMin = reader.Integer(kListSection, "DelMin", defaults.DelMin);
  settings.TimeDel = reader.Boolean(kListSection, "TimeDel", defaults.TimeDel);
  settings.CheckAdd = reader.Boolean(kListSection, "CheckAdd", defaults.CheckAdd);
  settings.NoMsgAdd = reader.Boolean(kListSection, "NoMsgAdd", defaults.NoMsgAdd);
  settings.DistAlt = reader.Boolean(kListSection, "DistAlt", defaults.DistAlt);
  settings.DistAck = reader.Boolean(kListSection, "DistAck", defaults.DistAck);
  settings.DistRly = reader.Boolean(kListSection, "DistRly", defaults.DistRly);
}

// The only two settings with a range; everything else is used as read.
void ClampRanges(AppSettings& settings) {
  settings.DelMin = std::max(settings.DelMin, kLowestDelMin);
  settings.DelMin = std::min(settings.DelMin, kHighestDelMin);
  settings.DecFc = std::max(settings.DecFc, kLowestDecFc);
  settings.DecFc = std::min(settings.DecFc, kHighestDecFc);
}

void WriteForm(CSimpleIniA& ini, const AppSettings& settings, const MainWindowPlacement& window) {
  // A maximized window's own placement is the whole screen; what is worth
  // keeping is where it stood before, which the record remembers.
  MainWindowPlacement placement = window;
  if (window.Maximized) {
    placement.Top = settings.MainTop;
    placement.Left = settings.MainLeft;
    placement.Width = settings.MainWidth;
    placement.Height = settings.MainHeight;
  }
  SectionWriter form(ini, kFormSection);
  form.Integer("MainTop", placement.Top);
  form.Integer("MainLeft", placement.Left);
  form.Integer("MainWidth", placement.Width);
  form.Integer("MainHeight", placement.Height);
  form.Boolean("MainMaxmum", placement.Maximized);
  form.Finish();
}

void WriteWave(CSimpleIniA& ini, const AppSettings& settings) {
  SectionWriter wave(ini, kWaveSection);
  wave.Text("WaveInName", settings.WaveInName);
  wave.Boolean("DecVHF", settings.DecVHF);
  wave.Boolean("DecINV", settings.DecINV);
  wave.Boolean("DecAPS", settings.DecAPS);
  wave.Boolean("DecAFC", settings.DecAFC);
  wave.Integer("DecFc", settings.DecFc);
  wave.Boolean("ShowSpec", settings.ShowSpec);
  wave.Finish();
}

void WriteList(CSimpleIniA& ini, const AppSettings& settings, const ListColumnWidths& columns) {
  SectionWriter list(ini, kListSection);
  for (std::size_t column = 0; column < ListColumnWidths::kColumnCount; ++column) {
    list.Integer(ColumnWidthKey(column), columns.Widths[column]);
  }
  list.Color("FontColor", settings.FontColor);
  list.Color("BackColor", settings.BackColor);
  list.Integer("FontSize", settings.FontSize);
  list.Text("FontName", settings.FontName);
  list.Integer("DelMin", settings.DelMin);
  list.Boolean("TimeDel", settings.TimeDel);
  list.Boolean("CheckAdd", settings.CheckAdd);
  list.Boolean("NoMsgAdd", settings.NoMsgAdd);
  list.Boolean("DistAlt", settings.DistAlt);
  list.Boolean("DistAck", settings.DistAck);
  list.Boolean("DistRly", settings.DistRly);
  list.Finish();
}

// The new file content: the old file (when there is one) with our three
// sections written afresh at its end.
std::string ComposeSettingsText(const std::filesystem::path& file, const AppSettings& settings,
                                const ListColumnWidths& columns,
                                const MainWindowPlacement& window) {
  CSimpleIniA ini;
  ini.SetSpaces(false);  // key=value, as other INI readers expect
  if (const std::optional<std::string> old_text = ReadWholeFile(file)) {
    ini.LoadData(*old_text);
  }
  WriteForm(ini, settings, window);
  WriteWave(ini, settings);
  WriteList(ini, settings, columns);

  std::string text;
  if (ini.Save(text, ini.IsUnicode()) < 0) {
    throw std::bad_alloc();
  }
  return text;
}

}  // namespace

void LoadSettings(const std::filesystem::path& file, AppSettings& settings,
                  ListColumnWidths& columns) {
  CSimpleIniA ini;
  if (const std::optional<std::string> text = ReadWholeFile(file)) {
    ini.LoadData(*text);  // whatever could not be loaded reads as defaults
  }
  const SettingsReader reader(ini);
  ReadForm(reader, settings);
  ReadWave(reader, settings);
  ReadList(reader, settings, columns);
  ClampRanges(settings);
}

bool SaveSettings(const std::filesystem::path& file, const AppSettings& settings,
                  const ListColumnWidths& columns, const MainWindowPlacement& window,
                  SettingsProblemSink& problems) {
  // Saving runs while the main window closes: whatever goes wrong is reported
  // and closing goes on.
  std::optional<std::string> problem;
  try {
    problem = MakeParentFolder(file);
    if (!problem) {
      problem = WriteWholeFile(file, ComposeSettingsText(file, settings, columns, window));
    }
  } catch (const std::exception& error) {
    problem = error.what();
  }
  if (problem) {
    problems.ReportSettingsProblem(ProblemMessage(file, *problem));
    return false;
  }
  return true;
}

}  // namespace tolvik
