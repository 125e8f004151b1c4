#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "base/StatusTextSink.h"
#include "base/UtcClock.h"
#include "outputs/CallLogProblemSink.h"
#include "outputs/CallObserverList.h"
#include "outputs/CallRecordFormat.h"
#include "outputs/DailyCallLog.h"
#include "outputs/NmeaOutput.h"
#include "outputs/TcpSentenceServer.h"
#include "outputs/UdpSentenceSender.h"
#include "settings/AppSettings.h"

namespace tolvik {

// The outputs the [Outputs] settings ask for, behind one call observer for
// the receiver: NMEA sentences over UDP and over TCP, MQTT messages and the
// daily log. Each output remembers the settings it was made from and is
// re-made only when they differ, so that a field left without a change
// neither drops the plotters connected over TCP nor reopens anything.
//
// An output that cannot be made (a host that does not resolve, a port that
// is taken) is reported in status panel 0 and stays closed; the others run
// on. Trying the same settings again takes a change, such as switching the
// output off and on.
//
// Everything here runs on the decoding thread (in the desktop program its
// main thread), between blocks: no call is being told while an output is
// replaced. Making an output may wait a moment (a host name to resolve, a
// TCP server giving its clients what is queued); sending never waits.
class SettingsOutputs final : private CallLogProblemSink {
 public:
  // `default_log_folder` is where the log goes while LogFolder is empty.
  // The settings are read at every FollowSettings; both must outlive this.
  SettingsOutputs(const AppSettings& settings, StatusTextSink& status,
                  std::filesystem::path default_log_folder);

  SettingsOutputs(const SettingsOutputs&) = delete;
  SettingsOutputs& operator=(const SettingsOutputs&) = delete;

  // What the receiver is given: every output that is open, in the order
  // NMEA, MQTT, log.
  CallObserver& Observer() { return observers_; }

  // Makes every output that is on. Only problems are shown.
  void Start();
  // Re-makes each output whose settings have changed since it was made.
  // After a change the status panel names every output that is on but
  // could not be made, or else confirms the last change; when nothing
  // changed it is left alone.
  void FollowSettings();

  // What is open now.
  const UdpSentenceSender* NmeaUdpSender() const { return udp_.get(); }
  const TcpSentenceServer* NmeaTcpServer() const { return tcp_.get(); }
  const DailyCallLog* CallLog() const { return log_.get(); }
  // Where the daily log goes: LogFolder, or the default while it is empty.
  std::filesystem::path LogFolder() const;
  const std::filesystem::path& DefaultLogFolder() const { return default_log_folder_; }

 private:
  struct NmeaUdpTarget {
    bool on;
    std::string host;
    int port;
    bool operator==(const NmeaUdpTarget&) const = default;
  };
  struct NmeaTcpTarget {
    bool on;
    int port;
    bool operator==(const NmeaTcpTarget&) const = default;
  };
  struct MqttTarget {
    bool on;
    std::string host;
    int port;
    std::string station;
    std::string credentials;
    bool operator==(const MqttTarget&) const = default;
  };
  struct LogTarget {
    bool on;
    std::filesystem::path folder;
    int format;
    bool operator==(const LogTarget&) const = default;
  };

  void FollowAll(bool announce_changes);
  // Each re-makes its output when its settings differ from those it was
  // made from, and then says so in `change`.
  void FollowNmeaUdp(std::optional<std::string>& change);
  void FollowNmeaTcp(std::optional<std::string>& change);
  void FollowMqtt(std::optional<std::string>& change);
  void FollowLog(std::optional<std::string>& change);
  // Why each output that is on but closed could not be made, or "".
  std::string StandingProblems() const;
  // The NMEA sinks and the observer list again from the open outputs.
  void RebuildObservers();

  // CallLogProblemSink: the log's trouble shows where the others' does.
  void ReportCallLogProblem(const std::string& message) override;

  const AppSettings& settings_;
  StatusTextSink& status_;
  std::filesystem::path default_log_folder_;

  std::optional<NmeaUdpTarget> udp_made_from_;  // none before the first pass
  std::optional<NmeaTcpTarget> tcp_made_from_;
  std::optional<MqttTarget> mqtt_made_from_;
  std::optional<LogTarget> log_made_from_;

  std::optional<std::string> udp_problem_;  // why udp_ could not be made
  std::optional<std::string> tcp_problem_;
  std::unique_ptr<UdpSentenceSender> udp_;        // open while NMEA over UDP is on
  std::unique_ptr<TcpSentenceServer> tcp_;        // open while the TCP server is on
  NmeaOutput nmea_;                               // the call as sentences to udp_ and tcp_
  SystemUtcClock log_clock_;                      // the day of each logged row
  std::unique_ptr<CallRecordFormat> log_format_;  // CSV or JSON lines, while the log is on
  std::unique_ptr<DailyCallLog> log_;             // open while the log is on
  CallObserverList observers_;                    // what the receiver tells
};

}  // namespace tolvik
