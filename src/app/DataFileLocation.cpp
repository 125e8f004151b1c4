#include "app/DataFileLocation.h"

#include <system_error>

namespace tolvik {
namespace {

// Both set by the build from its install directories.
constexpr const char* kDataFromExecutable = TOLVIK_DATA_FROM_EXECUTABLE;
constexpr const char* kConfiguredDataFolder = TOLVIK_CONFIGURED_DATA_FOLDER;

bool IsRegularFile(const std::filesystem::path& file) {
  std::error_code error;  // an unreadable folder counts as not holding the file
  return std::filesystem::is_regular_file(file, error);
}

}  // namespace

std::vector<std::filesystem::path> DataFileFolders(
    const std::filesystem::path& executable_folder,
    const std::filesystem::path& data_from_executable,
    const std::filesystem::path& configured_data_folder) {
  std::vector<std::filesystem::path> folders{executable_folder};
  if (!data_from_executable.empty()) {
    folders.push_back((executable_folder / data_from_executable).lexically_normal());
  }
  if (!configured_data_folder.empty()) {
    folders.push_back(configured_data_folder);
  }
  return folders;
}

std::vector<std::filesystem::path> DataFileFolders(const std::filesystem::path& executable_folder) {
  return DataFileFolders(executable_folder, kDataFromExecutable, kConfiguredDataFolder);
}

std::filesystem::path LocateDataFile(const std::vector<std::filesystem::path>& folders,
                                     const std::string& name, const FileExists& exists) {
  for (const std::filesystem::path& folder : folders) {
    std::filesystem::path file = folder / name;
    if (exists(file)) {
      return file;
    }
  }
  return folders.empty() ? std::filesystem::path(name) : folders.front() / name;
}

std::filesystem::path LocateDataFile(const std::vector<std::filesystem::path>& folders,
                                     const std::string& name) {
  return LocateDataFile(folders, name, IsRegularFile);
}

}  // namespace tolvik
