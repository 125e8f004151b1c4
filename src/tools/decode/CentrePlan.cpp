#include "decode/CentrePlan.h"

#include <cmath>

#include "base/SettingRanges.h"
#include "demod/CentreFrequencySetup.h"

namespace tolvik {

namespace {
constexpr int kShiftTargetDecFc = 80;
}  // namespace

CentrePlan PlanCentre(double centre_hz) {
  const double steps = centre_hz / kDecFcUnitHz;
  const double whole_steps = std::round(steps);
  if (std::abs(steps - whole_steps) < 1e-9 && whole_steps >= kLowestDecFc &&
      whole_steps <= kHighestDecFc) {
    return {static_cast<int>(whole_steps), std::nullopt};
  }
  return {kShiftTargetDecFc, centre_hz};
}

}  // namespace tolvik
