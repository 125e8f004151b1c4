#pragma once

namespace tolvik {

// The process's resident memory as Linux reports it in /proc/self/status.
struct ProcessMemory {
  long PeakKb = 0;      // VmHWM: the most resident at any time so far
  long ResidentKb = 0;  // VmRSS: resident now
};

// Zeros where the file or a line is missing.
ProcessMemory ReadProcessMemory();

}  // namespace tolvik
