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
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "settings/ColorText.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsValues.h"

namespace tolvik {
namespace {

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
  std::string text = std::move(content).str();
  // The INI parser reads a C string: a stray NUL byte (a crash while the
  // file was written, a bad copy) would hide every key after it, and the
  // next save would lose them. As a line break it only ends a line of junk.
  std::replace(text.begin(), text.end(), '\0', '\n');
  return text;
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

// Writes the keys of one section in the order they are given. The section is
// emptied and moved to the end of the file first, so our keys come out in our
// order whatever the old file held; keys of other programs found in it are
// put back after ours.
class SectionWriter {
 public:
  SectionWriter(CSimpleIniA& ini, const char* section)
      : ini_(ini), section_(section), foreign_keys_(TakeSection()) {}

  std::string_view Name() const { return section_; }

  void Put(const std::string& key, const std::string& value) {
    if (ini_.SetValue(section_, key.c_str(), value.c_str()) < 0) {
      throw std::bad_alloc();
    }
  }

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

  CSimpleIniA& ini_;     // the document being written
  const char* section_;  // name of the section this writer fills
  std::vector<std::pair<std::string, std::string>> foreign_keys_;  // old keys, file order
};

// The value of a field in the settings record or the column widths.
template <typename Value>
Value& FieldValue(Value AppSettings::*member, AppSettings& settings, ListColumnWidths&) {
  return settings.*member;
}
template <typename Value>
const Value& FieldValue(Value AppSettings::*member, const AppSettings& settings,
                        const ListColumnWidths&) {
  return settings.*member;
}
int& FieldValue(ColumnWidthField field, AppSettings&, ListColumnWidths& columns) {
  return columns.Widths[field.Column];
}
const int& FieldValue(ColumnWidthField field, const AppSettings&, const ListColumnWidths& columns) {
  return columns.Widths[field.Column];
}

// A value as the file holds it (nullptr when the key is missing) read into
// the type of its field, or fallback.
int ReadValue(const char* raw, int fallback) {
  return ReadIntegerValue(raw, fallback);
}
bool ReadValue(const char* raw, bool fallback) {
  return ReadBooleanValue(raw, fallback);
}
std::string ReadValue(const char* raw, const std::string& fallback) {
  return ReadTextValue(raw, fallback);
}
ColorValue ReadValue(const char* raw, ColorValue fallback) {
  return ParseColorText(ReadTextValue(raw, FormatColorText(fallback)));
}

// A value as it goes into the file.
std::string FormatValue(int value) {
  return std::to_string(value);
}
std::string FormatValue(bool value) {
  return FormatBooleanValue(value);
}
std::string FormatValue(const std::string& value) {
  return FormatTextValue(value);
}
std::string FormatValue(ColorValue value) {
  return FormatColorText(value);
}

void ReadKey(const CSimpleIniA& ini, const SettingKey& key, AppSettings& settings,
             ListColumnWidths& columns) {
  static const AppSettings kDefaults;
  static const ListColumnWidths kDefaultColumns;
  const char* raw = ini.GetValue(key.Section, key.Key, nullptr);
  std::visit(
      [&](auto field) {
        auto& value = FieldValue(field, settings, columns);
        value = ReadValue(raw, FieldValue(field, kDefaults, kDefaultColumns));
        if constexpr (std::is_same_v<std::remove_reference_t<decltype(value)>, int>) {
          if (key.Range) {
            value = std::clamp(value, key.Range->Lowest, key.Range->Highest);
          }
        }
      },
      key.Field);
}

// What goes into the file: the record, with the window's placement as the
// [Form] keys. A maximized window's own placement is the whole screen; what
// is worth keeping is where it stood before, which the record remembers.
AppSettings SettingsToSave(const AppSettings& settings, const MainWindowPlacement& window) {
  AppSettings saved = settings;
  if (!window.Maximized) {
    saved.MainTop = window.Top;
    saved.MainLeft = window.Left;
    saved.MainWidth = window.Width;
    saved.MainHeight = window.Height;
  }
  saved.MainMaxmum = window.Maximized;
  return saved;
}

// The text a key's value goes into the file as.
std::string FileValue(const SettingKey& key, const AppSettings& settings,
                      const ListColumnWidths& columns) {
  return std::visit([&](auto field) { return FormatValue(FieldValue(field, settings, columns)); },
                    key.Field);
}

// Writes every key in table order, one section writer for each run of keys
// of the same section.
void WriteKeys(CSimpleIniA& ini, const AppSettings& settings, const ListColumnWidths& columns) {
  const auto* key = kSettingKeys.begin();
  while (key != kSettingKeys.end()) {
    SectionWriter section(ini, key->Section);
    for (; key != kSettingKeys.end() && section.Name() == key->Section; ++key) {
      section.Put(key->Key, FileValue(*key, settings, columns));
    }
    section.Finish();
  }
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
  WriteKeys(ini, SettingsToSave(settings, window), columns);

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
  for (const SettingKey& key : kSettingKeys) {
    ReadKey(ini, key, settings, columns);
  }
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
