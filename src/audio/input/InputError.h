#pragma once

#include <stdexcept>
#include <string>

namespace tolvik {

// An input (recording or stream) that cannot be read; the message says why
// and is fit to show to the user.
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tolvik
