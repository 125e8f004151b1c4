#include "ui/DisplayImage.h"

#include <QPainter>

namespace tolvik {

DisplayImage::DisplayImage(const QImage& picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
  setFixedSize(picture.size());
  setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers every pixel
}

void DisplayImage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

}  // namespace tolvik
