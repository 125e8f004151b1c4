// tolvik-gen: writes a WAV file of DSC calls.
//
// Exit status: 0 when the file was written (clipping only warns), 1 when it
// could not be written, 2 for bad usage or a bad call description.

#include <cstdio>
#include <iostream>
#include <stdexcept>

#include "gen/GenCommandLine.h"
#include "gen/SignalGenerator.h"
#include "gen/WavWriter.h"

namespace {

constexpr int kWriteFailedExitStatus = 1;
constexpr int kUsageExitStatus = 2;

void PrintSummary(const tolvik::GenOptions& options, const tolvik::GeneratedSignal& signal) {
  for (std::size_t i = 0; i < signal.Calls.size(); ++i) {
    const tolvik::CallPlacement& placement = signal.Calls[i];
    std::printf("call %zu: %.3f s to %.3f s, %d bits: %s\n", i + 1, placement.StartS,
                placement.EndS, placement.Bits, options.calls[i].Text.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const tolvik::ParsedGenCommandLine command_line =
      tolvik::ParseGenCommandLine(argc, argv, std::cout, std::cerr);
  if (!command_line.options) {
    return command_line.exit_status;
  }
  const tolvik::GenOptions& options = *command_line.options;
  tolvik::GeneratedSignal signal;
  std::size_t clipped = 0;
  try {
    signal = tolvik::GenerateSignalWithPlacements(options.calls, options.signal);
    clipped = tolvik::WriteWav(options.output, signal.Samples, options.signal.SampleRateHz,
                               options.channels);
  } catch (const std::invalid_argument& error) {
    std::fprintf(stderr, "tolvik-gen: %s\n", error.what());
    return kUsageExitStatus;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tolvik-gen: %s\n", error.what());
    return kWriteFailedExitStatus;
  }
  PrintSummary(options, signal);
  if (clipped > 0) {
    std::fprintf(stderr,
                 "tolvik-gen: warning: %zu samples clipped; lower --amplitude or raise --ebn0\n",
                 clipped);
  }
  return 0;
}
