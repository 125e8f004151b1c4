#include "app/ShutdownSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <csignal>

namespace tolvik {

namespace {

int g_signal_sockets[2] = {-1, -1};  // [0] written by the handler, [1] read on the main thread

void HandleSignal(int) {
  const char byte = 1;
  // Nothing can be done about a full socket: a byte is already waiting.
  [[maybe_unused]] const ssize_t written = ::write(g_signal_sockets[0], &byte, 1);
}

}  // namespace

ShutdownSignals::ShutdownSignals(std::function<void()> on_signal)
    : on_signal_(std::move(on_signal)) {
  if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signal_sockets) != 0) {
    return;  // the program still runs; only the signals keep their default
  }
  notifier_ = std::make_unique<QSocketNotifier>(g_signal_sockets[1], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, &ShutdownSignals::Received);
  struct sigaction action {};
  action.sa_handler = HandleSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

ShutdownSignals::~ShutdownSignals() {
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  notifier_.reset();
  for (int& socket : g_signal_sockets) {
    if (socket >= 0) {
      ::close(socket);
      socket = -1;
    }
  }
}

void ShutdownSignals::Received() {
  char byte = 0;
  [[maybe_unused]] const ssize_t count = ::read(g_signal_sockets[1], &byte, 1);
  on_signal_();
}

}  // namespace tolvik
