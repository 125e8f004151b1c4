#pragma once

#include <QColor>

#include "settings/AppSettings.h"

namespace tolvik {

// A settings colour (red in the low byte) as Qt's colour, and back.
inline QColor ToQColor(ColorValue value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

inline ColorValue ToColorValue(const QColor& color) {
  return static_cast<ColorValue>(color.red()) | (static_cast<ColorValue>(color.green()) << 8) |
         (static_cast<ColorValue>(color.blue()) << 16);
}

}  // namespace tolvik
