#include "dsc/PositionField.h"

#include <cstdio>

#include "dsc/FieldDigits.h"

namespace tolvik {

namespace {

// In an expansion sequence the enhanced position's characters follow the
// specifier.
constexpr int kEnhancementStart = 1;
// What one enhancement digit adds, in packed units: tenths down to
// ten-thousandths of a minute.
constexpr double kEnhancementDigitWeights[kEnhancementDigitsPerCoordinate] = {0.001, 0.0001,
                                                                              0.00001, 0.000001};

// Added before truncating so a value like 35.41 stored as 35.40999... still
// shows minute 41; far below the last shown digit (1e-6 of the packed value).
constexpr double kTruncationGuard = 0.0000001;
constexpr double kMinutesPerPackedUnit = 100.0;
constexpr double kFractionScale = 10000.0;  // ten-thousandths of a minute

// Every digit of a position that is not known.
constexpr int kUnknownPositionDigit = 9;

// Adds the expansion's extra minute digits when the expansion sequence holds
// a complete enhanced position.
bool ApplyEnhancement(const SymbolSequence& expansion, GeoPosition& position) {
  // The four characters must belong to this call: with fewer stored, the
  // rest of the array still holds an earlier call's characters.
  if (expansion.Count < kEnhancementStart + kEnhancementCharacters ||
      expansion.Symbols[0] != kEnhancedPositionSpecifier) {
    return false;
  }
  const auto digits = FieldDigits<kEnhancementCharacters>(expansion, kEnhancementStart);
  if (!digits) {
    return false;
  }
  for (int i = 0; i < kEnhancementDigitsPerCoordinate; ++i) {
    position.Latitude += kEnhancementDigitWeights[i] * (*digits)[i];
    position.Longitude +=
        kEnhancementDigitWeights[i] * (*digits)[kEnhancementDigitsPerCoordinate + i];
  }
  return true;
}

void ApplyQuadrant(int quadrant, GeoPosition& position) {
  if (quadrant == kQuadrantNorthWest || quadrant == kQuadrantSouthWest) {
    position.Longitude = -position.Longitude;
  }
  if (quadrant == kQuadrantSouthEast || quadrant == kQuadrantSouthWest) {
    position.Latitude = -position.Latitude;
  }
}

std::string FormatCoordinate(double value, char positive_letter, char negative_letter,
                             bool enhanced_position) {
  char letter = positive_letter;
  if (!(value > 0.0)) {
    letter = negative_letter;
    value = -value;
  }
  value += kTruncationGuard;
  const int degrees = static_cast<int>(value);
  const double minutes = (value - degrees) * kMinutesPerPackedUnit;
  const int whole_minutes = static_cast<int>(minutes);
  const int fraction = static_cast<int>((minutes - whole_minutes) * kFractionScale);

  char text[48];
  if (enhanced_position) {
    std::snprintf(text, sizeof text, "%c%d-%02d.%04d", letter, degrees, whole_minutes, fraction);
  } else {
    std::snprintf(text, sizeof text, "%c%d-%02d", letter, degrees, whole_minutes);
  }
  return text;
}

}  // namespace

std::optional<GeoPosition> DecodePosition(const DscCall& call, int start, bool& enhanced_position) {
  enhanced_position = false;
  const auto found = FieldDigits<kPositionCharacters>(call.Primary, start);
  if (!found) {
    return std::nullopt;
  }
  const auto& d = *found;
  GeoPosition position;
  position.Latitude = 10.0 * d[1] + d[2] + 0.1 * d[3] + 0.01 * d[4];
  position.Longitude = 100.0 * d[5] + 10.0 * d[6] + d[7] + 0.1 * d[8] + 0.01 * d[9];
  enhanced_position = ApplyEnhancement(call.Expansion, position);
  ApplyQuadrant(d[0], position);
  return position;
}

bool IsUnknownPosition(const DscCall& call, int start) {
  const auto digits = FieldDigits<kPositionCharacters>(call.Primary, start);
  if (!digits) {
    return false;
  }
  for (const int digit : *digits) {
    if (digit != kUnknownPositionDigit) {
      return false;
    }
  }
  return true;
}

std::string FormatPosition(double latitude, double longitude, bool enhanced_position) {
  return FormatCoordinate(latitude, 'N', 'S', enhanced_position) + " , " +
         FormatCoordinate(longitude, 'E', 'W', enhanced_position);
}

}  // namespace tolvik
