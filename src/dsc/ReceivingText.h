#pragma once

#include <optional>
#include <string>

namespace tolvik {

// The status text of a reception that has found its phasing: "Receiving
// data...", on HF with the frequency error measured at phasing, as
// "Receiving data... (Freq Err = +1.2Hz)" (a zero error shows as +0.0).
std::string ReceivingText(std::optional<double> frequency_error_hz);

}  // namespace tolvik
