#pragma once

#include <filesystem>

namespace tolvik {

// Where the daily log goes while no folder is chosen: "tolvik-logs" in the
// user's documents folder (the desktop's own, ~/Documents on most), where
// a spreadsheet's file dialog looks first; in the home folder when the
// system names no documents folder.
std::filesystem::path DefaultLogFolder();

}  // namespace tolvik
