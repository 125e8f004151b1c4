#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "dsc/DscMessage.h"

namespace tolvik {

// A call given as its characters, sent as they stand: for calls the field
// vocabulary cannot describe, and for damaged ones.
struct RawSymbols {
  std::vector<int> Characters;  // format specifier twice ... end of sequence, each 0..127
  std::optional<int> Check;     // check character to send; nullopt: the right one
};

// One call to generate: what it carries and how long its dot pattern is.
struct CallDescription {
  std::variant<DscMessage, RawSymbols> Call;
  std::optional<int> DotPatternBits;  // nullopt: 200 for HF, 20 for VHF
  std::string Text;                   // the description as key=value pairs, for summaries
};

// A description that cannot be sent; the message names the key and value.
class CallDescriptionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tolvik
