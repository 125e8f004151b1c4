#pragma once

#include <QTemporaryDir>

#include <optional>
#include <string>

namespace tolvik::testing {

// A PulseAudio server of the test's own, in a folder of its own: a 48 kHz
// null sink "tolvik_test" and a capture source "tolvik_in" fed from it and
// described "TolvikTestInput". The process's environment points libpulse at
// it, so it must be started before anything asks Qt for audio devices.
class PrivateSoundServer {
 public:
  static constexpr const char* kInputDescription = "TolvikTestInput";

  PrivateSoundServer();
  ~PrivateSoundServer();
  PrivateSoundServer(const PrivateSoundServer&) = delete;
  PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

  // False, with the reason in Problem(), where no server can run here.
  bool Start();
  // Ends the server as a crash would, and waits until it is gone.
  void Kill();
  const std::string& Problem() const { return problem_; }

  // The capture source goes, or comes (again); `source_name` lets it come
  // back under another identifier with the same description.
  bool UnloadInput();
  bool LoadInput(const std::string& source_name = "tolvik_in");

  // The streams playing into the server, one line each.
  std::string SinkInputs() const;

 private:
  static QString PidFile();
  std::optional<int> ServerPid() const;

  QTemporaryDir folder_;
  std::string problem_;
};

}  // namespace tolvik::testing
