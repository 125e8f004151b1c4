#pragma once

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

namespace tolvik {

// A one-line progress display on a terminal: the input's name and the share
// decoded ("a.wav: 42% of 1800 s"), or for an input of unknown length the
// audio read so far ("-: 75 s read"). Redrawn in place when the shown
// number changes and wiped when done. The line is cut to the terminal's
// width, asked afresh at each redraw: a line that wrapped would leave its
// first part behind at the next redraw.
class ProgressIndicator {
 public:
  using ColumnsQuery = std::function<int()>;

  ProgressIndicator(std::FILE* terminal, std::string label, std::optional<double> total_seconds,
                    ColumnsQuery columns);
  // Asks the terminal itself for its width.
  ProgressIndicator(std::FILE* terminal, std::string label, std::optional<double> total_seconds);
  ~ProgressIndicator();
  ProgressIndicator(const ProgressIndicator&) = delete;
  ProgressIndicator& operator=(const ProgressIndicator&) = delete;

  void Update(double seconds_done);

  // Wipes the line, so that something else can be printed on the terminal;
  // the next Update draws it again.
  void Erase();

 private:
  std::FILE* terminal_;
  std::string label_;
  std::optional<double> total_seconds_;
  ColumnsQuery columns_;
  long shown_value_ = -1;  // the percentage or whole seconds on screen, -1 when none
};

// The width of the terminal `stream` writes to; 80 when it cannot be told.
int TerminalColumns(std::FILE* stream);

// `text` cut to at most `columns` characters (UTF-8 sequences kept whole).
std::string CutToColumns(const std::string& text, int columns);

}  // namespace tolvik
