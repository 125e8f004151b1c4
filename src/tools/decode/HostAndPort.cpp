#include "decode/HostAndPort.h"

#include <algorithm>
#include <cctype>

namespace tolvik {

namespace {

constexpr int kLargestPort = 65535;

std::optional<int> ReadPort(const std::string& text) {
  constexpr std::size_t kLongestPortText = 5;
  if (text.empty() || text.size() > kLongestPortText ||
      !std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(c) != 0; })) {
    return std::nullopt;
  }
  const int port = std::stoi(text);
  return port >= 1 && port <= kLargestPort ? std::optional<int>(port) : std::nullopt;
}

}  // namespace

std::optional<HostAndPort> ParseHostAndPort(const std::string& text, int default_port) {
  std::string host = text;
  std::string port = std::to_string(default_port);
  if (!text.empty() && text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close == std::string::npos) {
      return std::nullopt;
    }
    host = text.substr(1, close - 1);
    const std::string rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') {
        return std::nullopt;
      }
      port = rest.substr(1);
    }
  } else if (std::count(text.begin(), text.end(), ':') == 1) {
    const std::size_t colon = text.find(':');
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
  }
  const std::optional<int> number = ReadPort(port);
  if (host.empty() || !number) {
    return std::nullopt;
  }
  return HostAndPort{host, *number};
}

}  // namespace tolvik
