#include "ui/TForm4.h"

#include <QVBoxLayout>

#include "list/ReceiveColumns.h"
#include "ui/WindowFont.h"

namespace tolvik {

namespace {
constexpr int kClientWidth = 420;
constexpr int kClientHeight = 220;
}  // namespace

TForm4::TForm4(const ReceiveList& list) : list_(list), texts_(new QLabel(this)) {
  setWindowTitle("DSC information");
  setFont(WindowFont());
  resize(kClientWidth, kClientHeight);
  auto* layout = new QVBoxLayout(this);
  texts_->setTextFormat(Qt::PlainText);
  texts_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  texts_->setAutoFillBackground(true);
  layout->addWidget(texts_);
  Timer1.setInterval(kBlinkIntervalMs);
  connect(&Timer1, &QTimer::timeout, this, &TForm4::Timer1Timer);
}

void TForm4::LoadEntry(int row, DistressKind kind) {
  loaded_row_ = row;
  QString text;
  if (row >= 0 && row < list_.Count()) {
    for (int column = 0; column < kReceiveColumnCount; ++column) {
      text += QString::fromLatin1(kReceiveColumnCaptions[column]) + ": " +
              QString::fromStdString(list_.CellText(row, column)) + "\n";
    }
  }
  texts_->setText(text);
  if (kind == DistressKind::None) {
    Timer1.stop();
    blink_on_ = false;
    texts_->setBackgroundRole(QPalette::Window);
  } else {
    Timer1.start();
  }
}

void TForm4::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
}

void TForm4::hideEvent(QHideEvent* event) {
  // Closing the dialog acknowledges the alert.
  Timer1.stop();
  QDialog::hideEvent(event);
}

void TForm4::Timer1Timer() {
  blink_on_ = !blink_on_;
  texts_->setBackgroundRole(blink_on_ ? QPalette::Highlight : QPalette::Window);
}

}  // namespace tolvik
