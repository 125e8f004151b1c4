#include "common/NumberCheck.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace tolvik {

namespace {

constexpr const char* kNotANumber = "not a number";

std::optional<double> ReadNumber(const std::string& text) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) {
    return std::nullopt;
  }
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::string ShownNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

CLI::Validator NumberBetween(double low, double high, const std::string& unit,
                             const std::string& below_low) {
  const std::string range = "must be between " + ShownNumber(low) + " and " + ShownNumber(high) +
                            (unit.empty() ? "" : " " + unit);
  return CLI::Validator(
      [low, high, range, below_low](std::string& text) -> std::string {
        const auto value = ReadNumber(text);
        if (!value) {
          return kNotANumber;
        }
        if (*value < low && !below_low.empty()) {
          return text + " " + below_low + ": " + range;
        }
        return *value < low || *value > high ? range : "";
      },
      ShownNumber(low) + ".." + ShownNumber(high));
}

CLI::Validator WholeNumberBetween(int low, int high, const std::string& unit) {
  const std::string range = "must be a whole number between " + std::to_string(low) + " and " +
                            std::to_string(high) + (unit.empty() ? "" : " " + unit);
  return CLI::Validator(
      [low, high, range](std::string& text) -> std::string {
        const auto value = ReadNumber(text);
        if (!value) {
          return kNotANumber;
        }
        const bool whole = std::floor(*value) == *value;
        return !whole || *value < low || *value > high ? range : "";
      },
      std::to_string(low) + ".." + std::to_string(high));
}

CLI::Validator FiniteNumber() {
  return CLI::Validator(
      [](std::string& text) -> std::string { return ReadNumber(text) ? "" : kNotANumber; },
      "NUMBER");
}

}  // namespace tolvik
