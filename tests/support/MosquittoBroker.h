#pragma once

#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

extern char** environ;

namespace tolvik::testing {

// A real mosquitto broker on a free port of 127.0.0.1, with a config file
// of its own in a temporary folder; stopped and started again on the same
// port at will, as a broker on the network goes away and comes back.
class MosquittoBroker {
 public:
  // Whether a restart keeps the subscribers' sessions (their subscriptions
  // and the QoS 1 messages waiting for them), as a broker with persistence
  // does; or forgets them.
  enum class Sessions { Forgotten, Kept };

  // Far beyond the few milliseconds the broker takes to listen.
  static constexpr std::chrono::seconds kStartPatience{10};
  static constexpr std::chrono::milliseconds kStopRepeat{20};

  // The broker program, or "" when it is not installed.
  static std::string Executable() {
    for (const char* path :
         {"/usr/sbin/mosquitto", "/usr/local/sbin/mosquitto", "/usr/bin/mosquitto"}) {
      if (access(path, X_OK) == 0) {
        return path;
      }
    }
    return "";
  }

  // `password_file`, when given, makes the broker take only its users.
  explicit MosquittoBroker(const std::string& password_file = "",
                           Sessions sessions = Sessions::Forgotten)
      : port_(FreePort()) {
    folder_ = std::filesystem::temp_directory_path() /
              ("tolvik-broker-" + std::to_string(getpid()) + "-" + std::to_string(port_));
    std::filesystem::create_directories(folder_);
    std::ofstream config(folder_ / "mosquitto.conf");
    config << "listener " << port_ << " 127.0.0.1\n"
           << "log_dest none\n";
    if (sessions == Sessions::Kept) {
      // Written when the broker stops, read when it starts. Open to all:
      // a broker started as root writes as the user "mosquitto".
      const std::filesystem::path sessions_folder = folder_ / "sessions";
      std::filesystem::create_directories(sessions_folder);
      std::filesystem::permissions(sessions_folder, std::filesystem::perms::all);
      config << "persistence true\npersistence_location " << sessions_folder.string() << "/\n";
    } else {
      config << "persistence false\n";
    }
    if (password_file.empty()) {
      config << "allow_anonymous true\n";
    } else {
      config << "allow_anonymous false\npassword_file " << password_file << "\n";
    }
    config.close();
    Start();
  }

  ~MosquittoBroker() {
    Stop();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  MosquittoBroker(const MosquittoBroker&) = delete;
  MosquittoBroker& operator=(const MosquittoBroker&) = delete;

  int Port() const { return port_; }
  const std::filesystem::path& Folder() const { return folder_; }

  // Starts the broker (again) and returns once it takes connections.
  void Start() {
    if (pid_ > 0) {
      return;
    }
    const std::string program = Executable();
    const std::string config = (folder_ / "mosquitto.conf").string();
    const char* arguments[] = {program.c_str(), "-c", config.c_str(), nullptr};
    if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, const_cast<char**>(arguments),
                    environ) != 0) {
      pid_ = -1;
      throw std::runtime_error("cannot start " + program);
    }
    const auto deadline = std::chrono::steady_clock::now() + kStartPatience;
    while (!Listening()) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_ || std::chrono::steady_clock::now() > deadline) {
        pid_ = -1;
        throw std::runtime_error("mosquitto did not start on port " + std::to_string(port_));
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  // Stops it as an administrator would (SIGTERM) and waits for it to end.
  // mosquitto takes SIGTERM as soon as it listens but only acts on it once
  // its main loop runs, and a signal caught in between is forgotten (seen
  // here: a broker stopped right after its start ran on for half an hour).
  // So the signal is sent again until it is heard.
  void Stop() {
    if (pid_ <= 0) {
      return;
    }
    int status = 0;
    do {
      kill(pid_, SIGTERM);
      std::this_thread::sleep_for(kStopRepeat);
    } while (waitpid(pid_, &status, WNOHANG) == 0);
    pid_ = -1;
  }

 private:
  static sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
  }

  // A port nothing listens on now; the broker takes it a moment later.
  static int FreePort() {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    close(probe);
    return ntohs(address.sin_port);
  }

  bool Listening() const {
    const int client = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(port_);
    const bool connected =
        connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(client);
    return connected;
  }

  int port_;
  std::filesystem::path folder_;
  pid_t pid_ = -1;
};

}  // namespace tolvik::testing
