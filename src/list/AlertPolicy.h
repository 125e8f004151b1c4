#pragma once

#include "dsc/DistressKind.h"
#include "settings/AppSettings.h"

namespace tolvik {

// Whether a received call of this kind raises a distress alert: never with
// DistAlt clear; an alert always with it set; an acknowledgement only with
// DistAck, a relay only with DistRly; a call unrelated to distress never.
bool RaisesAlert(const AppSettings& settings, DistressKind kind);

}  // namespace tolvik
