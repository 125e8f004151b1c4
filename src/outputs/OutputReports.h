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
  struct Report {
    int sender;  // which output posted it, so that one since replaced is known
    std::string text;
  };

  // From any thread.
  void Post(int sender, std::string text) {
    const std::lock_guard<std::mutex> lock(mutex_);
    reports_.push_back({sender, std::move(text)});
    waiting_ = true;
  }

  bool Waiting() const { return waiting_; }

  // Every report posted since the last take, oldest first.
  std::vector<Report> Take() {
    const std::lock_guard<std::mutex> lock(mutex_);
    waiting_ = false;
    return std::exchange(reports_, {});
  }

 private:
  std::mutex mutex_;
  std::vector<Report> reports_;
  std::atomic<bool> waiting_{false};
};

}  // namespace tolvik
