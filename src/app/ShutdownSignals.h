#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace tolvik {

// SIGINT and SIGTERM (Ctrl+C, kill, a logout) turned into a call on the main
// thread: the signal handler only writes one byte to a socket pair, whose
// other end a QSocketNotifier watches. The call then closes the main window
// the way the user's close does, so the settings are saved and the devices
// closed.
class ShutdownSignals final : public QObject {
 public:
  explicit ShutdownSignals(std::function<void()> on_signal);
  ~ShutdownSignals() override;

 private:
  void Received();

  std::function<void()> on_signal_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace tolvik
