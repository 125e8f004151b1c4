#pragma once

#include <optional>
#include <string>

namespace tolvik {

// A user name and password for the broker. They are never taken from the
// command line, where every user of the machine can read them in the
// process list.
struct MqttCredentials {
  std::string user;
  std::string password;
};

// Reads a credentials file: one line "user:password", split at the first
// ':' so that a password may hold colons. Blank lines and lines starting
// with '#' are skipped; a CR before the line end is dropped. Throws
// OutputError, naming the file, when it cannot be read, has no such line,
// has more than one, or the user is empty.
MqttCredentials ReadMqttCredentialsFile(const std::string& path);

// The environment's TOLVIK_MQTT_USER and TOLVIK_MQTT_PASSWORD: nullopt when
// neither is set; a user alone has an empty password. Throws OutputError
// for a password without a user.
std::optional<MqttCredentials> MqttCredentialsFromEnvironment();

// From the credentials file when one is named, else from the environment;
// throws OutputError as those do.
std::optional<MqttCredentials> MqttCredentialsFrom(const std::optional<std::string>& file);

}  // namespace tolvik
