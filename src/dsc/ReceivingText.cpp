#include "dsc/ReceivingText.h"

#include <cstdio>

namespace tolvik {

std::string ReceivingText(std::optional<double> frequency_error_hz) {
  std::string text = "Receiving data...";
  if (frequency_error_hz) {
    // Adding +0.0 turns a negative zero into zero, which would otherwise
    // print as "+-0.0". A positive or zero error gets an explicit plus sign;
    // a negative one brings its own minus sign.
    const double error = *frequency_error_hz + 0.0;
    const char* format = error >= 0 ? " (Freq Err = +%0.1fHz)" : " (Freq Err = %0.1fHz)";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, error);
    text += buffer;
  }
  return text;
}

}  // namespace tolvik
