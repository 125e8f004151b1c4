#include "PrivateSoundServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <fstream>
#include <string>

namespace tolvik::testing {
namespace {

constexpr int kAnswerPolls = 50;
constexpr int kPollIntervalMs = 100;

// Runs a command of the sound server's tools; its standard output when it
// succeeded.
std::optional<QString> Run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished() || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    return std::nullopt;
  }
  return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// A server that died but was not reaped yet (a container's first process
// may never reap it) counts as gone.
bool IsAlive(int pid) {
  if (::kill(pid, 0) != 0) {
    return false;
  }
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string number, name, state;
  stat >> number >> name >> state;
  return state != "Z";
}

bool ServerAnswers() {
  return Run("pactl", {"info"}).has_value();
}

}  // namespace

PrivateSoundServer::PrivateSoundServer() {
  const QString runtime = folder_.path() + "/runtime";
  QDir().mkpath(runtime);
  QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
  qputenv("HOME", folder_.path().toLocal8Bit());
  qputenv("PULSE_SERVER", ("unix:" + runtime + "/pulse/native").toLocal8Bit());
}

PrivateSoundServer::~PrivateSoundServer() {
  Kill();
}

bool PrivateSoundServer::Start() {
  for (const char* tool : {"pulseaudio", "pactl"}) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) {
      problem_ = std::string(tool) + " is not installed (scripts/bootstrap installs it)";
      return false;
    }
  }
  const QStringList arguments = {
      "-n",
      "--daemonize=yes",
      // A server left behind by a test process that crashed ends by itself.
      "--exit-idle-time=10",
      "--use-pid-file=yes",
      "--load=module-native-protocol-unix",
      "--load=module-null-sink sink_name=tolvik_test rate=48000 norewinds=1",
  };
  if (!Run("pulseaudio", arguments)) {
    problem_ = "no PulseAudio server could be started here";
    return false;
  }
  for (int poll = 0; poll < kAnswerPolls && !ServerAnswers(); ++poll) {
    QThread::msleep(kPollIntervalMs);
  }
  if (!ServerAnswers() || !LoadInput()) {
    problem_ = "the PulseAudio server did not answer";
    return false;
  }
  return true;
}

QString PrivateSoundServer::PidFile() {
  return QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR")) + "/pulse/pid";
}

std::optional<int> PrivateSoundServer::ServerPid() const {
  std::ifstream file(PidFile().toStdString());
  int pid = 0;
  if (file >> pid && pid > 0) {
    return pid;
  }
  return std::nullopt;
}

void PrivateSoundServer::Kill() {
  const std::optional<int> pid = ServerPid();
  if (!pid || ::kill(*pid, SIGKILL) != 0) {
    return;
  }
  for (int poll = 0; poll < kAnswerPolls && IsAlive(*pid); ++poll) {
    QThread::msleep(kPollIntervalMs);
  }
  // An unreaped server still answers to its process id, and a new one would
  // take it for itself running.
  QFile::remove(PidFile());
}

bool PrivateSoundServer::UnloadInput() {
  const std::optional<QString> modules = Run("pactl", {"list", "short", "modules"});
  if (!modules) {
    return false;
  }
  bool unloaded = false;
  for (const QString& line : modules->split('\n')) {
    const QStringList fields = line.split('\t');
    if (fields.size() > 1 && fields[1] == "module-remap-source") {
      unloaded = Run("pactl", {"unload-module", fields[0]}).has_value();
    }
  }
  return unloaded;
}

bool PrivateSoundServer::LoadInput(const std::string& source_name) {
  return Run("pactl", {"load-module", "module-remap-source", "master=tolvik_test.monitor",
                       QString::fromStdString("source_name=" + source_name),
                       QString("source_properties=device.description=") + kInputDescription})
      .has_value();
}

std::string PrivateSoundServer::SinkInputs() const {
  return Run("pactl", {"list", "short", "sink-inputs"}).value_or(QString()).toStdString();
}

}  // namespace tolvik::testing
