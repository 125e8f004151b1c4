#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "ui/OutputsGroup.h"
#include "ui/UpDownSpinner.h"

namespace tolvik {

class TForm1;
class TForm8;

// The settings dialog: every setting but the window placement and the
// column widths. There is no OK or Cancel: each control changes its setting
// the moment it is operated, and the change takes effect at once; the file
// is written when the main window closes. Each showing refreshes the
// controls from the settings, and setting a box that way runs its handler
// as a click would.
class TForm2 final : public QDialog {
 public:
  static constexpr int kClientWidth = 526;
  static constexpr int kClientHeight = 490;

  explicit TForm2(TForm1& main_window);

  void SetDeviceDialog(TForm8* device_dialog) { device_dialog_ = device_dialog; }

  // Application-modal, without a nested event loop: reception goes on.
  void ShowModal();

  // The current-device label, written by the device dialog too.
  void SetDeviceLabel(const QString& text) { Label2->setText(text); }

  // "Wave input device"
  QLabel* Label1;
  QLabel* Label2;
  QPushButton* Button1;
  // "DSC decoder"
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QLabel* Label3;
  QLabel* Label4;
  UpDownSpinner* UpDown1;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  QLabel* Label6;
  QPushButton* SpeedButton1;
  QPushButton* SpeedButton2;
  QCheckBox* CheckBox10;  // "Enhanced decoding"
  QCheckBox* CheckBox9;
  // "Receive list"
  QCheckBox* CheckBox4;
  QCheckBox* CheckBox3;
  QCheckBox* CheckBox5;
  QLabel* Label7;
  QLabel* Label8;
  UpDownSpinner* UpDown2;
  // "Receive list font"
  QPushButton* Button2;
  QFrame* Panel2;
  QLabel* Label11;
  // "Distress notification"
  QCheckBox* CheckBox8;
  QPushButton* Button3;
  QCheckBox* CheckBox6;
  QCheckBox* CheckBox7;
  // "Outputs": NMEA, MQTT and the daily log
  OutputsGroup* Outputs;

  // Handlers that are not check boxes or radio buttons, public so that tests
  // can run them as clicks do.
  void Button1Click();
  void Button2Click();
  void Button3Click();
  void Panel2Click();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateDeviceGroup();
  void CreateDecoderGroup();
  void CreateListGroup();
  void CreateFontGroup();
  void CreateDistressGroup();
  void CreateProductLabels();
  void CreateOutputsGroup();
  void ConnectHandlers();
  void FormShow();
  void PlaceOnDesktop();
  void UpdatePolarityDisplay();
  void UpdateHfOnlyControls();
  void UpdateSwatch();
  void RadioButton1Click();
  void RadioButton2Click();
  void CheckBox2Click();
  void CheckBox4Click();
  void CheckBox3Click();
  void CheckBox5Click();
  void CheckBox8Click();
  void UpDown1Click();
  void UpDown2Click();

  TForm1& main_;
  TForm8* device_dialog_ = nullptr;
};

}  // namespace tolvik
