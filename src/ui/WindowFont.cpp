#include "ui/WindowFont.h"

#include <QFontDatabase>

namespace tolvik {

namespace {
constexpr int kWindowFontPoints = 8;
constexpr const char* kWindowFontFamily = "Tahoma";
}  // namespace

QFont WindowFont() {
  if (QFontDatabase::hasFamily(kWindowFontFamily)) {
    return QFont(kWindowFontFamily, kWindowFontPoints);
  }
  QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(kWindowFontPoints);
  return font;
}

}  // namespace tolvik
