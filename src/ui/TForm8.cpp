#include "ui/TForm8.h"

#include <QApplication>
#include <QEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include "ui/DialogPlacement.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"
#include "ui/WindowFont.h"

namespace tolvik {

namespace {}

TForm8::TForm8(TForm1& main_window) : QDialog(&main_window), main_(main_window) {
  setWindowTitle("Select wave input device");
  setWindowFlag(Qt::Window);
  setFont(WindowFont());
  setFixedSize(kClientWidth, kClientHeight);
  CreateControls();
  ComboBox1->addItem(kDefaultInputDeviceName);
  for (const std::string& name : main_.Capture().DeviceNames()) {
    ComboBox1->addItem(QString::fromStdString(name));
  }
  sound_settings_ = SoundSettingsCommand(
      [](const QString& program) { return !QStandardPaths::findExecutable(program).isEmpty(); });
  SelectStoredDevice();
}

void TForm8::CreateControls() {
  GroupBox1 = new QGroupBox("Wave input device", this);
  GroupBox1->setGeometry(8, 8, 313, 57);
  ComboBox1 = new QComboBox(GroupBox1);
  ComboBox1->setEditable(false);
  ComboBox1->setGeometry(8, 24, 297, ComboBox1->sizeHint().height());
  Panel1 = new QLabel("Now switching wave input device...", this);
  Panel1->setGeometry(56, 28, 225, 41);
  Panel1->setAlignment(Qt::AlignCenter);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setLineWidth(2);
  QPalette yellow = Panel1->palette();
  yellow.setColor(QPalette::Window, Qt::yellow);
  Panel1->setPalette(yellow);
  Panel1->setAutoFillBackground(true);
  Panel1->hide();
  Label1 = new QLabel("Sound settings", this);
  QFont link = Label1->font();
  link.setUnderline(true);
  Label1->setFont(link);
  QPalette blue = Label1->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  Label1->setPalette(blue);
  Label1->setCursor(Qt::PointingHandCursor);
  Label1->adjustSize();
  Label1->move(16, 78);
  Label1->installEventFilter(this);
  Button1 = new QPushButton("OK", this);
  Button1->setGeometry(160, 73, 78, 25);
  Button2 = new QPushButton("Cancel", this);
  Button2->setGeometry(244, 73, 77, 25);
  Button1->setAutoDefault(false);
  Button2->setDefault(true);
  setTabOrder(Button1, Button2);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

int TForm8::FindDeviceEntry(const std::string& name) const {
  if (name.empty() || name == kDefaultInputDeviceName) {
    return 0;
  }
  const QString wanted = QString::fromStdString(name);
  for (int entry = 0; entry < ComboBox1->count(); ++entry) {
    if (ComboBox1->itemText(entry) == wanted) {
      return entry;
    }
  }
  return -1;
}

void TForm8::SelectStoredDevice() {
  AppSettings& settings = main_.Settings();
  int entry = FindDeviceEntry(settings.WaveInName);
  if (entry == -1) {
    entry = 0;
    settings.WaveInName = kDefaultInputDeviceName;
    main_.Dialogs().ShowInformation(this, "Open default input device.");
  }
  main_.SetInputDeviceIndex(entry);
  ComboBox1->setCurrentIndex(entry);
  main_.OpenCapture();
}

void TForm8::ShowModal(TForm2& settings_dialog) {
  settings_dialog_ = &settings_dialog;
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
}

void TForm8::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TForm8::FormShow() {
  if (settings_dialog_ != nullptr) {
    // Centred on the settings dialog; not moved onto the desktop afterwards.
    move(CentredOn(settings_dialog_->frameGeometry(), frameGeometry().size()));
  }
  ComboBox1->setCurrentIndex(main_.InputDeviceIndex());
  Panel1->hide();
  ComboBox1->setFocus();
}

void TForm8::Button1Click() {
  const int selected = ComboBox1->currentIndex();
  if (selected != main_.InputDeviceIndex()) {
    Panel1->show();
    Panel1->raise();
    QApplication::processEvents();
    main_.LeaveReplay();
    main_.CloseCapture();
    QThread::msleep(kSwitchPauseMs);
    main_.SetInputDeviceIndex(selected);
    main_.Settings().WaveInName = selected == 0 ? std::string(kDefaultInputDeviceName)
                                                : ComboBox1->itemText(selected).toStdString();
    SelectStoredDevice();
    if (settings_dialog_ != nullptr) {
      settings_dialog_->SetDeviceLabel(QString::fromStdString(main_.Settings().WaveInName));
    }
    QApplication::processEvents();
  }
  hide();
}

void TForm8::Button2Click() {
  hide();
}

void TForm8::Label1Click() {
  if (sound_settings_) {
    QProcess::startDetached(sound_settings_->Program, sound_settings_->Arguments);
  }
}

bool TForm8::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label1 && event->type() == QEvent::MouseButtonRelease) {
    Label1Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tolvik
