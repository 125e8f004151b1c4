#include "ui/OutputsGroup.h"

#include <QIntValidator>

#include "base/SettingRanges.h"
#include "outputs/StationName.h"
#include "ui/TForm1.h"

namespace tolvik {

namespace {

// Rows 26 pixels apart: a line edit's height and a little air. The hosts
// and the folder stand in one column, the ports in another; each label
// ends just before its field.
constexpr int kFirstRowTop = 20;
constexpr int kRowStep = 26;
constexpr int kEditHeight = 21;
constexpr int kLabelDrop = 3;  // a label's text on the edit's text line
constexpr int kLabelGap = 4;   // between a label and its field
constexpr int kSwitchLeft = 12;
constexpr int kHostLeft = 142;
constexpr int kHostWidth = 100;
constexpr int kPortLeft = 280;
constexpr int kPortWidth = 46;
constexpr int kRightHalfLeft = 338;
constexpr int kRightEdge = 500;
constexpr int kBrowseWidth = 26;
constexpr int kFormatWidth = 78;
constexpr int kPortDigits = 5;

int RowTop(int row) {
  return kFirstRowTop + row * kRowStep;
}

// A field's caption, ending kLabelGap before the field's left edge.
QLabel* LabelBefore(const char* caption, QWidget* parent, int field_left, int row) {
  auto* label = new QLabel(caption, parent);
  label->adjustSize();
  label->move(field_left - kLabelGap - label->width(), RowTop(row) + kLabelDrop);
  return label;
}

QLineEdit* Field(QWidget* parent, int left, int row, int width) {
  auto* edit = new QLineEdit(parent);
  edit->setGeometry(left, RowTop(row), width, kEditHeight);
  return edit;
}

QLineEdit* PortField(QWidget* parent, int left, int row) {
  QLineEdit* edit = Field(parent, left, row, kPortWidth);
  // Only a whole port in range is a finished field: a port half typed, 0 or
  // 70000 is never taken.
  edit->setValidator(new QIntValidator(kLowestPort, kHighestPort, edit));
  edit->setMaxLength(kPortDigits);
  return edit;
}

QCheckBox* Switch(const char* caption, QWidget* parent, int left, int row) {
  auto* box = new QCheckBox(caption, parent);
  box->adjustSize();
  box->move(left, RowTop(row) + 1);
  return box;
}

QPushButton* BrowseButton(QWidget* parent, int left, int row) {
  auto* button = new QPushButton("...", parent);
  button->setGeometry(left, RowTop(row), kBrowseWidth, kEditHeight);
  button->setAutoDefault(false);
  return button;
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

OutputsGroup::OutputsGroup(QWidget* parent, TForm1& main_window)
    : QGroupBox("Outputs", parent), main_(main_window) {
  resize(kWidth, kHeight);
  CreateNmeaRow();
  CreateMqttRows();
  CreateLogRow();
  ConnectHandlers();
}

void OutputsGroup::CreateNmeaRow() {
  constexpr int kRow = 0;
  CheckBox11 = Switch("NMEA UDP", this, kSwitchLeft, kRow);
  Label12 = LabelBefore("Host", this, kHostLeft, kRow);
  Edit1 = Field(this, kHostLeft, kRow, kHostWidth);
  Edit1->setToolTip(
      "Host or address the sentences go to; a broadcast address reaches every "
      "plotter of the network");
  Label13 = LabelBefore("Port", this, kPortLeft, kRow);
  Edit2 = PortField(this, kPortLeft, kRow);
  CheckBox12 = Switch("NMEA TCP", this, kRightHalfLeft, kRow);
  constexpr int kTcpPortLeft = kRightEdge - kPortWidth;
  Label14 = LabelBefore("Port", this, kTcpPortLeft, kRow);
  Edit3 = PortField(this, kTcpPortLeft, kRow);
  Edit3->setToolTip("Port of the TCP server that plotters connect to");
}

void OutputsGroup::CreateMqttRows() {
  constexpr int kRow = 1;
  CheckBox13 = Switch("MQTT", this, kSwitchLeft, kRow);
  Label15 = LabelBefore("Host", this, kHostLeft, kRow);
  Edit4 = Field(this, kHostLeft, kRow, kHostWidth);
  Edit4->setToolTip("The MQTT broker");
  Label16 = LabelBefore("Port", this, kPortLeft, kRow);
  Edit5 = PortField(this, kPortLeft, kRow);
  Label17 = new QLabel("Station", this);
  Label17->adjustSize();
  Label17->move(kRightHalfLeft, RowTop(kRow) + kLabelDrop);
  const int station_left = kRightHalfLeft + Label17->width() + kLabelGap;
  Edit6 = Field(this, station_left, kRow, kRightEdge - station_left);
  Edit6->setPlaceholderText(Text(StationName("")));
  Edit6->setToolTip(
      "The station's name in the topics tolvik/<station>/call and "
      "tolvik/<station>/status; empty: this machine's name");

  constexpr int kCredentialsRow = 2;
  constexpr int kBrowseLeft = kRightEdge - kBrowseWidth;
  Label18 = LabelBefore("Credentials file", this, kHostLeft, kCredentialsRow);
  Edit7 = Field(this, kHostLeft, kCredentialsRow, kBrowseLeft - kLabelGap - kHostLeft);
  Edit7->setPlaceholderText("none");
  Edit7->setToolTip("A file with the broker's user name and password");
  Button4 = BrowseButton(this, kBrowseLeft, kCredentialsRow);
}

void OutputsGroup::CreateLogRow() {
  constexpr int kRow = 3;
  CheckBox14 = Switch("Daily log", this, kSwitchLeft, kRow);
  Label19 = LabelBefore("Folder", this, kHostLeft, kRow);
  constexpr int kFormatLeft = kRightEdge - kFormatWidth;
  Label20 = LabelBefore("Format", this, kFormatLeft, kRow);
  constexpr int kGapBeforeFormat = 10;
  const int browse_left = Label20->x() - kGapBeforeFormat - kBrowseWidth;
  Edit8 = Field(this, kHostLeft, kRow, browse_left - kLabelGap - kHostLeft);
  Edit8->setPlaceholderText(Text(main_.Outputs().DefaultLogFolder().string()));
  Edit8->setToolTip("One file per UTC day goes into this folder");
  Button5 = BrowseButton(this, browse_left, kRow);
  ComboBox1 = new QComboBox(this);
  ComboBox1->addItems({"CSV", "JSON lines"});  // in the order of LogFormat's values
  ComboBox1->setGeometry(kFormatLeft, RowTop(kRow), kFormatWidth, kEditHeight + 1);
}

void OutputsGroup::ConnectHandlers() {
  ConnectSwitch(CheckBox11, &AppSettings::NmeaUdp, {Label12, Edit1, Label13, Edit2});
  ConnectText(Edit1, &AppSettings::NmeaUdpHost);
  ConnectPort(Edit2, &AppSettings::NmeaUdpPort);
  ConnectSwitch(CheckBox12, &AppSettings::NmeaTcp, {Label14, Edit3});
  ConnectPort(Edit3, &AppSettings::NmeaTcpPort);
  ConnectSwitch(CheckBox13, &AppSettings::MqttOn,
                {Label15, Edit4, Label16, Edit5, Label17, Edit6, Label18, Edit7, Button4});
  ConnectText(Edit4, &AppSettings::MqttHost);
  ConnectPort(Edit5, &AppSettings::MqttPort);
  ConnectText(Edit6, &AppSettings::MqttStation);
  ConnectText(Edit7, &AppSettings::MqttCredentials);
  connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
  ConnectSwitch(CheckBox14, &AppSettings::LogOn, {Label19, Edit8, Button5, Label20, ComboBox1});
  ConnectText(Edit8, &AppSettings::LogFolder);
  connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) {
      main_.Settings().LogFormat = index;
      FollowSettings();
    }
  });
}

