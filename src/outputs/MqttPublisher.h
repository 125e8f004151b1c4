#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "outputs/MqttSettings.h"

struct mosquitto;

namespace tolvik {

// Publishes messages (one per call) to an MQTT broker at QoS 1, with a
// retained "online" status while connected and the broker's last will
// "offline" for when this process dies.
//
// Publish, called on the decoding thread, only appends to a bounded queue
// under a mutex and wakes the publisher's own thread through a pipe; that
// thread alone talks to libmosquitto, polling the client's socket and the
// pipe. A message leaves the queue only when the broker has acknowledged it
// (PUBACK): a connection lost mid-write keeps it, and every connection
// sends the queue again from its oldest message on, so calls go out in the
// order they were decoded. A broker that is away is tried again after a
// wait that doubles up to a limit. The mutex is never held across a system
// call or a libmosquitto call.
class MqttPublisher {
 public:
  // How long a stop waits for the broker to take what is queued.
  static constexpr std::chrono::milliseconds kDrainOnStop{2000};
  // Messages sent and not yet acknowledged: libmosquitto's own default.
  static constexpr std::size_t kInFlightLimit = 20;
  // A connection with no answer to its CONNECT by then is given up.
  static constexpr std::chrono::seconds kConnectPatience{10};

  // Told, on the publisher's thread, of what a user should hear about: a
  // broker that cannot be reached or refuses, the first message dropped
  // from a full queue. Each trouble is told once, not at every attempt.
  using Report = std::function<void(const std::string& message)>;

  explicit MqttPublisher(MqttSettings settings, Report report = {});
  // Stops as Stop() does, if it has not been stopped.
  ~MqttPublisher();

  MqttPublisher(const MqttPublisher&) = delete;
  MqttPublisher& operator=(const MqttPublisher&) = delete;

  // Queues one message for the call topic; never waits. When the queue
  // holds the settings' limit, the oldest message is dropped for it.
  void Publish(std::string payload);

  // Waits up to `drain` for the broker to acknowledge every queued message,
  // then publishes the retained "offline" and disconnects. Returns the
  // messages that were not delivered. Later calls return the same.
  std::size_t Stop(std::chrono::milliseconds drain = kDrainOnStop);

  // Messages queued and not yet acknowledged.
  std::size_t QueuedMessages() const;
  // Messages dropped from a full queue, and messages the broker took.
  std::uint64_t DroppedMessages() const { return dropped_; }
  std::uint64_t DeliveredMessages() const { return delivered_; }
  // Whether the broker has accepted the current connection.
  bool Connected() const { return connected_; }

  const MqttSettings& Settings() const { return settings_; }

 private:
  using Clock = std::chrono::steady_clock;

  struct Message {
    std::uint64_t sequence;
    std::string payload;
    bool sent = false;  // on its way over the current connection
  };

  void Run();
  void StartConnecting();
  void SendWaiting();
  void WaitForWork();
  void DropConnection();
  void FinishConnection();
  bool ShouldFinish();
  void Tell(const std::string& message) const;
  void Wake();

  static void OnConnect(mosquitto* client, void* self, int result);
  static void OnPublish(mosquitto* client, void* self, int message_id);
  static void OnDisconnect(mosquitto* client, void* self, int result);
  void ConnectionAnswered(int result);
  void Acknowledged(int message_id);

  const MqttSettings settings_;
  const Report report_;
  const std::string call_topic_;
  const std::string status_topic_;

  int wake_read_ = -1;   // the publisher's thread polls it
  int wake_write_ = -1;  // Publish and Stop write a byte to it

  mutable std::mutex mutex_;   // guards the queue and the stop request
  std::deque<Message> queue_;  // oldest first
  std::uint64_t next_sequence_ = 0;
  bool stopping_ = false;
  Clock::time_point stop_deadline_{};
  bool stopped_ = false;         // Stop has run (the caller's thread alone)
  std::size_t undelivered_ = 0;  // what Stop found left

  // The publisher's thread alone.
  mosquitto* client_ = nullptr;
  bool lost_ = false;  // the connection failed inside a libmosquitto call
  Clock::time_point connect_started_{};
  Clock::time_point next_attempt_{};
  std::chrono::milliseconds retry_delay_;
  std::map<int, std::uint64_t> in_flight_;  // message id -> sequence
  int status_message_id_ = -1;
  bool status_acknowledged_ = false;
  bool told_unreachable_ = false;  // since the last good connection
  bool told_dropping_ = false;

  std::atomic<bool> connected_{false};
  std::atomic<std::uint64_t> dropped_{0};
  std::atomic<std::uint64_t> delivered_{0};
  std::thread thread_;
};

}  // namespace tolvik
