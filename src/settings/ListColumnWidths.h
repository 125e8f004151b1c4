#pragma once

#include <array>
#include <cstddef>

namespace tolvik {

// The widths of the receive list's eight columns, in pixels. They are not part
// of AppSettings: they travel beside the record, read from the settings file
// into the list's columns and written back from them (the user may have
// dragged a column wider in between).
struct ListColumnWidths {
  static constexpr std::size_t kColumnCount = 8;

  // Width of each column, left to right.
  std::array<int, kColumnCount> Widths = {70, 90, 90, 100, 150, 150, 40, 60};
};

}  // namespace tolvik
