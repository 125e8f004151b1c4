#include "ui/TForm3.h"

#include "ui/DialogPlacement.h"
#include "ui/WindowFont.h"

namespace tolvik {

namespace {

// A tool window's small caption with only a close button, above every
// window that is not topmost itself, also while the main window is active.
constexpr Qt::WindowFlags kWindowFlags = Qt::Tool | Qt::WindowStaysOnTopHint |
                                         Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowCloseButtonHint;
constexpr int kBevelWidth = 1;

}  // namespace

TForm3::TForm3(const QWidget& main_window)
    : QWidget(nullptr, kWindowFlags), main_window_(main_window) {
  setWindowTitle("Eye Pattern");
  setFont(WindowFont());
  setFixedSize(kClientWidth, kClientHeight);
  Panel1 = new QFrame(this);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setLineWidth(kBevelWidth);
  Panel1->setGeometry(0, 0, kClientWidth, kClientHeight);
  Image1 = new DisplayImage(drawing_.Picture(), Panel1);
  Image1->move(kBevelWidth, kBevelWidth);
}

void TForm3::DrawEyePattern(const ModeDisplayConstants& mode, const DemodulatorTraces& traces) {
  drawing_.DrawEyePattern(mode, traces);
  Image1->update();
}

void TForm3::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

void TForm3::FormShow() {
  const QSize size = frameGeometry().size();
  const QPoint centred = CentredOn(main_window_.frameGeometry(), size);
  move(KeptInside(QRect(centred, size), DesktopRectangle()));
}

}  // namespace tolvik
