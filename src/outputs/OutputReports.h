#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace tolvik {

// What an output's own thread has to tell the user, held until the
// decoding thread, which alone may show it, takes it. Looking costs one
// atomic load, so the decoding thread may look after every block.
class OutputReports {
 public:
  // From any thread.
  void Post(std::string text) {
    const std::lock_guard<std::mutex> lock(mutex_);
    texts_.push_back(std::move(text));
    waiting_ = true;
  }

  bool Waiting() const { return waiting_; }

  // Every text posted since the last take, oldest first.
  std::vector<std::string> Take() {
    const std::lock_guard<std::mutex> lock(mutex_);
    waiting_ = false;
    return std::exchange(texts_, {});
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> texts_;
  std::atomic<bool> waiting_{false};
};

}  // namespace tolvik
