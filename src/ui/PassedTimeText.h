#pragma once

#include <string>

namespace tolvik {

// The passed-time text of the settings dialog for a DelMin position (10
// minutes a step): "10 min", "1 hour", "1 hour 10 min", "23 hour 50 min".
std::string PassedTimeText(int del_min);

}  // namespace tolvik
