#pragma once

#include <algorithm>

namespace tolvik {

// Where the parabola through (-1, left), (0, centre), (+1, right) peaks,
// clipped to -1..+1. When the three points do not bend downwards, the larger
// end (or 0) is taken.
inline double ParabolaVertex(double left, double centre, double right) {
  const double bend = left - 2.0 * centre + right;
  if (bend >= 0.0) {
    if (left > centre && left >= right) {
      return -1.0;
    }
    return right > centre ? 1.0 : 0.0;
  }
  return std::clamp(0.5 * (left - right) / bend, -1.0, 1.0);
}

}  // namespace tolvik
