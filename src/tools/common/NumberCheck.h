#pragma once

#include <CLI/CLI.hpp>

#include <string>

namespace tolvik {

// A number as written on a command line: the whole text is a decimal
// number (NaN and infinities are not numbers here). "not a number" when it
// is none; "must be between 300 and 3000 Hz" when it lies outside
// low..high, after `below_low` ("0.2 rounds every sample to silence: ...")
// when one is given and the number lies below low. CLI11 puts the option's
// name in front.
CLI::Validator NumberBetween(double low, double high, const std::string& unit = "",
                             const std::string& below_low = "");

// As NumberBetween, for options that take whole numbers ("must be a whole
// number between 1000 and 384000 Hz").
CLI::Validator WholeNumberBetween(int low, int high, const std::string& unit = "");

// Any finite number.
CLI::Validator FiniteNumber();

// "0.5", "32767", "1e+06": a bound as people write it.
std::string ShownNumber(double value);

}  // namespace tolvik
