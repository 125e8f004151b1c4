#pragma once

namespace tolvik {

// The process's resident memory as Linux reports it in /proc/self/status,
// and what of the heap is allocated: resident memory also holds freed
// blocks the allocator keeps, so a leak shows in the heap in use first.
struct ProcessMemory {
  long PeakKb = 0;       // VmHWM: the most resident at any time so far
  long ResidentKb = 0;   // VmRSS: resident now
  long HeapInUseKb = 0;  // allocated and not freed, glibc's mallinfo2
};

// Zeros where the file or a line is missing.
ProcessMemory ReadProcessMemory();

}  // namespace tolvik
