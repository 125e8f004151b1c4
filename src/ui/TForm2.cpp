#include "ui/TForm2.h"

#include <QButtonGroup>
#include <QEvent>

#include "base/SettingRanges.h"
#include "ui/ColorValueQt.h"
#include "ui/DialogPlacement.h"
#include "ui/PassedTimeText.h"
#include "ui/TForm1.h"
#include "ui/TForm8.h"
#include "ui/WindowFont.h"

namespace tolvik {

namespace {

constexpr const char* kDefaultDeviceLabel = "標準の入力デバイス";
constexpr int kProductPoints = 18;

QLabel* Underlined(QLabel* label) {
  QFont font = label->font();
  font.setUnderline(true);
  label->setFont(font);
  return label;
}

QString FrequencyText(int dec_fc) {
  return QString::number(dec_fc * kDecFcUnitHz) + " Hz";
}

template <typename Widget>
Widget* Place(Widget* widget, int left, int top, int width = -1, int height = -1) {
  if (width < 0) {
    widget->adjustSize();
    width = widget->width();
  }
  if (height < 0) {
    height = widget->sizeHint().height();
  }
  widget->setGeometry(left, top, width, height);
  return widget;
}

}  // namespace

TForm2::TForm2(TForm1& main_window) : QDialog(&main_window), main_(main_window) {
  setWindowTitle("Settings");
  setWindowFlag(Qt::Window);
  setFont(WindowFont());
  setFixedSize(kClientWidth, kClientHeight);
  CreateDeviceGroup();
  CreateDecoderGroup();
  CreateListGroup();
  CreateFontGroup();
  CreateDistressGroup();
  CreateProductLabels();
  CreateOutputsGroup();
  ConnectHandlers();
}

void TForm2::CreateDeviceGroup() {
  auto* group = new QGroupBox("Wave input device", this);
  group->setGeometry(8, 8, 255, 72);
  Label1 = Place(new QLabel("Current input device :", group), 12, 20);
  Label2 = Place(new QLabel(group), 12, 44, 150);
  Button1 = Place(new QPushButton("Select device", group), 168, 38, 78, 25);
}

void TForm2::CreateDecoderGroup() {
  // Rows 22 pixels apart (the check boxes' own height) leave room for the
  // enhanced decoding box without growing the dialog.
  auto* group = new QGroupBox("DSC decoder", this);
  group->setGeometry(8, 86, 255, 194);
  RadioButton1 = Place(new QRadioButton("HF DSC", group), 12, 20);
  RadioButton2 = Place(new QRadioButton("VHF DSC", group), 110, 20);
  Label3 = Place(new QLabel("Center frequency", group), 12, 48);
  Label4 = Place(Underlined(new QLabel("1000 Hz", group)), 120, 48, 50);
  UpDown1 = new UpDownSpinner(group, kLowestDecFc, kHighestDecFc);
  UpDown1->move(172, 44);
  CheckBox1 = Place(new QCheckBox("Automatic frequency control", group), 12, 72);
  CheckBox2 = Place(new QCheckBox("Automatic polarity set", group), 12, 94);
  Label6 = Place(new QLabel("Polarity", group), 12, 122);
  SpeedButton1 = Place(new QPushButton("Positive", group), 70, 118, 70, 22);
  SpeedButton2 = Place(new QPushButton("Negative", group), 144, 118, 70, 22);
  auto* polarity = new QButtonGroup(this);
  for (QPushButton* button : {SpeedButton1, SpeedButton2}) {
    button->setCheckable(true);
    button->setAutoDefault(false);
    polarity->addButton(button);
  }
  polarity->setExclusive(true);
  SpeedButton1->setChecked(true);
  CheckBox10 = Place(new QCheckBox("Enhanced decoding", group), 12, 146);
  CheckBox9 = Place(new QCheckBox("Show signal spectrum", group), 12, 168);
}

void TForm2::CreateListGroup() {
  auto* group = new QGroupBox("Receive list", this);
  group->setGeometry(271, 8, 247, 126);
  CheckBox4 = Place(new QCheckBox("Overwrite same tranmit station data", group), 12, 20);
  CheckBox3 = Place(new QCheckBox("Don't add no information data", group), 12, 44);
  CheckBox5 = Place(new QCheckBox("Delete time passed data", group), 12, 68);
  Label7 = Place(new QLabel("Passed time", group), 30, 98);
  Label8 = Place(Underlined(new QLabel("00 hour 00 min", group)), 100, 98, 100);
  UpDown2 = new UpDownSpinner(group, kLowestDelMin, kHighestDelMin);
  UpDown2->move(206, 94);
}

void TForm2::CreateFontGroup() {
  auto* group = new QGroupBox("Receive list font", this);
  group->setGeometry(8, 286, 255, 60);
  Button2 = Place(new QPushButton("Font", group), 12, 22, 75, 25);
  Panel2 = new QFrame(group);
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel2->setGeometry(104, 24, 22, 22);
  Panel2->setAutoFillBackground(true);
  Panel2->setCursor(Qt::PointingHandCursor);
  Panel2->installEventFilter(this);
  Label11 = Place(new QLabel("Back ground color", group), 132, 28);
}

void TForm2::CreateDistressGroup() {
  auto* group = new QGroupBox("Distress notification", this);
  group->setGeometry(271, 140, 247, 126);
  CheckBox8 = Place(new QCheckBox("Show dialog and play sound", group), 12, 20);
  CheckBox6 = Place(new QCheckBox("Include distress acknowledgement", group), 28, 44);
  CheckBox7 = Place(new QCheckBox("Include distress relays", group), 28, 68);
  Button3 = Place(new QPushButton("Test sound", group), 12, 94, 75, 25);
}

void TForm2::CreateProductLabels() {
  auto* product = new QLabel("Tolvik", this);
  QFont large = product->font();
  large.setPointSize(kProductPoints);
  large.setBold(true);
  product->setFont(large);
  product->adjustSize();
  product->move(kClientWidth - 16 - product->width(), 280);
  auto* version = new QLabel("Ver. 1.0.0 build 000", this);
  version->adjustSize();
  version->move(kClientWidth - 16 - version->width(), 280 + product->height() + 6);
}

void TForm2::CreateOutputsGroup() {
  // Below the others across the whole dialog: every earlier control keeps
  // its place, and the dialog grows by this one group alone.
  constexpr int kOutputsTop = 352;
  Outputs = new OutputsGroup(this, main_);
  Outputs->move(8, kOutputsTop);
}

void TForm2::ConnectHandlers() {
  AppSettings& settings = main_.Settings();
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) {
      RadioButton1Click();
    }
  });
  connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) {
      RadioButton2Click();
    }
  });
  connect(CheckBox1, &QCheckBox::toggled, this, [&settings](bool on) { settings.DecAFC = on; });
  connect(CheckBox2, &QCheckBox::toggled, this, [this] { CheckBox2Click(); });
  connect(SpeedButton1, &QPushButton::clicked, this, [&settings] { settings.DecINV = false; });
  connect(SpeedButton2, &QPushButton::clicked, this, [&settings] { settings.DecINV = true; });
  UpDown1->SetOnClick([this] { UpDown1Click(); });
  // The Receiver takes the changed choice into use at its next block.
  connect(CheckBox10, &QCheckBox::toggled, this, [&settings](bool on) { settings.DecENH = on; });
  connect(CheckBox9, &QCheckBox::toggled, this, [this, &settings](bool on) {
    settings.ShowSpec = on;
    main_.SetSpectrumVisible(on);
  });
  connect(CheckBox4, &QCheckBox::toggled, this, [this] { CheckBox4Click(); });
  connect(CheckBox3, &QCheckBox::toggled, this, [this] { CheckBox3Click(); });
  connect(CheckBox5, &QCheckBox::toggled, this, [this] { CheckBox5Click(); });
  UpDown2->SetOnClick([this] { UpDown2Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(CheckBox8, &QCheckBox::toggled, this, [this] { CheckBox8Click(); });
  connect(CheckBox6, &QCheckBox::toggled, this, [&settings](bool on) { settings.DistAck = on; });
  connect(CheckBox7, &QCheckBox::toggled, this, [&settings](bool on) { settings.DistRly = on; });
  connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
  for (QPushButton* button : {Button1, Button2, Button3}) {
    button->setAutoDefault(false);
  }
}

void TForm2::ShowModal() {
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
}

void TForm2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TForm2::FormShow() {
  const AppSettings& settings = main_.Settings();
  PlaceOnDesktop();
  SetDeviceLabel(settings.WaveInName == kDefaultInputDeviceName
                     ? QString(kDefaultDeviceLabel)
                     : QString::fromStdString(settings.WaveInName));
  (settings.DecVHF ? RadioButton2 : RadioButton1)->setChecked(true);
  CheckBox1->setChecked(settings.DecAFC);
  CheckBox2->setChecked(settings.DecAPS);
  UpdatePolarityDisplay();
  CheckBox10->setChecked(settings.DecENH);
  UpDown1->SetPosition(settings.DecFc);
  Label4->setText(FrequencyText(settings.DecFc));
  UpdateHfOnlyControls();
  UpdateSwatch();
  CheckBox4->setChecked(settings.CheckAdd);
  CheckBox3->setChecked(settings.NoMsgAdd);
  CheckBox9->setChecked(settings.ShowSpec);
  CheckBox5->setChecked(settings.TimeDel);
  CheckBox5Click();
  UpDown2->SetPosition(settings.DelMin);
  Label8->setText(QString::fromStdString(PassedTimeText(settings.DelMin)));
  CheckBox8->setChecked(settings.DistAlt);
  CheckBox6->setChecked(settings.DistAck);
  CheckBox7->setChecked(settings.DistRly);
  CheckBox8Click();
  Outputs->ShowSettings();
}

void TForm2::PlaceOnDesktop() {
  const QRect owner = main_.frameGeometry();
  const QPoint centred = CentredOn(owner, frameGeometry().size());
  move(KeptInside(QRect(centred, frameGeometry().size()), DesktopRectangle()));
}

void TForm2::UpdatePolarityDisplay() {
  // The pair always shows the polarity the decoder uses: automatic polarity
  // may have flipped it, and at the first showing the layout's "Positive"
  // would otherwise stand for an inverted setting.
  (main_.Settings().DecINV ? SpeedButton2 : SpeedButton1)->setChecked(true);
  const bool manual = !CheckBox2->isChecked();
  Label6->setEnabled(manual);
  SpeedButton1->setEnabled(manual);
  SpeedButton2->setEnabled(manual);
}

void TForm2::UpdateHfOnlyControls() {
  const bool hf = RadioButton1->isChecked();
  for (QWidget* control : {static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label4),
                           static_cast<QWidget*>(UpDown1), static_cast<QWidget*>(CheckBox1)}) {
    control->setEnabled(hf);
  }
}

