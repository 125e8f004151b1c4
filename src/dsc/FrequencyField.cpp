#include "dsc/FrequencyField.h"

#include <cmath>
#include <cstdio>

#include "dsc/FieldDigits.h"

namespace tolvik {

namespace {

// Scales a channel code to its kind: -1 MF/HF channel, -2 VHF channel.
constexpr double kCodeKindScale = 0.00001;
constexpr int kHfChannelKind = -1;
constexpr int kVhfChannelKind = -2;

std::string Printed(const char* format, double value) {
  char text[48];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Printed(const char* format, int value) {
  char text[48];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// The text of one non-zero frequency code with the given formats for a
// frequency, an MF/HF channel and a VHF channel.
std::string CodeText(double code, const char* frequency_format, const char* hf_channel_format,
                     const char* vhf_channel_format) {
  if (code > 0.0) {
    return Printed(frequency_format, code);
  }
  const int kind = static_cast<int>(std::trunc(code * kCodeKindScale));
  if (kind == kHfChannelKind) {
    return Printed(hf_channel_format, static_cast<int>(-(code + kHfChannelCodeBase)));
  }
  if (kind == kVhfChannelKind) {
    return Printed(vhf_channel_format, static_cast<int>(-(code + kVhfChannelCodeBase)));
  }
  return "";
}

}  // namespace

double DecodeFrequency(const SymbolSequence& sequence, int start) {
  const auto found = FieldDigits<kFrequencyCharacters>(sequence, start);
  if (!found) {
    return 0.0;
  }
  const auto& d = *found;
  if (d[0] <= kHighestFrequencyLeadDigit) {
    return d[0] * 10000.0 + d[1] * 1000.0 + d[2] * 100.0 + d[3] * 10.0 + d[4] + 0.1 * d[5];
  }
  if (d[0] == kMfHfChannelLeadDigit) {
    return -(kHfChannelCodeBase + d[1] * 10000.0 + d[2] * 1000.0 + d[3] * 100.0 + d[4] * 10.0 +
             d[5]);
  }
  if (d[0] == kVhfChannelLeadDigit) {
    // The second and third digits are not part of a VHF channel number.
    return -(kVhfChannelCodeBase + d[3] * 100.0 + d[4] * 10.0 + d[5]);
  }
  return 0.0;  // a first digit of 4 to 8 carries nothing we can show
}

std::string FormatFrequencies(double first, double second) {
  std::string text;
  if (first != 0.0) {
    text = CodeText(first, "%0.1fkHz", "%dch", "VHF %dch");
  }
  if (second == 0.0) {
    return text;
  }
  // A second frequency makes the pair a receive and a transmit frequency.
  if (!text.empty()) {
    text = "Rx : " + text + " , ";
  }
  return text + CodeText(second, "Tx : %0.1fkHz", "Tx : %dch", "Tx : VHF %dch");
}

}  // namespace tolvik
