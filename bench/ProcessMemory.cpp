#include "ProcessMemory.h"

#include <fstream>
#include <sstream>
#include <string>

namespace tolvik {

ProcessMemory ReadProcessMemory() {
  ProcessMemory memory;
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    std::istringstream fields(line);
    std::string key;
    long kilobytes = 0;
    fields >> key >> kilobytes;
    if (key == "VmHWM:") {
      memory.PeakKb = kilobytes;
    } else if (key == "VmRSS:") {
      memory.ResidentKb = kilobytes;
    }
  }
  return memory;
}

}  // namespace tolvik