void TForm2::UpdateSwatch() {
  QPalette palette = Panel2->palette();
  palette.setColor(QPalette::Window, ToQColor(main_.Settings().BackColor));
  Panel2->setPalette(palette);
}

void TForm2::Button1Click() {
  if (device_dialog_ != nullptr) {
    device_dialog_->ShowModal(*this);
  }
}

void TForm2::RadioButton1Click() {
  main_.Settings().DecVHF = false;
  main_.Decoder().SetUpDecoderMode();
  UpdateHfOnlyControls();
}

void TForm2::RadioButton2Click() {
  main_.Settings().DecVHF = true;
  main_.Decoder().SetUpDecoderMode();
  UpdateHfOnlyControls();
}

void TForm2::CheckBox2Click() {
  main_.Settings().DecAPS = CheckBox2->isChecked();
  UpdatePolarityDisplay();
}

void TForm2::UpDown1Click() {
  main_.Settings().DecFc = UpDown1->Position();
  main_.Decoder().ApplyCentreFrequency();
  Label4->setText(FrequencyText(UpDown1->Position()));
}

void TForm2::Button2Click() {
  AppSettings& settings = main_.Settings();
  QFont preset(QString::fromStdString(settings.FontName));
  preset.setPointSize(std::max(1, settings.FontSize));
  const std::optional<QFont> font = main_.Dialogs().PickFont(this, preset);
  if (!font) {
    return;
  }
  // Qt's font picker has no colour: the colour picker for the text follows.
  const std::optional<QColor> color =
      main_.Dialogs().PickColor(this, ToQColor(settings.FontColor), "Font color");
  settings.FontName = font->family().toStdString();
  settings.FontSize = font->pointSize();
  if (color) {
    settings.FontColor = ToColorValue(*color);
  }
  main_.ApplyListStyle();
}

