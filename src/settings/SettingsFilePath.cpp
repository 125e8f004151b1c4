#include "settings/SettingsFilePath.h"

#include <cstdlib>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tolvik {
namespace {

constexpr const char* kSettingsExtension = ".ini";
constexpr const char* kConfigFolderName = "tolvik";
constexpr const char* kConfigFileName = "tolvik.ini";

// An environment variable that is set to an absolute path; relative or empty
// values do not name a place to keep settings.
std::optional<std::filesystem::path> AbsolutePathVariable(
    const SettingsLocationEnvironment& environment, const std::string& name) {
  const std::optional<std::string> value = environment.GetVariable(name);
  if (!value || value->empty()) {
    return std::nullopt;
  }
  std::filesystem::path path(*value);
  if (!path.is_absolute()) {
    return std::nullopt;
  }
  return path;
}

// The per-user configuration directory, when the environment names one.
std::optional<std::filesystem::path> UserConfigDirectory(
    const SettingsLocationEnvironment& environment) {
  if (auto config_home = AbsolutePathVariable(environment, "XDG_CONFIG_HOME")) {
    return config_home;
  }
  if (auto home = AbsolutePathVariable(environment, "HOME")) {
    return *home / ".config";
  }
  return std::nullopt;
}

}  // namespace

SettingsLocationEnvironment SystemSettingsLocationEnvironment() {
  SettingsLocationEnvironment environment;
  environment.GetVariable = [](const std::string& name) -> std::optional<std::string> {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) {
      return std::nullopt;
    }
    return std::string(value);
  };
  environment.IsDirectoryWritable = [](const std::filesystem::path& directory) {
#ifdef _WIN32
    (void)directory;
    return true;  // settings always stay beside the executable there
#else
    return ::access(directory.c_str(), W_OK) == 0;
#endif
  };
  return environment;
}

std::filesystem::path SettingsFilePath(const std::filesystem::path& executable,
                                       const SettingsLocationEnvironment& environment) {
  std::filesystem::path beside_executable = executable;
  beside_executable.replace_extension(kSettingsExtension);

  std::filesystem::path directory = executable.parent_path();
  if (directory.empty()) {
    directory = ".";
  }
  if (environment.IsDirectoryWritable(directory)) {
    return beside_executable;
  }
  if (auto config_directory = UserConfigDirectory(environment)) {
    return *config_directory / kConfigFolderName / kConfigFileName;
  }
  return beside_executable;
}

std::filesystem::path SettingsFilePath(const std::filesystem::path& executable) {
  return SettingsFilePath(executable, SystemSettingsLocationEnvironment());
}

}  // namespace tolvik
