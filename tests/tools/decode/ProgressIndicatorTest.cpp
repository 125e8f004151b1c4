#include "decode/ProgressIndicator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tolvik {
namespace {

// What a ProgressIndicator writes, kept in memory.
class CapturedTerminal {
 public:
  CapturedTerminal() : file_(open_memstream(&buffer_, &size_)) {}
  ~CapturedTerminal() {
    std::fclose(file_);
    std::free(buffer_);
  }
  std::FILE* get() const { return file_; }

  // The lines drawn: the text after each "erase the line" sequence.
  std::vector<std::string> Drawn() {
    std::fflush(file_);
    const std::string text(buffer_, size_);
    const std::string erase = "\r\033[K";
    std::vector<std::string> lines;
    for (std::size_t at = text.find(erase); at != std::string::npos;) {
      const std::size_t next = text.find(erase, at + erase.size());
      lines.push_back(text.substr(at + erase.size(), next - at - erase.size()));
      at = next;
    }
    return lines;
  }

 private:
  char* buffer_ = nullptr;
  std::size_t size_ = 0;
  std::FILE* file_;
};

int Columns(const std::string& text) {
  int count = 0;
  for (const char c : text)
    count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

TEST(ProgressIndicatorTest, LinesNeverReachTheTerminalsLastColumn) {
  // A 40-column pane: each line that wrapped left its first part behind.
  const std::string label = "/home/listener/recordings/2026-12-08/hf-8414.5kHz-overnight.wav";
  CapturedTerminal terminal;
  {
    ProgressIndicator progress(terminal.get(), label, 1800.0, [] { return 40; });
    for (double s = 0; s <= 1800; s += 30)
      progress.Update(s);
  }
  const auto lines = terminal.Drawn();
  ASSERT_GE(lines.size(), 2u);
  for (const std::string& line : lines) {
    EXPECT_LE(Columns(line), 39) << line;
  }
  // The end of the path names the file, and the numbers stay whole.
  EXPECT_EQ(lines[1], "...4.5kHz-overnight.wav:   1% of 1800 s");
  EXPECT_EQ(lines.back(), "");  // wiped when done
}

TEST(ProgressIndicatorTest, NarrowTerminalsAndWideCharactersStillFit) {
  for (const int columns : {1, 5, 12, 20}) {
    SCOPED_TRACE(columns);
    CapturedTerminal terminal;
    ProgressIndicator progress(terminal.get(), "Ålesund-kystradio.wav", 600.0,
                               [columns] { return columns; });
    progress.Update(300);
    const auto lines = terminal.Drawn();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_LE(Columns(lines[0]), std::max(columns - 1, 1)) << lines[0];
  }
  EXPECT_EQ(CutToColumns("Ålesund", 2), "Ål");  // a character is never split
}

TEST(ProgressIndicatorTest, StreamsShowTheSecondsReadAndRowsEraseTheLine) {
  CapturedTerminal terminal;
  ProgressIndicator progress(terminal.get(), "-", std::nullopt, [] { return 80; });
  progress.Update(0.1);
  progress.Update(0.9);  // same whole second: not redrawn
  progress.Update(75.2);
  progress.Erase();  // a row is printed
  progress.Update(75.3);
  const auto lines = terminal.Drawn();
  EXPECT_EQ(lines, (std::vector<std::string>{"-: 0 s read", "-: 75 s read", "", "-: 75 s read"}));
}

}  // namespace
}  // namespace tolvik
