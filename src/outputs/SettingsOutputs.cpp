#include "outputs/SettingsOutputs.h"

#include <utility>

#include "outputs/OutputError.h"

namespace tolvik {

namespace {

constexpr const char* kProblemSeparator = "  ";

std::string UdpName(const std::string& host, int port) {
  return "NMEA over UDP to " + host + ":" + std::to_string(port);
}

std::string TcpName(int port) {
  return "NMEA over TCP on port " + std::to_string(port);
}

}  // namespace

SettingsOutputs::SettingsOutputs(const AppSettings& settings, StatusTextSink& status,
                                 std::filesystem::path default_log_folder)
    : settings_(settings), status_(status), default_log_folder_(std::move(default_log_folder)) {}

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

void SettingsOutputs::FollowAll(bool announce_changes) {
  Outcome outcome;
  FollowNmeaUdp(outcome);
  FollowNmeaTcp(outcome);
  FollowMqtt(outcome);
  FollowLog(outcome);
  RebuildObservers();

  // A problem outweighs any news of success: it is what the user must act on.
  if (!outcome.problems.empty()) {
    std::string text;
    for (const std::string& problem : outcome.problems) {
      text += (text.empty() ? "" : kProblemSeparator) + problem;
    }
    status_.ShowStatusText(StatusPanel::Decoder, text);
  } else if (announce_changes && outcome.last_change) {
    status_.ShowStatusText(StatusPanel::Decoder, *outcome.last_change);
  }
}

void SettingsOutputs::FollowNmeaUdp(Outcome& outcome) {
  const NmeaUdpTarget wanted{settings_.NmeaUdp, settings_.NmeaUdpHost, settings_.NmeaUdpPort};
  if (udp_made_from_ == wanted) {
    return;
  }
  udp_made_from_ = wanted;
  nmea_ = NmeaOutput();  // before the sender it points at goes
  udp_.reset();
  const std::string name = UdpName(wanted.host, wanted.port);
  if (!wanted.on) {
    outcome.last_change = name + " off";
    return;
  }
  try {
    udp_ = std::make_unique<UdpSentenceSender>(wanted.host, wanted.port);
    outcome.last_change = name;
  } catch (const OutputError& error) {
    outcome.problems.push_back(name + ": " + error.what());
  }
}

void SettingsOutputs::FollowNmeaTcp(Outcome& outcome) {
  const NmeaTcpTarget wanted{settings_.NmeaTcp, settings_.NmeaTcpPort};
  if (tcp_made_from_ == wanted) {
    return;
  }
  tcp_made_from_ = wanted;
  nmea_ = NmeaOutput();
  // The old server goes first: a server moved back to a port it had
  // before finds it free.
  tcp_.reset();
  const std::string name = TcpName(wanted.port);
  if (!wanted.on) {
    outcome.last_change = name + " off";
    return;
  }
  try {
    tcp_ = std::make_unique<TcpSentenceServer>(wanted.port);
    outcome.last_change = name;
  } catch (const OutputError& error) {
    outcome.problems.push_back(name + ": " + error.what());
  }
}

// The MQTT publisher is made here, from `wanted`, once it exists; until
// then the settings are only remembered.
void SettingsOutputs::FollowMqtt(Outcome&) {
  const MqttTarget wanted{settings_.MqttOn, settings_.MqttHost, settings_.MqttPort,
                          settings_.MqttStation, settings_.MqttCredentials};
  if (mqtt_made_from_ == wanted) {
    return;
  }
  mqtt_made_from_ = wanted;
}

// The daily log is opened here, in LogFolder(), from `wanted`, once it
// exists; until then the settings are only remembered.
void SettingsOutputs::FollowLog(Outcome&) {
  const LogTarget wanted{settings_.LogOn, LogFolder(), settings_.LogFormat};
  if (log_made_from_ == wanted) {
    return;
  }
  log_made_from_ = wanted;
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
  // The MQTT publisher and the daily log follow here, in that order.
}

}  // namespace tolvik
