#pragma once

#include <QFont>

namespace tolvik {

// The font of every window: Tahoma 8 where it is installed, otherwise the
// desktop's sans-serif font at 8 points.
QFont WindowFont();

}  // namespace tolvik
