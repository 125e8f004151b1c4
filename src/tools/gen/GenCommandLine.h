#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "gen/CallDescription.h"
#include "gen/SignalGenerator.h"

namespace tolvik {

// What the user asked tolvik-gen for.
struct GenOptions {
  std::vector<CallDescription> calls;  // those of --calls, then every --call
  SignalOptions signal;
  int channels = 1;    // of the file: stereo carries the signal on both
  std::string output;  // the WAV file to write
};

// Options to run with, or an exit status to leave with at once (0 after
// --help, 2 for bad usage or a bad call description).
struct ParsedGenCommandLine {
  std::optional<GenOptions> options;
  int exit_status = 0;
};

// Help goes to `out`, errors (one line each) to `err`.
ParsedGenCommandLine ParseGenCommandLine(int argc, const char* const* argv, std::ostream& out,
                                         std::ostream& err);

}  // namespace tolvik
