#pragma once

#include <string>

namespace tolvik {

// The station's name in the MQTT topics: the one the user gave, or, when
// that is empty, this machine's host name ("tolvik" if the system has
// none), so that several receivers on one broker stay apart without any
// setting.
std::string StationName(const std::string& chosen);

}  // namespace tolvik
