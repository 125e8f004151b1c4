#include "outputs/MqttCredentials.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "outputs/OutputError.h"

namespace tolvik {

namespace {

constexpr const char* kUserVariable = "TOLVIK_MQTT_USER";
constexpr const char* kPasswordVariable = "TOLVIK_MQTT_PASSWORD";

bool IsSkipped(const std::string& line) {
  return line.find_first_not_of(" \t") == std::string::npos || line.front() == '#';
}

// The lines that count, CR LF ends made plain.
std::vector<std::string> MeaningfulLines(std::ifstream& file) {
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (!IsSkipped(line)) {
      lines.push_back(line);
    }
  }
  return lines;
}

}  // namespace

MqttCredentials ReadMqttCredentialsFile(const std::string& path) {
  std::ifstream file(path);
  if (!file) {
    throw OutputError("cannot read the credentials file " + path + ": " + std::strerror(errno));
  }
  const std::vector<std::string> lines = MeaningfulLines(file);
  if (file.bad()) {
    throw OutputError("cannot read the credentials file " + path);
  }
  const std::string expected = " (expected one line user:password)";
  if (lines.empty()) {
    throw OutputError("the credentials file " + path + " is empty" + expected);
  }
  if (lines.size() > 1) {
    throw OutputError("the credentials file " + path + " has more than one line" + expected);
  }
  const std::string& line = lines.front();
  const std::size_t colon = line.find(':');
  if (colon == std::string::npos) {
    throw OutputError("the credentials file " + path + " has no ':'" + expected);
  }
  if (colon == 0) {
    throw OutputError("the credentials file " + path + " names no user" + expected);
  }
  return {line.substr(0, colon), line.substr(colon + 1)};
}

std::optional<MqttCredentials> MqttCredentialsFromEnvironment() {
  const char* user = std::getenv(kUserVariable);
  const char* password = std::getenv(kPasswordVariable);
  const bool has_user = user != nullptr && *user != '\0';
  if (!has_user) {
    if (password != nullptr) {
      throw OutputError(std::string(kPasswordVariable) + " is set but " + kUserVariable +
                        " is not");
    }
    return std::nullopt;
  }
  return MqttCredentials{user, password != nullptr ? password : ""};
}

std::optional<MqttCredentials> MqttCredentialsFrom(const std::optional<std::string>& file) {
  if (file) {
    return ReadMqttCredentialsFile(*file);
  }
  return MqttCredentialsFromEnvironment();
}

}  // namespace tolvik
