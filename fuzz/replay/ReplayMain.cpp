// Runs a fuzz target's harness over saved inputs without libFuzzer, so that
// the normal build checks the corpus (every seed and every input that once
// found a fault) at each test run.
//
//   tolvik_replay_NAME FILE_OR_FOLDER...
//
// A folder stands for the files in it, in name order. A harness that traps
// or aborts ends the run with that signal; otherwise the exit status is 0
// once every input has passed, and 1 when an input could not be read.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::filesystem::path> InputFiles(const std::filesystem::path& argument) {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(argument)) {
    files.push_back(argument);
    return files;
  }
  for (const auto& entry : std::filesystem::directory_iterator(argument)) {
    if (entry.is_regular_file()) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool Replay(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  if (!stream) {
    std::cerr << "cannot read " << file << "\n";
    return false;
  }
  const std::vector<char> bytes((std::istreambuf_iterator<char>(stream)),
                                std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  bool all_read = true;
  for (int i = 1; i < argc; ++i) {
    for (const auto& file : InputFiles(argv[i])) {
      all_read = Replay(file) && all_read;
      ++replayed;
    }
  }
  std::cout << replayed << " inputs replayed\n";
  return all_read && replayed > 0 ? 0 : 1;
}
