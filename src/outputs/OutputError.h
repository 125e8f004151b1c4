#pragma once

#include <stdexcept>

namespace tolvik {

// An output that cannot be set up: a host that does not resolve, a port
// already taken. The message says what, for the user.
class OutputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tolvik
