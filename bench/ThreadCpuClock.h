#pragma once

#include <time.h>

namespace tolvik {

// CPU seconds the calling thread has used: what a measurement on a machine
// shared with other jobs should count, rather than the wall clock.
inline double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace tolvik
