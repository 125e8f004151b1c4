#include "decode/ProgressIndicator.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace tolvik {

namespace {

constexpr int kDefaultColumns = 80;
constexpr const char* kEraseLine = "\r\033[K";

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

int CharacterCount(const std::string& text) {
  return static_cast<int>(
      std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuationByte(c); }));
}

// The last `columns` characters of `text`.
std::string LastColumns(const std::string& text, int columns) {
  int characters = 0;
  for (std::size_t i = text.size(); i > 0; --i) {
    if (!IsContinuationByte(text[i - 1]) && ++characters == columns) {
      return text.substr(i - 1);
    }
  }
  return text;
}

// The label and the numbers in `columns`: a long label loses its start
// (the end of a path names the file), then the numbers their end.
std::string FitLine(const std::string& label, const std::string& numbers, int columns) {
  const int room_for_label = columns - CharacterCount(numbers);
  if (CharacterCount(label) <= room_for_label) {
    return label + numbers;
  }
  const std::string ellipsis = "...";
  if (room_for_label > CharacterCount(ellipsis)) {
    return ellipsis + LastColumns(label, room_for_label - CharacterCount(ellipsis)) + numbers;
  }
  return CutToColumns(label + numbers, columns);
}

}  // namespace

int TerminalColumns(std::FILE* stream) {
  winsize size{};
  if (ioctl(fileno(stream), TIOCGWINSZ, &size) != 0 || size.ws_col == 0) {
    return kDefaultColumns;
  }
  return size.ws_col;
}

std::string CutToColumns(const std::string& text, int columns) {
  int characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsContinuationByte(text[i]) && ++characters > columns) {
      return text.substr(0, i);
    }
  }
  return text;
}

ProgressIndicator::ProgressIndicator(std::FILE* terminal, std::string label,
                                     std::optional<double> total_seconds, ColumnsQuery columns)
    : terminal_(terminal),
      label_(std::move(label)),
      total_seconds_(total_seconds),
      columns_(std::move(columns)) {}

ProgressIndicator::ProgressIndicator(std::FILE* terminal, std::string label,
                                     std::optional<double> total_seconds)
    : ProgressIndicator(terminal, std::move(label), total_seconds,
                        [terminal] { return TerminalColumns(terminal); }) {}

ProgressIndicator::~ProgressIndicator() {
  Erase();
}

void ProgressIndicator::Erase() {
  if (shown_value_ >= 0) {
    std::fprintf(terminal_, "%s", kEraseLine);
    std::fflush(terminal_);
    shown_value_ = -1;
  }
}

void ProgressIndicator::Update(double seconds_done) {
  char text[64];
  long value = 0;
  if (total_seconds_) {
    if (*total_seconds_ <= 0)
      return;
    value = std::clamp(static_cast<long>(100.0 * seconds_done / *total_seconds_), 0L, 100L);
    std::snprintf(text, sizeof text, ": %3ld%% of %.0f s", value, *total_seconds_);
  } else {
    value = std::max(0L, static_cast<long>(std::floor(seconds_done)));
    std::snprintf(text, sizeof text, ": %ld s read", value);
  }
  if (value == shown_value_)
    return;
  shown_value_ = value;
  // One column short of the width: a line filling the last column leaves
  // some terminals' cursor on the next line.
  const std::string line = FitLine(label_, text, std::max(columns_() - 1, 1));
  std::fprintf(terminal_, "%s%s", kEraseLine, line.c_str());
  std::fflush(terminal_);
}

}  // namespace tolvik
