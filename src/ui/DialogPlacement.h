#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tolvik {

// Where a dialog of `size` stands centred on `owner` (halves truncated).
QPoint CentredOn(const QRect& owner, const QSize& size);

// The desktop: the rectangle spanning every screen's available area.
QRect DesktopRectangle();

// `window` moved inside `desktop`: down to its top, then up so the bottom
// touches its bottom, then the same with left and right.
QPoint KeptInside(const QRect& window, const QRect& desktop);

}  // namespace tolvik
