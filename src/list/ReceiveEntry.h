#pragma once

#include <string>

namespace tolvik {

// One row of the receive list: eight texts and nothing else. The details
// window works from these texts alone.
struct ReceiveEntry {
  std::string Category;       // column 0
  std::string From;           // column 1, the key for overwriting
  std::string To;             // column 2
  std::string RequestStatus;  // column 3, "Request / Status"
  std::string Information;    // column 4
  std::string Position;       // column 5
  std::string Ack;            // column 6: "Req", "Ack" or empty
  std::string Time;           // column 7: local time the row was written, "HH:MM:SS"
};

}  // namespace tolvik
