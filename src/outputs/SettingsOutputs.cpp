#include "outputs/SettingsOutputs.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "outputs/CsvCallFormat.h"
#include "outputs/JsonCallFormat.h"
#include "outputs/MqttCredentials.h"
#include "outputs/OutputError.h"
#include "outputs/StationName.h"

namespace tolvik {

namespace {

constexpr const char* kProblemSeparator = "  ";

std::string UdpName(const std::string& host, int port) {
  return "NMEA over UDP to " + host + ":" + std::to_string(port);
}

std::string TcpName(int port) {
  return "NMEA over TCP on port " + std::to_string(port);
}

std::string MqttName(const std::string& host, int port) {
  return "MQTT to " + host + ":" + std::to_string(port);
}

bool IsFinished(const std::future<void>& stop) {
  return stop.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

}  // namespace

SettingsOutputs::SettingsOutputs(const AppSettings& settings, StatusTextSink& status,
                                 std::filesystem::path default_log_folder,
                                 UdpHostLookup::Resolver resolve_udp_host)
    : settings_(settings),
      status_(status),
      default_log_folder_(std::move(default_log_folder)),
      resolve_udp_host_(std::move(resolve_udp_host)) {}

SettingsOutputs::~SettingsOutputs() {
  mqtt_output_.reset();
  mqtt_.reset();  // waits for its drain, as the retired ones are waited for
  for (std::future<void>& stop : retiring_publishers_) {
    stop.wait();
  }
}

void SettingsOutputs::Start() {
  FollowAll(false);
}

void SettingsOutputs::FollowSettings() {
  FollowAll(true);
}

std::filesystem::path SettingsOutputs::LogFolder() const {
  return settings_.LogFolder.empty() ? default_log_folder_
                                     : std::filesystem::path(settings_.LogFolder);
}

void SettingsOutputs::ShowOutputReports() {
  if (udp_lookup_ && udp_lookup_->Finished()) {
    FinishNmeaUdpLookup();
  }
  if (!mqtt_reports_.Waiting()) {
    return;
  }
  for (const OutputReports::Report& report : mqtt_reports_.Take()) {
    // A retired publisher's last words are about settings gone.
    if (report.sender == mqtt_generation_) {
      status_.ShowStatusText(StatusPanel::Decoder, report.text);
    }
  }
}

void SettingsOutputs::FollowAll(bool announce_changes) {
  std::optional<std::string> change;
  FollowNmeaUdp(change, announce_changes);
  FollowNmeaTcp(change);
  FollowMqtt(change);
  FollowLog(change);
  if (!change) {
    return;  // nothing re-made: the panel keeps what it shows
  }
  RebuildObservers();
  ShowChangeOrProblems(*change, announce_changes);
}

void SettingsOutputs::ShowChangeOrProblems(const std::string& change, bool announce_changes) {
  // An output that stays closed outweighs any news of success, whichever
  // output was changed: it is what the user must act on.
  const std::string problems = StandingProblems();
  if (!problems.empty()) {
    status_.ShowStatusText(StatusPanel::Decoder, problems);
  } else if (announce_changes) {
    status_.ShowStatusText(StatusPanel::Decoder, change);
  }
}

std::string SettingsOutputs::StandingProblems() const {
  std::string text;
  for (const std::optional<std::string>* problem : {&udp_problem_, &tcp_problem_, &mqtt_problem_}) {
    if (*problem) {
      text += (text.empty() ? "" : kProblemSeparator) + **problem;
    }
  }
  return text;
}

void SettingsOutputs::FollowNmeaUdp(std::optional<std::string>& change, bool announce_changes) {
  const NmeaUdpTarget wanted{settings_.NmeaUdp, settings_.NmeaUdpHost, settings_.NmeaUdpPort};
  if (udp_made_from_ == wanted) {
    return;
  }
  udp_made_from_ = wanted;
  udp_problem_.reset();
  // A lookup still running is for settings gone: its answer must not open
  // the old target.
  udp_lookup_.reset();
  nmea_ = NmeaOutput();  // before the sender it points at goes
  udp_.reset();
  const std::string name = UdpName(wanted.host, wanted.port);
  change = wanted.on ? name : name + " off";
  if (!wanted.on) {
    return;
  }
  if (const std::optional<UdpPeer> numeric = NumericUdpPeer(wanted.host, wanted.port)) {
    OpenNmeaUdp(name, *numeric);
    return;
  }
  udp_lookup_ = std::make_unique<UdpHostLookup>(wanted.host, wanted.port, resolve_udp_host_);
  announce_udp_lookup_ = announce_changes;
  change = name + ": looking up " + wanted.host;
}

void SettingsOutputs::OpenNmeaUdp(const std::string& name, const UdpPeer& peer) {
  try {
    udp_ = std::make_unique<UdpSentenceSender>(peer);
  } catch (const OutputError& error) {
    udp_problem_ = name + ": " + error.what();
  }
}

void SettingsOutputs::FinishNmeaUdpLookup() {
  const std::unique_ptr<UdpHostLookup> lookup = std::move(udp_lookup_);
  const std::string name = UdpName(udp_made_from_->host, udp_made_from_->port);
  if (const std::optional<UdpPeer>& peer = lookup->Peer()) {
    OpenNmeaUdp(name, *peer);
  } else {
    udp_problem_ = name + ": " + lookup->Problem();
  }
  RebuildObservers();
  ShowChangeOrProblems(name, announce_udp_lookup_);
}

void SettingsOutputs::FollowNmeaTcp(std::optional<std::string>& change) {
  const NmeaTcpTarget wanted{settings_.NmeaTcp, settings_.NmeaTcpPort};
  if (tcp_made_from_ == wanted) {
    return;
  }
  tcp_made_from_ = wanted;
  tcp_problem_.reset();
  nmea_ = NmeaOutput();
  // The old server goes first: a server moved back to a port it had
  // before finds it free.
  tcp_.reset();
  const std::string name = TcpName(wanted.port);
  change = wanted.on ? name : name + " off";
  if (!wanted.on) {
    return;
  }
  try {
    tcp_ = std::make_unique<TcpSentenceServer>(wanted.port);
  } catch (const OutputError& error) {
    tcp_problem_ = name + ": " + error.what();
  }
}

void SettingsOutputs::FollowMqtt(std::optional<std::string>& change) {
  const MqttTarget wanted{settings_.MqttOn, settings_.MqttHost, settings_.MqttPort,
                          settings_.MqttStation, settings_.MqttCredentials};
  if (mqtt_made_from_ == wanted) {
    return;
  }
  mqtt_made_from_ = wanted;
  mqtt_problem_.reset();
  RetireMqtt();
  const std::string name = MqttName(wanted.host, wanted.port);
  change = wanted.on ? name : name + " off";
  if (!wanted.on) {
    return;
  }
  const int generation = ++mqtt_generation_;
  const auto report = [this, generation, name](const std::string& text) {
    mqtt_reports_.Post(generation, name + ": " + text);
  };
  try {
    mqtt_ = std::make_unique<MqttPublisher>(MqttSettingsFor(wanted), report);
  } catch (const OutputError& error) {
    mqtt_problem_ = name + ": " + error.what();
    return;
  }
  mqtt_output_ = std::make_unique<MqttCallOutput>(*mqtt_, [this](const WrittenCall& call) {
    return JsonCallFormat::Dump(
        JsonCallFormat::Object(call, {IsoUtcText(utc_clock_.Now()), {}, {}}));
  });
}

MqttSettings SettingsOutputs::MqttSettingsFor(const MqttTarget& wanted) const {
  if (wanted.host.empty()) {
    throw OutputError("no broker host is set");
  }
  MqttSettings settings;
  settings.host = wanted.host;
  settings.port = wanted.port;
  settings.station = StationName(wanted.station);
  if (const auto problem = StationNameProblem(settings.station)) {
    throw OutputError(*problem);
  }
  settings.credentials = MqttCredentialsFrom(
      wanted.credentials.empty() ? std::nullopt : std::optional<std::string>(wanted.credentials));
  return settings;
}

void SettingsOutputs::RetireMqtt() {
  mqtt_output_.reset();
  if (!mqtt_) {
    return;
  }
  ++mqtt_generation_;  // what it still reports is about settings gone
  std::erase_if(retiring_publishers_, IsFinished);
  retiring_publishers_.push_back(
      std::async(std::launch::async, [publisher = std::move(mqtt_)] { publisher->Stop(); }));
}

void SettingsOutputs::FollowLog(std::optional<std::string>& change) {
  const LogTarget wanted{settings_.LogOn, LogFolder(), settings_.LogFormat};
  if (log_made_from_ == wanted) {
    return;
  }
  log_made_from_ = wanted;
  log_.reset();  // before the format it writes in goes
  log_format_.reset();
  const std::string name = "Call log in " + wanted.folder.string();
  change = wanted.on ? name : name + " off";
  if (!wanted.on) {
    return;
  }
  if (wanted.format == kLogFormatJsonLines) {
    log_format_ = std::make_unique<JsonCallFormat>();
  } else {
    log_format_ = std::make_unique<CsvCallFormat>();
  }
  // A folder that cannot be written is told at the first row, and tried
  // again at every row after it.
  CallLogProblemSink& problems = *this;
  log_ = std::make_unique<DailyCallLog>(wanted.folder, *log_format_, utc_clock_, problems);
}

void SettingsOutputs::ReportCallLogProblem(const std::string& message) {
  status_.ShowStatusText(StatusPanel::Decoder, message);
}

void SettingsOutputs::RebuildObservers() {
  nmea_ = NmeaOutput();
  if (udp_) {
    nmea_.AddSink(*udp_);
  }
  if (tcp_) {
    nmea_.AddSink(*tcp_);
  }
  observers_.Clear();
  if (nmea_.HasSinks()) {
    observers_.Add(nmea_);
  }
  if (mqtt_output_) {
    observers_.Add(*mqtt_output_);
  }
  if (log_) {
    observers_.Add(*log_);
  }
}

}  // namespace tolvik
