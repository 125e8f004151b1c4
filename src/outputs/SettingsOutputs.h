#pragma once

#include <filesystem>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/StatusTextSink.h"
#include "base/UtcClock.h"
#include "outputs/CallLogProblemSink.h"
#include "outputs/CallObserverList.h"
#include "outputs/CallRecordFormat.h"
#include "outputs/DailyCallLog.h"
#include "outputs/MqttCallOutput.h"
#include "outputs/MqttPublisher.h"
#include "outputs/NmeaOutput.h"
#include "outputs/OutputReports.h"
#include "outputs/TcpSentenceServer.h"
#include "outputs/UdpHostLookup.h"
#include "outputs/UdpPeer.h"
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
// replaced. Nothing here waits for a name server. NMEA over UDP to an
// address in numbers opens at once; to a host name it stays closed while
// the name is looked up on a thread of its own, and ShowOutputReports opens
// it once the answer is in. A lookup overtaken by a newer setting is
// dropped, and its answer never opens the old target. Making the TCP server
// may wait a moment (its clients being given what is queued); sending
// never waits. The MQTT publisher resolves its broker and talks to it from
// a thread of its own: what it has to report waits for ShowOutputReports,
// and a publisher that is replaced is given its moment to deliver what it
// holds on another thread.
class SettingsOutputs final : private CallLogProblemSink {
 public:
  // `default_log_folder` is where the log goes while LogFolder is empty.
  // The settings are read at every FollowSettings; both must outlive this.
  // `resolve_udp_host` finds NMEA over UDP's host when it is a name.
  SettingsOutputs(const AppSettings& settings, StatusTextSink& status,
                  std::filesystem::path default_log_folder,
                  UdpHostLookup::Resolver resolve_udp_host = ResolveUdpPeer);
  // Gives the MQTT broker its moment (MqttPublisher::kDrainOnStop, and
  // longer while the publisher's thread is still waiting for the broker's
  // name to resolve) for the calls still queued and the "offline" status.
  // A host name for UDP still being looked up is not waited for.
  ~SettingsOutputs() override;

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
  // Opens NMEA over UDP once its host name is found, and shows in status
  // panel 0 what that changed, or why it stays closed, as FollowSettings
  // would; then what the MQTT publisher has reported since the last time (a
  // broker lost, found again, refusing). Cheap when there is nothing: the
  // decoding thread calls it after every block.
  void ShowOutputReports();

  // What is open now.
  const UdpSentenceSender* NmeaUdpSender() const { return udp_.get(); }
  // Whether NMEA over UDP waits for its host name to be found.
  bool LookingUpNmeaUdpHost() const { return udp_lookup_ != nullptr; }
  const TcpSentenceServer* NmeaTcpServer() const { return tcp_.get(); }
  const DailyCallLog* CallLog() const { return log_.get(); }
  const MqttPublisher* Mqtt() const { return mqtt_.get(); }
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
  // After outputs were re-made: the standing problems, or else `change`
  // when changes are announced.
  void ShowChangeOrProblems(const std::string& change, bool announce_changes);
  // Each re-makes its output when its settings differ from those it was
  // made from, and then says so in `change`. A host name for UDP is looked
  // up first; its change is shown once it is found, if `announce_changes`.
  void FollowNmeaUdp(std::optional<std::string>& change, bool announce_changes);
  // The UDP sender to `peer`, or why not in udp_problem_.
  void OpenNmeaUdp(const std::string& name, const UdpPeer& peer);
  // NMEA over UDP from the finished lookup.
  void FinishNmeaUdpLookup();
  void FollowNmeaTcp(std::optional<std::string>& change);
  void FollowMqtt(std::optional<std::string>& change);
  void FollowLog(std::optional<std::string>& change);
  // Why each output that is on but closed could not be made, or "".
  std::string StandingProblems() const;
  // The NMEA sinks and the observer list again from the open outputs.
  void RebuildObservers();
  // The broker's settings from `wanted`; throws OutputError when they
  // cannot be used.
  MqttSettings MqttSettingsFor(const MqttTarget& wanted) const;
  // Takes the publisher out of use and stops it on a thread of its own, so
  // that its drain never holds up decoding.
  void RetireMqtt();

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
  std::optional<std::string> mqtt_problem_;
  UdpHostLookup::Resolver resolve_udp_host_;
  std::unique_ptr<UdpHostLookup> udp_lookup_;  // while udp_'s host name is looked up
  bool announce_udp_lookup_ = false;           // whether its outcome is news
  std::unique_ptr<UdpSentenceSender> udp_;     // open while NMEA over UDP is on
  std::unique_ptr<TcpSentenceServer> tcp_;     // open while the TCP server is on
  NmeaOutput nmea_;                            // the call as sentences to udp_ and tcp_
  SystemUtcClock utc_clock_;  // when each row was written: the log's day, the MQTT "utc"
  std::unique_ptr<CallRecordFormat> log_format_;  // CSV or JSON lines, while the log is on
  std::unique_ptr<DailyCallLog> log_;             // open while the log is on
  OutputReports mqtt_reports_;                    // from the publisher's thread
  // Which publisher's reports are shown: those of a retired one are not
  // news. Changed and read on the decoding thread alone.
  int mqtt_generation_ = 0;
  std::unique_ptr<MqttPublisher> mqtt_;                 // open while MQTT is on
  std::unique_ptr<MqttCallOutput> mqtt_output_;         // each call as JSON to mqtt_
  std::vector<std::future<void>> retiring_publishers_;  // stopping on their own threads
  CallObserverList observers_;                          // what the receiver tells
};

}  // namespace tolvik
