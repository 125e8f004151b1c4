#include "decode/StopRequest.h"

#include <pthread.h>
#include <signal.h>

#include <csignal>

namespace tolvik {

namespace {

volatile std::sig_atomic_t stop_signal = 0;

void RequestStop(int signal_number) {
  stop_signal = signal_number;
}

void InstallStopHandler(int signal_number) {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a read that waits on a quiet pipe returns. SA_RESETHAND:
  // the second Ctrl-C is the default one.
  action.sa_flags = SA_RESETHAND;
  sigaction(signal_number, &action, nullptr);
}

sigset_t StopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  return signals;
}

}  // namespace

void HoldStopSignals() {
  const sigset_t signals = StopSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

void InstallStopHandlers() {
  InstallStopHandler(SIGINT);
  InstallStopHandler(SIGTERM);
  // A signal held back until now arrives here.
  const sigset_t signals = StopSignals();
  pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
}

bool StopRequested() {
  return stop_signal != 0;
}

int StopSignal() {
  return stop_signal;
}

}  // namespace tolvik
