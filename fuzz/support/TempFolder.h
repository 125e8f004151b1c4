#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <system_error>

namespace tolvik::fuzzing {

// A private folder below the system's temporary folder, made at the first
// use and removed with everything in it when the process ends. Harnesses
// that must hand the core a file write it here and nowhere else.
class TempFolder {
 public:
  static const std::filesystem::path& Path() {
    static TempFolder folder;
    return folder.path_;
  }

  // Replaces the content of `name` in the folder with `bytes`; its path.
  static std::filesystem::path Write(const std::string& name, std::span<const std::uint8_t> bytes) {
    const std::filesystem::path file = Path() / name;
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
    return file;
  }

  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

 private:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tolvik-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
      std::abort();  // nowhere safe to write: stop rather than write elsewhere
    }
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::filesystem::path path_;  // the folder made for this process
};

}  // namespace tolvik::fuzzing
