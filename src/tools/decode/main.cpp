// tolvik-decode: decodes DSC calls from recordings or a raw stream.
//
// Exit status: 0 when every input was read (calls found or not), 1 when an
// input could not be read (the others are still decoded), 2 for bad usage.

#include <cstdio>

#include "decode/DecodeOptions.h"
#include "decode/InputDecoder.h"

int main(int argc, char** argv) {
  const tolvik::ParsedCommandLine command_line = tolvik::ParseDecodeCommandLine(argc, argv);
  if (!command_line.options) {
    return command_line.exit_status;
  }
  const tolvik::DecodeOptions& options = *command_line.options;
  tolvik::InputDecoder decoder(options, stdout, stderr);
  int exit_status = 0;
  for (const std::string& file : options.files) {
    if (!decoder.Decode(file)) {
      exit_status = 1;
    }
  }
  return exit_status;
}
