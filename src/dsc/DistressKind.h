#pragma once

namespace tolvik {

// How a call relates to distress; handed over with every new row.
enum class DistressKind : int {
  None = -1,
  Alert = 0,
  Acknowledgement = 1,
  Relay = 2,
};

}  // namespace tolvik
