#pragma once

#include "dsc/DistressKind.h"
#include "list/ListOptions.h"

namespace tolvik {

// Whether a received call of this kind raises a distress alert: never
// without AlertOnDistress; an alert always with it; an acknowledgement only
// with AlertOnAcknowledgement, a relay only with AlertOnRelay; a call
// unrelated to distress never.
bool RaisesAlert(const ListOptions& options, DistressKind kind);

}  // namespace tolvik
