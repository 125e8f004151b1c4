#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tolvik {

// What the choice of the settings file depends on, passed in so that tests can
// stand in for the process environment and the file system.
struct SettingsLocationEnvironment {
  // The value of an environment variable, nothing when it is not set.
  std::function<std::optional<std::string>(const std::string& name)> GetVariable;
  // Whether files may be created in the directory.
  std::function<bool(const std::filesystem::path& directory)> IsDirectoryWritable;
};

// The real environment variables and the real file system.
SettingsLocationEnvironment SystemSettingsLocationEnvironment();

// The settings file: the executable's path with its extension replaced by
// ".ini" (tolvik -> tolvik.ini, tolvik.exe -> tolvik.ini). When the
// executable's directory is not writable (an installed program) it is
// $XDG_CONFIG_HOME/tolvik/tolvik.ini instead, or ~/.config/tolvik/tolvik.ini
// when XDG_CONFIG_HOME is unset, empty or not absolute. With neither variable
// usable it stays beside the executable.
std::filesystem::path SettingsFilePath(const std::filesystem::path& executable,
                                       const SettingsLocationEnvironment& environment);

// The same with the system environment.
std::filesystem::path SettingsFilePath(const std::filesystem::path& executable);

}  // namespace tolvik
