#include "outputs/UdpHostLookup.h"

#include <exception>
#include <system_error>
#include <thread>
#include <utility>

#include "outputs/OutputError.h"

namespace tolvik {

UdpHostLookup::UdpHostLookup(const std::string& host, int port, Resolver resolver)
    : answer_(std::make_shared<Answer>()) {
  try {
    std::thread([answer = answer_, resolver = std::move(resolver), host, port] {
      Resolve(*answer, resolver, host, port);
    }).detach();
  } catch (const std::system_error& error) {
    answer_->problem = std::string("cannot start looking up ") + host + ": " + error.what();
    answer_->finished.store(true, std::memory_order_release);
  }
}

void UdpHostLookup::Resolve(Answer& answer, const Resolver& resolver, const std::string& host,
                            int port) {
  // Nothing may escape the thread: an exception there ends the program.
  try {
    answer.peer = resolver(host, port);
  } catch (const OutputError& error) {
    answer.problem = error.what();
  } catch (const std::exception& error) {
    answer.problem = "cannot resolve " + host + ": " + error.what();
  }
  answer.finished.store(true, std::memory_order_release);
}

}  // namespace tolvik