void OutputsGroup::ConnectSwitch(QCheckBox* box, bool AppSettings::*setting,
                                 std::vector<QWidget*> fields) {
  connect(box, &QCheckBox::toggled, this, [this, setting](bool on) {
    main_.Settings().*setting = on;
    UpdateEnabledFields();
    FollowSettings();
  });
  switches_.emplace_back(box, std::move(fields));
}

void OutputsGroup::ConnectText(QLineEdit* edit, std::string AppSettings::*setting) {
  connect(edit, &QLineEdit::editingFinished, this, [this, edit, setting] {
    // Spaces around a host or path are slips of the keyboard, never meant.
    const QString text = edit->text().trimmed();
    edit->setText(text);
    main_.Settings().*setting = text.toStdString();
    FollowSettings();
  });
}

void OutputsGroup::ConnectPort(QLineEdit* edit, int AppSettings::*setting) {
  connect(edit, &QLineEdit::editingFinished, this, [this, edit, setting] {
    main_.Settings().*setting = edit->text().toInt();
    FollowSettings();
  });
}

void OutputsGroup::ShowSettings() {
  const AppSettings& settings = main_.Settings();
  Edit1->setText(Text(settings.NmeaUdpHost));
  Edit2->setText(QString::number(settings.NmeaUdpPort));
  Edit3->setText(QString::number(settings.NmeaTcpPort));
  Edit4->setText(Text(settings.MqttHost));
  Edit5->setText(QString::number(settings.MqttPort));
  Edit6->setText(Text(settings.MqttStation));
  Edit7->setText(Text(settings.MqttCredentials));
  Edit8->setText(Text(settings.LogFolder));
  ComboBox1->setCurrentIndex(settings.LogFormat);
  CheckBox11->setChecked(settings.NmeaUdp);
  CheckBox12->setChecked(settings.NmeaTcp);
  CheckBox13->setChecked(settings.MqttOn);
  CheckBox14->setChecked(settings.LogOn);
  UpdateEnabledFields();
}

void OutputsGroup::UpdateEnabledFields() {
  for (const auto& [box, fields] : switches_) {
    for (QWidget* field : fields) {
      field->setEnabled(box->isChecked());
    }
  }
}

void OutputsGroup::Button4Click() {
  const std::optional<QString> file =
      main_.Dialogs().PickFile(this, Edit7->text(), "MQTT credentials file");
  if (!file) {
    return;
  }
  Edit7->setText(*file);
  main_.Settings().MqttCredentials = file->toStdString();
  FollowSettings();
}

void OutputsGroup::Button5Click() {
  const QString start =
      Edit8->text().isEmpty() ? Text(main_.Outputs().LogFolder().string()) : Edit8->text();
  const std::optional<QString> folder = main_.Dialogs().PickFolder(this, start, "Log folder");
  if (!folder) {
    return;
  }
  Edit8->setText(*folder);
  main_.Settings().LogFolder = folder->toStdString();
  FollowSettings();
}

void OutputsGroup::FollowSettings() {
  main_.Outputs().FollowSettings();
}

}  // namespace tolvik
