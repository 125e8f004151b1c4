#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "nmea/NmeaFraming.h"

namespace tolvik::testing {

// A reader's own check of a sentence, written apart from the encoder: "$",
// fields, "*", the two hex digits of the exclusive-or, CR LF, at most 82
// characters. The fields (name first) when it passes, an empty list when not.
inline std::vector<std::string> CheckedFields(const std::string& sentence) {
  const std::size_t star = sentence.rfind('*');
  if (sentence.size() > kNmeaMaxSentenceLength || sentence.size() < 6 || sentence[0] != '$' ||
      star == std::string::npos || star + 5 != sentence.size() ||
      sentence.substr(star + 3) != "\r\n") {
    return {};
  }
  unsigned sum = 0;
  for (std::size_t i = 1; i < star; ++i) {
    sum ^= static_cast<unsigned char>(sentence[i]);
  }
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02X", sum);
  if (sentence.substr(star + 1, 2) != hex) {
    return {};
  }
  std::vector<std::string> fields(1);
  for (std::size_t i = 1; i < star; ++i) {
    if (sentence[i] == ',') {
      fields.emplace_back();
    } else {
      fields.back() += sentence[i];
    }
  }
  return fields;
}

}  // namespace tolvik::testing
