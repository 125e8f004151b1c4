// tolvik-decode: decodes DSC calls from recordings or a raw stream.
//
// Exit status: 0 when every input was read (calls found or not), 1 when an
// input could not be read (the others are still decoded), 2 for bad usage,
// 128 + the signal's number after SIGINT or SIGTERM asked it to stop.
// Calls an MQTT broker did not take are counted on standard error but do
// not change the status: the decoding itself went well.

#include <cstdio>
#include <memory>
#include <string>

#include "base/UtcClock.h"
#include "decode/DecodeOptions.h"
#include "decode/InputDecoder.h"
#include "decode/StopRequest.h"
#include "outputs/CallObserverList.h"
#include "outputs/CsvCallFormat.h"
#include "outputs/DailyCallLog.h"
#include "outputs/FileSentenceWriter.h"
#include "outputs/JsonCallFormat.h"
#include "outputs/MqttCallOutput.h"
#include "outputs/MqttCredentials.h"
#include "outputs/MqttPublisher.h"
#include "outputs/MqttSettings.h"
#include "outputs/NmeaOutput.h"
#include "outputs/OutputError.h"
#include "outputs/StationName.h"
#include "outputs/TcpSentenceServer.h"
#include "outputs/UdpSentenceSender.h"

namespace {

constexpr int kUsageExitStatus = 2;
constexpr int kSignalExitStatusBase = 128;  // plus the signal's number, as shells report it

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

// The broker and topics of --mqtt, with the user and password from the
// credentials file or else the environment. Throws OutputError when those
// cannot be read.
tolvik::MqttSettings MqttSettingsFor(const tolvik::DecodeOptions& options) {
  tolvik::MqttSettings settings;
  settings.host = options.mqtt->host;
  settings.port = options.mqtt->port;
  settings.station = tolvik::StationName(options.mqtt_station);
  settings.topic_prefix = tolvik::TopicPrefixUnder(options.mqtt_topic, settings.station);
  settings.credentials = tolvik::MqttCredentialsFrom(options.mqtt_credentials);
  return settings;
}

void PrintMqttReport(const std::string& message) {
  std::fprintf(stderr, "tolvik-decode: %s\n", message.c_str());
  std::fflush(stderr);
}

// The publisher of --mqtt, kept for the whole run; it sends from a thread
// of its own, so that a broker that is slow or away never holds up the
// decoding.
struct MqttOutput {
  std::unique_ptr<tolvik::MqttPublisher> publisher;
  std::unique_ptr<tolvik::MqttCallOutput> output;
};

// False, with a message, when the settings cannot be read.
bool OpenMqttPublisher(const tolvik::DecodeOptions& options, MqttOutput& mqtt) {
  if (!options.mqtt) {
    return true;
  }
  try {
    mqtt.publisher =
        std::make_unique<tolvik::MqttPublisher>(MqttSettingsFor(options), PrintMqttReport);
  } catch (const tolvik::OutputError& error) {
    std::fprintf(stderr, "tolvik-decode: --mqtt: %s\n", error.what());
    return false;
  }
  return true;
}

// Each call as the object --json prints, where the decoder stands now.
void AddMqttOutput(MqttOutput& mqtt, const tolvik::InputDecoder& decoder,
                   tolvik::CallObserverList& outputs) {
  if (!mqtt.publisher) {
    return;
  }
  mqtt.output = std::make_unique<tolvik::MqttCallOutput>(
      *mqtt.publisher, [&decoder](const tolvik::WrittenCall& call) {
        return tolvik::JsonCallFormat::Dump(
            tolvik::JsonCallFormat::Object(call, decoder.RowContext()));
      });
  outputs.Add(*mqtt.output);
}

// Gives the broker a moment for what is still queued, and counts what it
// did not take.
void FinishMqtt(MqttOutput& mqtt) {
  if (!mqtt.publisher) {
    return;
  }
  const std::size_t undelivered = mqtt.publisher->Stop();
  if (undelivered == 0) {
    return;
  }
  const tolvik::MqttSettings& settings = mqtt.publisher->Settings();
  std::fprintf(stderr,
               "tolvik-decode: %zu %s not delivered to the MQTT broker %s:%d within %lld s of "
               "the end of the input\n",
               undelivered, undelivered == 1 ? "call was" : "calls were", settings.host.c_str(),
               settings.port,
               static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(
                                          tolvik::MqttPublisher::kDrainOnStop)
                                          .count()));
}

}  // namespace

int main(int argc, char** argv) {
  const tolvik::ParsedCommandLine command_line = tolvik::ParseDecodeCommandLine(argc, argv);
  if (!command_line.options) {
    return command_line.exit_status;
  }
  const tolvik::DecodeOptions& options = *command_line.options;
  tolvik::HoldStopSignals();
  NmeaOutputs nmea;
  if (!OpenNmeaOutputs(options, nmea)) {
    return kUsageExitStatus;
  }
  MqttOutput mqtt;
  if (!OpenMqttPublisher(options, mqtt)) {
    return kUsageExitStatus;
  }
  CallLogOutput call_log;
  OpenCallLog(options, call_log);
  // Told after each row is printed: NMEA, MQTT, the log.
  tolvik::CallObserverList outputs;
  tolvik::InputDecoder decoder(options, stdout, stderr, &outputs);
  if (nmea.output.HasSinks()) {
    outputs.Add(nmea.output);
  }
  AddMqttOutput(mqtt, decoder, outputs);
  if (call_log.log) {
    outputs.Add(*call_log.log);
  }
  tolvik::InstallStopHandlers();
  int exit_status = 0;
  for (const std::string& file : options.files) {
    if (tolvik::StopRequested()) {
      break;
    }
    if (!decoder.Decode(file)) {
      exit_status = 1;
    }
  }
  FinishMqtt(mqtt);
  if (tolvik::StopRequested()) {
    return kSignalExitStatusBase + tolvik::StopSignal();
  }
  return exit_status;
}
