#pragma once

namespace tolvik {

// Where the centre of an HF tone pair may lie in a recording: from a
// receiver tuned far off up to an SSB receiver's audio band. Both tools
// take a centre within it.
inline constexpr double kLowestCentreHz = 300.0;
inline constexpr double kHighestCentreHz = 3000.0;

}  // namespace tolvik