void TForm2::Panel2Click() {
  AppSettings& settings = main_.Settings();
  const std::optional<QColor> color =
      main_.Dialogs().PickColor(this, ToQColor(settings.BackColor), "Back ground color");
  if (!color) {
    return;
  }
  settings.BackColor = ToColorValue(*color);
  UpdateSwatch();
  main_.ApplyListStyle();
}

void TForm2::CheckBox4Click() {
  main_.Settings().CheckAdd = CheckBox4->isChecked();
  if (CheckBox4->isChecked()) {
    main_.Decoder().List().PurgeDuplicateStations();
  }
}

void TForm2::CheckBox3Click() {
  main_.Settings().NoMsgAdd = CheckBox3->isChecked();
  if (CheckBox3->isChecked()) {
    main_.Decoder().List().PurgeNoInformation();
  }
}

void TForm2::CheckBox5Click() {
  const bool on = CheckBox5->isChecked();
  main_.Settings().TimeDel = on;
  Label7->setEnabled(on);
  Label8->setEnabled(on);
  UpDown2->setEnabled(on);
}

void TForm2::UpDown2Click() {
  main_.Settings().DelMin = UpDown2->Position();
  Label8->setText(QString::fromStdString(PassedTimeText(UpDown2->Position())));
}

void TForm2::CheckBox8Click() {
  const bool on = CheckBox8->isChecked();
  main_.Settings().DistAlt = on;
  CheckBox6->setEnabled(on);
  CheckBox7->setEnabled(on);
}

void TForm2::Button3Click() {
  main_.Sound().Play(main_.WarnWavPath());
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == Panel2) && event->type() == QEvent::MouseButtonRelease) {
    Panel2Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tolvik
