#include "outputs/StationName.h"

#include <unistd.h>

#include <array>

namespace tolvik {

namespace {
constexpr const char* kNamelessStation = "tolvik";
// POSIX host names are at most 255 bytes; one more for the terminator.
constexpr std::size_t kHostNameBytes = 256;
}  // namespace

std::string StationName(const std::string& chosen) {
  if (!chosen.empty()) {
    return chosen;
  }
  std::array<char, kHostNameBytes> host{};
  if (gethostname(host.data(), host.size() - 1) != 0 || host[0] == '\0') {
    return kNamelessStation;
  }
  return host.data();
}

}  // namespace tolvik
