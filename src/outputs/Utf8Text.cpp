#include "outputs/Utf8Text.h"

#include <cstdint>

namespace tolvik {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD
constexpr unsigned kLowestContinuation = 0x80;
constexpr unsigned kHighestContinuation = 0xBF;

// How a well-formed sequence starting with a given lead byte goes on: its
// length, and the range its second byte must lie in (narrower than the
// continuation range where that keeps out overlong forms, surrogates and
// code points above U+10FFFF).
struct SequenceRule {
  int length;  // 0: not a lead byte
  unsigned second_low;
  unsigned second_high;
};

SequenceRule RuleFor(unsigned lead) {
  if (lead < 0x80)
    return {1, 0, 0};
  if (lead >= 0xC2 && lead <= 0xDF)
    return {2, kLowestContinuation, kHighestContinuation};
  if (lead == 0xE0)
    return {3, 0xA0, kHighestContinuation};
  if (lead == 0xED)
    return {3, kLowestContinuation, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF)
    return {3, kLowestContinuation, kHighestContinuation};
  if (lead == 0xF0)
    return {4, 0x90, kHighestContinuation};
  if (lead >= 0xF1 && lead <= 0xF3)
    return {4, kLowestContinuation, kHighestContinuation};
  if (lead == 0xF4)
    return {4, kLowestContinuation, 0x8F};
  return {0, 0, 0};
}

// The length of the well-formed sequence at `at`, or 0 when there is none.
int WellFormedLength(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const SequenceRule rule = RuleFor(byte(at));
  if (rule.length <= 1)
    return rule.length;
  if (at + rule.length > text.size())
    return 0;
  if (byte(at + 1) < rule.second_low || byte(at + 1) > rule.second_high)
    return 0;
  for (int i = 2; i < rule.length; ++i) {
    if (byte(at + i) < kLowestContinuation || byte(at + i) > kHighestContinuation)
      return 0;
  }
  return rule.length;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const int length = WellFormedLength(text, at);
    if (length == 0) {
      valid += kReplacementCharacter;
      ++at;
    } else {
      valid.append(text.substr(at, length));
      at += length;
    }
  }
  return valid;
}

}  // namespace tolvik
