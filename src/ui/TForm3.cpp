#include "ui/TForm3.h"

#include "ui/WindowFont.h"

namespace tolvik {

namespace {
constexpr int kClientWidth = 300;
constexpr int kClientHeight = 200;
}  // namespace

TForm3::TForm3() {
  setWindowTitle("Eye Pattern");
  setFont(WindowFont());
  setFixedSize(kClientWidth, kClientHeight);
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
}

}  // namespace tolvik
