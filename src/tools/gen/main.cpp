// tolvik-gen: writes a WAV file of DSC calls.
//
// Exit status: 0 when the file was written (clipping only warns), 1 when it
// could not be written, 2 for bad usage or a bad call description.

#include <sys/stat.h>

#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "gen/GenCommandLine.h"
#include "gen/SignalStream.h"
#include "gen/WavWriter.h"

namespace {

constexpr int kWriteFailedExitStatus = 1;
constexpr int kUsageExitStatus = 2;
constexpr std::size_t kSamplesPerWrite = 8192;

// Whether the report may go to standard output: only when the audio goes
// to a regular file (or one still to be made) other than standard output's
// own. "-", /dev/stdout, a pipe or a terminal carry the audio itself.
bool ReportFitsOnStandardOutput(const std::string& path) {
  if (path == "-") {
    return false;
  }
  struct stat output {};
  if (stat(path.c_str(), &output) != 0) {
    return true;
  }
  struct stat standard_output {};
  const bool same_as_standard_output = fstat(fileno(stdout), &standard_output) == 0 &&
                                       output.st_dev == standard_output.st_dev &&
                                       output.st_ino == standard_output.st_ino;
  return S_ISREG(output.st_mode) && !same_as_standard_output;
}

void PrintSummary(std::FILE* report, const tolvik::GenOptions& options,
                  const std::vector<tolvik::CallPlacement>& placements) {
  for (std::size_t i = 0; i < placements.size(); ++i) {
    const tolvik::CallPlacement& placement = placements[i];
    std::fprintf(report, "call %zu: %.3f s to %.3f s, %d bits: %s\n", i + 1, placement.StartS,
                 placement.EndS, placement.Bits, options.calls[i].Text.c_str());
  }
}

// Makes the signal piece by piece and writes each piece at once: nothing
// grows with the length of the file. Returns the samples clipped.
std::size_t WriteSignal(const tolvik::GenOptions& options, tolvik::SignalStream& signal) {
  const int rate = options.signal.SampleRateHz;
  if (signal.TotalSamples() > tolvik::LargestWavFrames(options.channels)) {
    char message[200];
    std::snprintf(message, sizeof message,
                  "the signal would be %.0f s long; a 16-bit WAV file of %d channel(s) at %d Hz "
                  "holds at most %.0f s (4 GiB)",
                  static_cast<double>(signal.TotalSamples()) / rate, options.channels, rate,
                  static_cast<double>(tolvik::LargestWavFrames(options.channels)) / rate);
    throw std::invalid_argument(message);
  }
  tolvik::WavStreamWriter writer(options.output, rate, options.channels, signal.TotalSamples());
  std::vector<double> samples(kSamplesPerWrite);
  while (const std::size_t count = signal.Read(samples)) {
    writer.Write(std::span<const double>(samples).first(count));
  }
  writer.Finish();
  return writer.ClippedSamples();
}

}  // namespace

int main(int argc, char** argv) {
  const tolvik::ParsedGenCommandLine command_line =
      tolvik::ParseGenCommandLine(argc, argv, std::cout, std::cerr);
  if (!command_line.options) {
    return command_line.exit_status;
  }
  const tolvik::GenOptions& options = *command_line.options;
  std::FILE* const report = ReportFitsOnStandardOutput(options.output) ? stdout : stderr;
  std::size_t clipped = 0;
  std::vector<tolvik::CallPlacement> placements;
  try {
    tolvik::SignalStream signal(options.calls, options.signal);
    placements = signal.Calls();
    clipped = WriteSignal(options, signal);
  } catch (const std::invalid_argument& error) {
    std::fprintf(stderr, "tolvik-gen: %s\n", error.what());
    return kUsageExitStatus;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tolvik-gen: %s\n", error.what());
    return kWriteFailedExitStatus;
  }
  PrintSummary(report, options, placements);
  if (clipped > 0) {
    std::fprintf(stderr,
                 "tolvik-gen: warning: %zu samples clipped; lower --amplitude or raise --ebn0\n",
                 clipped);
  }
  return 0;
}
