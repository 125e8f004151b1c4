#pragma once

#include <array>
#include <string>

#include "list/ReceiveEntry.h"

namespace tolvik {

// The receive list's columns: 0 is a row's leading text (Category), 1..7 its
// sub-texts in display order.
constexpr int kReceiveColumnCount = 8;
constexpr int kCategoryColumn = 0;
constexpr int kTimeColumn = 7;

// The sort code of `column` in ascending order; its negative sorts
// descending. Column 0 (Category) is code 1, column 7 (Time) code 8.
constexpr int SortCodeOfColumn(int column) {
  return column + 1;
}

// Header captions, in column order.
constexpr std::array<const char*, kReceiveColumnCount> kReceiveColumnCaptions = {
    "Category", "From", "To", "Request / Status", "Information", "Position", "Ack", "Time"};

// Column widths in pixels until the user changes them.
constexpr std::array<int, kReceiveColumnCount> kDefaultReceiveColumnWidths = {70,  90,  90, 100,
                                                                              150, 150, 40, 60};

// The text of one column of a row; column must lie in 0..kReceiveColumnCount-1.
const std::string& ColumnText(const ReceiveEntry& entry, int column);

}  // namespace tolvik
