#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "outputs/MqttCredentials.h"

namespace tolvik {

// Where and how the calls go to an MQTT broker.
struct MqttSettings {
  static constexpr int kDefaultPort = 1883;
  // About a week of a busy coast station's calls: a broker away longer than
  // that has been given up on, and the newest calls matter most.
  static constexpr std::size_t kDefaultQueueLimit = 10000;

  std::string host = "localhost";
  int port = kDefaultPort;
  std::string station = "tolvik";  // names the station in its topics
  std::string topic_prefix;        // empty: "tolvik/<station>"
  std::optional<MqttCredentials> credentials;
  std::size_t queue_limit = kDefaultQueueLimit;  // calls waiting for the broker
  std::chrono::seconds keepalive{30};            // between pings on a quiet connection
  // Waits between attempts to reach the broker: doubling from the first to
  // the longest, back to the first once connected.
  std::chrono::milliseconds first_retry{1000};
  std::chrono::milliseconds longest_retry{60000};
};

// The prefix in use: the one given without a trailing '/', else
// "tolvik/<station>".
std::string TopicPrefix(const MqttSettings& settings);
// "<root>/<station>", the root without its trailing '/'s.
std::string TopicPrefixUnder(std::string root, const std::string& station);
// Where each call goes, QoS 1: "<prefix>/call".
std::string CallTopic(const MqttSettings& settings);
// The retained "online" or "offline": "<prefix>/status".
std::string StatusTopic(const MqttSettings& settings);

// Why a station name or topic prefix cannot be used (MQTT wildcards, a '/'
// in a station name, an empty text); nullopt when it can.
std::optional<std::string> StationNameProblem(const std::string& station);
std::optional<std::string> TopicPrefixProblem(const std::string& prefix);

}  // namespace tolvik
