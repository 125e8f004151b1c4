#pragma once

namespace tolvik::fuzzing {

// A broken promise of the code under test: trapped, so the fuzzer keeps the
// input that broke it.
inline void Require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

}  // namespace tolvik::fuzzing
