// tolvik-decode: decodes DSC calls from recordings or a raw stream.
//
// Exit status: 0 when every input was read (calls found or not), 1 when an
// input could not be read (the others are still decoded), 2 for bad usage.

#include <cstdio>
#include <memory>
#include <string>

#include "base/UtcClock.h"
#include "decode/DecodeOptions.h"
#include "decode/InputDecoder.h"
#include "outputs/CallObserverList.h"
#include "outputs/CsvCallFormat.h"
#include "outputs/DailyCallLog.h"
#include "outputs/FileSentenceWriter.h"
#include "outputs/JsonCallFormat.h"
#include "outputs/NmeaOutput.h"
#include "outputs/OutputError.h"
#include "outputs/TcpSentenceServer.h"
#include "outputs/UdpSentenceSender.h"

namespace {

constexpr int kUsageExitStatus = 2;

// The NMEA outputs the options ask for, kept for the whole run so that
// network peers see one stream across every input.
struct NmeaOutputs {
  std::unique_ptr<tolvik::FileSentenceWriter> standard_output;
  std::unique_ptr<tolvik::UdpSentenceSender> udp;
  std::unique_ptr<tolvik::TcpSentenceServer> tcp;
  tolvik::NmeaOutput output;
};

// False, with a message, when an output cannot be set up.
bool OpenNmeaOutputs(const tolvik::DecodeOptions& options, NmeaOutputs& outputs) {
  if (options.nmea) {
    outputs.standard_output = std::make_unique<tolvik::FileSentenceWriter>(stdout);
    outputs.output.AddSink(*outputs.standard_output);
  }
  try {
    if (options.nmea_udp) {
      outputs.udp = std::make_unique<tolvik::UdpSentenceSender>(options.nmea_udp->host,
                                                                options.nmea_udp->port);
      outputs.output.AddSink(*outputs.udp);
    }
  } catch (const tolvik::OutputError& error) {
    std::fprintf(stderr, "tolvik-decode: --nmea-udp: %s\n", error.what());
    return false;
  }
  try {
    if (options.nmea_tcp_port) {
      outputs.tcp = std::make_unique<tolvik::TcpSentenceServer>(*options.nmea_tcp_port);
      outputs.output.AddSink(*outputs.tcp);
      std::fprintf(stderr, "tolvik-decode: NMEA sentences on TCP port %d\n", outputs.tcp->Port());
      std::fflush(stderr);
    }
  } catch (const tolvik::OutputError& error) {
    std::fprintf(stderr, "tolvik-decode: --nmea-tcp: %s\n", error.what());
    return false;
  }
  return true;
}

// Problems of the daily log, on standard error; the decoding goes on.
class StandardErrorLogProblems final : public tolvik::CallLogProblemSink {
 public:
  void ReportCallLogProblem(const std::string& message) override {
    std::fprintf(stderr, "tolvik-decode: %s\n", message.c_str());
    std::fflush(stderr);
  }
  void CallLogWritingAgain() override {
    std::fprintf(stderr, "tolvik-decode: the call log is written again\n");
    std::fflush(stderr);
  }
};

// The daily call log of --log-dir, kept for the whole run.
struct CallLogOutput {
  std::unique_ptr<tolvik::CallRecordFormat> format;
  tolvik::SystemUtcClock clock;
  StandardErrorLogProblems problems;
  std::unique_ptr<tolvik::DailyCallLog> log;
};

void OpenCallLog(const tolvik::DecodeOptions& options, CallLogOutput& output) {
  if (!options.log_dir) {
    return;
  }
  if (options.log_format == tolvik::LogFormat::Json) {
    output.format = std::make_unique<tolvik::JsonCallFormat>();
  } else {
    output.format = std::make_unique<tolvik::CsvCallFormat>();
  }
  output.log = std::make_unique<tolvik::DailyCallLog>(*options.log_dir, *output.format,
                                                      output.clock, output.problems);
}

}  // namespace

int main(int argc, char** argv) {
  const tolvik::ParsedCommandLine command_line = tolvik::ParseDecodeCommandLine(argc, argv);
  if (!command_line.options) {
    return command_line.exit_status;
  }
  const tolvik::DecodeOptions& options = *command_line.options;
  NmeaOutputs nmea;
  if (!OpenNmeaOutputs(options, nmea)) {
    return kUsageExitStatus;
  }
  CallLogOutput call_log;
  OpenCallLog(options, call_log);
  tolvik::CallObserverList outputs;
  if (nmea.output.HasSinks()) {
    outputs.Add(nmea.output);
  }
  if (call_log.log) {
    outputs.Add(*call_log.log);
  }
  tolvik::InputDecoder decoder(options, stdout, stderr, outputs.IsEmpty() ? nullptr : &outputs);
  int exit_status = 0;
  for (const std::string& file : options.files) {
    if (!decoder.Decode(file)) {
      exit_status = 1;
    }
  }
  return exit_status;
}
