#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tolvik {

// Whether a file is there to be read; the tests stand in for the file system.
using FileExists = std::function<bool(const std::filesystem::path& file)>;

// The folders searched for the program's data files (mid.txt, warn.wav), in
// order: the executable's own folder, where the build leaves them; the
// installed data folder reached from the executable's folder by
// `data_from_executable` (../share/tolvik from bin/), so that an installed
// tree moved to another prefix still finds its files; last the data folder
// the build was configured to install to.
std::vector<std::filesystem::path> DataFileFolders(
    const std::filesystem::path& executable_folder,
    const std::filesystem::path& data_from_executable,
    const std::filesystem::path& configured_data_folder);

// The same with the folders this build installs to.
std::vector<std::filesystem::path> DataFileFolders(const std::filesystem::path& executable_folder);

// The file `name` in the first of `folders` that holds it. When none does,
// the path beside the executable (the first folder): the program copes with
// a missing file, and what names the file then names the place it belongs.
std::filesystem::path LocateDataFile(const std::vector<std::filesystem::path>& folders,
                                     const std::string& name, const FileExists& exists);

// The same on the real file system.
std::filesystem::path LocateDataFile(const std::vector<std::filesystem::path>& folders,
                                     const std::string& name);

}  // namespace tolvik
