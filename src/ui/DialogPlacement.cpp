#include "ui/DialogPlacement.h"

#include <QGuiApplication>
#include <QScreen>

namespace tolvik {

QPoint CentredOn(const QRect& owner, const QSize& size) {
  return QPoint(owner.left() + owner.width() / 2 - size.width() / 2,
                owner.top() + owner.height() / 2 - size.height() / 2);
}

QRect DesktopRectangle() {
  QRect desktop;
  for (const QScreen* screen : QGuiApplication::screens()) {
    desktop = desktop.united(screen->availableGeometry());
  }
  return desktop;
}

QPoint KeptInside(const QRect& window, const QRect& desktop) {
  int top = window.top();
  int left = window.left();
  if (top < desktop.top()) {
    top = desktop.top();
  }
  if (top + window.height() > desktop.top() + desktop.height()) {
    top = desktop.top() + desktop.height() - window.height();
  }
  if (left < desktop.left()) {
    left = desktop.left();
  }
  if (left + window.width() > desktop.left() + desktop.width()) {
    left = desktop.left() + desktop.width() - window.width();
  }
  return QPoint(left, top);
}

}  // namespace tolvik
