#include "list/ReceiveColumns.h"

#include <stdexcept>

namespace tolvik {

const std::string& ColumnText(const ReceiveEntry& entry, int column) {
  switch (column) {
    case 0:
      return entry.Category;
    case 1:
      return entry.From;
    case 2:
      return entry.To;
    case 3:
      return entry.RequestStatus;
    case 4:
      return entry.Information;
    case 5:
      return entry.Position;
    case 6:
      return entry.Ack;
    case 7:
      return entry.Time;
    default:
      throw std::out_of_range("receive list column out of range");
  }
}

}  // namespace tolvik
