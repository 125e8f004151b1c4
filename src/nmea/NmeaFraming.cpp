#include "nmea/NmeaFraming.h"

namespace tolvik {

std::uint8_t NmeaChecksum(std::string_view between_dollar_and_star) {
  std::uint8_t sum = 0;
  for (const char c : between_dollar_and_star) {
    sum ^= static_cast<std::uint8_t>(c);
  }
  return sum;
}

std::string FrameSentence(std::string_view name, std::span<const std::string> fields) {
  std::string body(name);
  for (const std::string& field : fields) {
    body += ',';
    body += field;
  }
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  const std::uint8_t sum = NmeaChecksum(body);
  std::string sentence;
  sentence.reserve(body.size() + 6);
  sentence += '$';
  sentence += body;
  sentence += '*';
  sentence += kHexDigits[sum >> 4];
  sentence += kHexDigits[sum & 0x0F];
  sentence += kNmeaLineEnd;
  return sentence;
}

}  // namespace tolvik
