#include "decode/ProgressIndicator.h"

#include <algorithm>
#include <utility>

namespace tolvik {

ProgressIndicator::ProgressIndicator(std::FILE* terminal, std::string label, double total_seconds)
    : terminal_(terminal), label_(std::move(label)), total_seconds_(total_seconds) {}

ProgressIndicator::~ProgressIndicator() {
  Erase();
}

void ProgressIndicator::Erase() {
  if (shown_percent_ >= 0) {
    std::fprintf(terminal_, "\r\033[K");
    std::fflush(terminal_);
    shown_percent_ = -1;
  }
}

void ProgressIndicator::Update(double seconds_done) {
  if (total_seconds_ <= 0)
    return;
  const int percent = std::clamp(static_cast<int>(100.0 * seconds_done / total_seconds_), 0, 100);
  if (percent == shown_percent_)
    return;
  shown_percent_ = percent;
  std::fprintf(terminal_, "\r\033[K%s: %3d%% of %.0f s", label_.c_str(), percent, total_seconds_);
  std::fflush(terminal_);
}

}  // namespace tolvik
