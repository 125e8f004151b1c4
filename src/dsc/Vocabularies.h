#pragma once

#include <string>

namespace tolvik {

// The texts of the coded values of a call; each gives "N/A" for a value it
// does not list.

// Nature of distress.
std::string NatureText(int value);

// First telecommand; also the type of subsequent communication of a
// distress information block.
std::string FirstTelecommandText(int value);

// Second telecommand.
std::string SecondTelecommandText(int value);

// Category of the call.
std::string CategoryText(int value);

}  // namespace tolvik
