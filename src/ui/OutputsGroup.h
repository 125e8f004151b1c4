#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <utility>
#include <vector>

#include "settings/AppSettings.h"

namespace tolvik {

class TForm1;

// The settings dialog's "Outputs" group: where the rows go beside the list.
// NMEA sentences over UDP to a host and port and from a TCP server on a
// port; MQTT messages to a broker under a station name, with the broker's
// user and password in a file; a daily log in a folder as CSV or JSON
// lines. A box or the format takes effect when it is operated, a field
// when it is finished (Enter, or the focus leaving it), never at each key
// press, so that a port half typed opens nothing. The fields of an output
// that is off are greyed out.
class OutputsGroup final : public QGroupBox {
 public:
  static constexpr int kWidth = 510;
  static constexpr int kHeight = 130;

  OutputsGroup(QWidget* parent, TForm1& main_window);

  // The controls from the settings, as each showing of the dialog does.
  void ShowSettings();

  // NMEA over UDP
  QCheckBox* CheckBox11;
  QLabel* Label12;
  QLineEdit* Edit1;  // host
  QLabel* Label13;
  QLineEdit* Edit2;  // port
  // NMEA over TCP
  QCheckBox* CheckBox12;
  QLabel* Label14;
  QLineEdit* Edit3;  // port
  // MQTT
  QCheckBox* CheckBox13;
  QLabel* Label15;
  QLineEdit* Edit4;  // host
  QLabel* Label16;
  QLineEdit* Edit5;  // port
  QLabel* Label17;
  QLineEdit* Edit6;  // station
  QLabel* Label18;
  QLineEdit* Edit7;  // credentials file
  QPushButton* Button4;
  // Daily log
  QCheckBox* CheckBox14;
  QLabel* Label19;
  QLineEdit* Edit8;  // folder
  QPushButton* Button5;
  QLabel* Label20;
  QComboBox* ComboBox1;  // "CSV", "JSON lines"

  // The "..." buttons, public so that tests can run them as clicks do.
  void Button4Click();
  void Button5Click();

 private:
  void CreateNmeaRow();
  void CreateMqttRows();
  void CreateLogRow();
  void ConnectHandlers();
  // A box that switches an output and greys its fields out while off.
  void ConnectSwitch(QCheckBox* box, bool AppSettings::*setting, std::vector<QWidget*> fields);
  void ConnectText(QLineEdit* edit, std::string AppSettings::*setting);
  void ConnectPort(QLineEdit* edit, int AppSettings::*setting);
  void UpdateEnabledFields();
  // The outputs follow what has just been changed.
  void FollowSettings();

  TForm1& main_;
  std::vector<std::pair<QCheckBox*, std::vector<QWidget*>>> switches_;
};

}  // namespace tolvik
