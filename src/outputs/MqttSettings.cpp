#include "outputs/MqttSettings.h"

namespace tolvik {

namespace {
constexpr const char* kPrefixRoot = "tolvik";
constexpr const char* kWildcards = "+#";
}  // namespace

std::string TopicPrefix(const MqttSettings& settings) {
  if (settings.topic_prefix.empty()) {
    return TopicPrefixUnder(kPrefixRoot, settings.station);
  }
  std::string prefix = settings.topic_prefix;
  while (prefix.size() > 1 && prefix.back() == '/') {
    prefix.pop_back();
  }
  return prefix;
}

std::string TopicPrefixUnder(std::string root, const std::string& station) {
  while (!root.empty() && root.back() == '/') {
    root.pop_back();
  }
  return root + "/" + station;
}

std::string CallTopic(const MqttSettings& settings) {
  return TopicPrefix(settings) + "/call";
}

std::string StatusTopic(const MqttSettings& settings) {
  return TopicPrefix(settings) + "/status";
}

std::optional<std::string> StationNameProblem(const std::string& station) {
  if (station.empty()) {
    return "the station name is empty";
  }
  if (station.find_first_of(kWildcards) != std::string::npos) {
    return "a station name cannot hold '+' or '#'";
  }
  if (station.find('/') != std::string::npos) {
    return "a station name cannot hold '/'";
  }
  return std::nullopt;
}

std::optional<std::string> TopicPrefixProblem(const std::string& prefix) {
  if (prefix.empty() || prefix.find_first_not_of('/') == std::string::npos) {
    return "the topic prefix is empty";
  }
  if (prefix.find_first_of(kWildcards) != std::string::npos) {
    return "a topic prefix cannot hold the wildcards '+' or '#'";
  }
  return std::nullopt;
}

}  // namespace tolvik
