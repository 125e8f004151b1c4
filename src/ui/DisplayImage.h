#pragma once

#include <QImage>
#include <QWidget>

namespace tolvik {

// Shows a picture that its owner redraws in place, at the widget's top-left
// corner: the owner calls update() after each redraw. Nothing is copied or
// converted per block, as a label's pixmap would be.
class DisplayImage final : public QWidget {
 public:
  DisplayImage(const QImage& picture, QWidget* parent);

  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QImage& picture_;
};

}  // namespace tolvik
