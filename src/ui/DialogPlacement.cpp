#include "ui/DialogPlacement.h"

namespace tolvik {

QPoint CentredOn(const QRect& owner, const QSize& size) {
  return QPoint(owner.left() + owner.width() / 2 - size.width() / 2,
                owner.top() + owner.height() / 2 - size.height() / 2);
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
