#include "dsc/DscFieldCodes.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "dsc/DscSymbols.h"

namespace tolvik {

namespace {

void Require(bool condition, const char* what) {
  if (!condition) {
    throw std::invalid_argument(what);
  }
}

void RequireRange(int value, int low, int high, const char* what) {
  Require(value >= low && value <= high, what);
}

// Characters from a digit string of even length, two digits each.
template <std::size_t N>
std::array<std::uint8_t, N> PairsOf(const std::string& digits) {
  std::array<std::uint8_t, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = static_cast<std::uint8_t>(10 * (digits[2 * i] - '0') + (digits[2 * i + 1] - '0'));
  }
  return out;
}

// value (already range-checked to fit) written with width decimal digits.
std::string Digits(int value, int width) {
  std::string text = std::to_string(value);
  if (text.size() < static_cast<std::size_t>(width)) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
  }
  return text;
}

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

}  // namespace

std::array<std::uint8_t, kMmsiCharacters> IdentityCharacters(std::string_view identity) {
  Require(identity.size() == kIdentityDigits && AllDigits(identity),
          "an identity has nine decimal digits");
  return PairsOf<kMmsiCharacters>(std::string(identity) + "0");
}

std::array<std::uint8_t, kPositionCharacters> PositionCharacters(
    const std::optional<DscPosition>& position) {
  if (!position) {
    std::array<std::uint8_t, kPositionCharacters> unknown{};
    unknown.fill(kUnknownPositionPair);
    return unknown;
  }
  RequireRange(position->Quadrant, kQuadrantNorthEast, kQuadrantSouthWest, "quadrant 0..3");
  RequireRange(position->LatitudeDegrees, 0, kLargestLatitudeDegrees, "latitude degrees 0..90");
  RequireRange(position->LatitudeMinutes, 0, kLargestMinutes, "latitude minutes 0..59");
  RequireRange(position->LongitudeDegrees, 0, kLargestLongitudeDegrees, "longitude degrees 0..180");
  RequireRange(position->LongitudeMinutes, 0, kLargestMinutes, "longitude minutes 0..59");
  return PairsOf<kPositionCharacters>(
      Digits(position->Quadrant, 1) + Digits(position->LatitudeDegrees, 2) +
      Digits(position->LatitudeMinutes, 2) + Digits(position->LongitudeDegrees, 3) +
      Digits(position->LongitudeMinutes, 2));
}

std::array<std::uint8_t, kAreaCharacters> AreaCharacters(const DscArea& area) {
  RequireRange(area.Quadrant, kQuadrantNorthEast, kQuadrantSouthWest, "quadrant 0..3");
  RequireRange(area.LatitudeDegrees, 0, kLargestLatitudeDegrees, "latitude degrees 0..90");
  RequireRange(area.LongitudeDegrees, 0, kLargestLongitudeDegrees, "longitude degrees 0..180");
  RequireRange(area.LatitudeExtent, 0, kLargestAreaExtentDegrees, "latitude extent 0..99");
  RequireRange(area.LongitudeExtent, 0, kLargestAreaExtentDegrees, "longitude extent 0..99");
  return PairsOf<kAreaCharacters>(Digits(area.Quadrant, 1) + Digits(area.LatitudeDegrees, 2) +
                                  Digits(area.LongitudeDegrees, 3) +
                                  Digits(area.LatitudeExtent, 2) + Digits(area.LongitudeExtent, 2));
}

std::array<std::uint8_t, kTimeCharacters> TimeCharacters(const std::optional<DscTime>& time) {
  if (!time) {
    return {kUnknownTimePair, kUnknownTimePair};
  }
  RequireRange(time->Hours, 0, kLargestHours, "hours 0..23");
  RequireRange(time->Minutes, 0, kLargestMinutes, "minutes 0..59");
  return {static_cast<std::uint8_t>(time->Hours), static_cast<std::uint8_t>(time->Minutes)};
}

std::array<std::uint8_t, kFrequencyCharacters> FrequencyCharacters(
    const std::optional<DscFrequency>& frequency) {
  if (!frequency) {
    return {kNoInformation, kNoInformation, kNoInformation};
  }
  switch (frequency->Type) {
    case DscFrequency::Kind::KiloHertz: {
      Require(std::isfinite(frequency->KiloHertz), "frequency must be finite");
      const double tenths = std::round(frequency->KiloHertz * 10.0);
      Require(tenths >= 0 && tenths <= kLargestFrequencyTenthsKhz, "frequency 0..29999.9 kHz");
      return PairsOf<kFrequencyCharacters>(Digits(static_cast<int>(tenths), 6));
    }
    case DscFrequency::Kind::MfHfChannel:
      RequireRange(frequency->Channel, 0, kLargestMfHfChannel, "MF/HF channel 0..99999");
      return PairsOf<kFrequencyCharacters>(Digits(kMfHfChannelLeadDigit, 1) +
                                           Digits(frequency->Channel, 5));
    case DscFrequency::Kind::VhfChannel:
      RequireRange(frequency->Channel, 0, kLargestVhfChannel, "VHF channel 0..999");
      return PairsOf<kFrequencyCharacters>(Digits(kVhfChannelLeadDigit, 1) + "00" +
                                           Digits(frequency->Channel, 3));
  }
  throw std::invalid_argument("unknown frequency kind");
}

Characters TelephoneNumberCharacters(std::string_view digits) {
  Require(!digits.empty() && AllDigits(digits), "a telephone number is one or more digits");
  const bool odd = digits.size() % 2 == 1;
  Characters out;
  out.push_back(odd ? kOddDigitCountIndicator : kEvenDigitCountIndicator);
  // With an odd count a leading 0 makes the pairs come out even; the
  // indicator tells the receiver to drop it.
  std::string padded;
  if (odd) {
    padded.push_back('0');
  }
  padded.append(digits);
  for (std::size_t i = 0; i < padded.size(); i += 2) {
    out.push_back(static_cast<std::uint8_t>(10 * (padded[i] - '0') + (padded[i + 1] - '0')));
  }
  return out;
}

std::array<std::uint8_t, 1 + kEnhancementCharacters> EnhancedPositionCharacters(
    const DscEnhancedPosition& enhancement) {
  RequireRange(enhancement.LatitudeDecimals, 0, kLargestEnhancementDecimals,
               "latitude decimals 0..9999");
  RequireRange(enhancement.LongitudeDecimals, 0, kLargestEnhancementDecimals,
               "longitude decimals 0..9999");
  const auto pairs = PairsOf<kEnhancementCharacters>(
      Digits(enhancement.LatitudeDecimals, kEnhancementDigitsPerCoordinate) +
      Digits(enhancement.LongitudeDecimals, kEnhancementDigitsPerCoordinate));
  return {kEnhancedPositionSpecifier, pairs[0], pairs[1], pairs[2], pairs[3]};
}

}  // namespace tolvik
