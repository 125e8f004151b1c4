#include "ProcessMemory.h"

#include <malloc.h>

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
  const struct mallinfo2 heap = mallinfo2();
  memory.HeapInUseKb = static_cast<long>((heap.uordblks + heap.hblkhd) / 1024);
  return memory;
}

}  // namespace tolvik
