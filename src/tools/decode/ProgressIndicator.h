#pragma once

#include <cstdio>
#include <string>

namespace tolvik {

// A one-line progress display on a terminal for long inputs: the file name
// and the share decoded, redrawn in place when the percentage changes and
// wiped when done.
class ProgressIndicator {
 public:
  ProgressIndicator(std::FILE* terminal, std::string label, double total_seconds);
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
  double total_seconds_;
  int shown_percent_ = -1;  // the percentage on screen, -1 before the first
};

}  // namespace tolvik
