#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "outputs/OutputError.h"
#include "outputs/UdpHostLookup.h"
#include "outputs/UdpPeer.h"

namespace tolvik::testing {

// A name server the test answers for, so that a lookup can be held as long
// as a slow one would hold it, without depending on a network. Every name
// resolves to 127.0.0.1 at the port asked, once the test has let it
// through; a name let through as failing throws as an unknown name does.
class ControlledResolver {
 public:
  ControlledResolver() : state_(std::make_shared<State>()) {}

  // What a lookup is given. Each copy keeps the resolver's state alive, so
  // the state outlives every lookup thread that may still be asking.
  UdpHostLookup::Resolver Function() const {
    return [state = state_](const std::string& host, int port) {
      std::unique_lock<std::mutex> lock(state->mutex);
      ++state->asked;
      state->changed.notify_all();
      state->changed.wait(lock, [&] { return state->answered.contains(host); });
      ++state->returned;
      if (state->failing.contains(host)) {
        throw OutputError("cannot resolve " + host + ": Name or service not known");
      }
      return *NumericUdpPeer("127.0.0.1", port);
    };
  }

  // Lets the lookups of `host` finish, found or failing.
  void Answer(const std::string& host) { Let(host, false); }
  void Fail(const std::string& host) { Let(host, true); }

  // How many lookups have asked so far, and been answered.
  int Asked() const {
    const std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->asked;
  }
  int Returned() const {
    const std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->returned;
  }

  // Whether every function handed out has been dropped: each lookup thread
  // has then finished with the answer it wrote. Call once this resolver's
  // own state was given up with Release.
  bool AllLookupsEnded() const { return watch_.expired(); }
  void Release() {
    watch_ = state_;
    state_.reset();
  }

 private:
  struct State {
    std::mutex mutex;
    std::condition_variable changed;
    std::set<std::string> answered;
    std::set<std::string> failing;
    int asked = 0;
    int returned = 0;
  };

  void Let(const std::string& host, bool fail) {
    const std::lock_guard<std::mutex> lock(state_->mutex);
    state_->answered.insert(host);
    if (fail) {
      state_->failing.insert(host);
    }
    state_->changed.notify_all();
  }

  std::shared_ptr<State> state_;
  std::weak_ptr<State> watch_;
};

}  // namespace tolvik::testing
