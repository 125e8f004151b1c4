#pragma once

#include <string_view>

namespace tolvik {

// Whether a row's position text ("N35-41 , E139-45", with or without the
// four extra decimals of an enhanced position) names a place no sender can
// mean: minutes of 60 or more, a latitude beyond 90 degrees or a longitude
// beyond 180. A soft decision that lands on such a field has misread it, so
// the enhanced decoder withholds the call, as it does one with an "N/A"
// field. An empty text (no position, or a position sent as unknown) and a
// text of any other form are not impossible.
bool IsImpossiblePositionText(std::string_view position);

}  // namespace tolvik
