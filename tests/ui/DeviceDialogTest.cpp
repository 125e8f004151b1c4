#include <QElapsedTimer>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include "UiTestDoubles.h"
#include "ui/DialogPlacement.h"
#include "ui/SoundSettingsCommand.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"
#include "ui/TForm8.h"

namespace tolvik::testing {
namespace {

class DeviceDialogTest : public ::testing::Test {
 protected:
  void Create(const std::string& settings_text = "") {
    if (!settings_text.empty()) {
      fixture_.WriteSettings(settings_text);
    }
    window_ = &fixture_.Create();
    dialog_ = std::make_unique<TForm8>(*window_);
    settings_ = std::make_unique<TForm2>(*window_);
    settings_->SetDeviceDialog(dialog_.get());
  }

  void ShowDialog() {
    dialog_->ShowModal(*settings_);
    QApplication::processEvents();
  }

  MainWindowFixture fixture_;
  TForm1* window_ = nullptr;
  std::unique_ptr<TForm8> dialog_;
  std::unique_ptr<TForm2> settings_;
};

TEST_F(DeviceDialogTest, ListsTheDefaultThenEveryDeviceAndOpensTheStoredOne) {
  Create("[Wave]\nWaveInName=Line In\n");
  EXPECT_EQ(dialog_->windowTitle(), "Select wave input device");
  ASSERT_EQ(dialog_->ComboBox1->count(), 3);
  EXPECT_EQ(dialog_->ComboBox1->itemText(0), "Default input device");
  EXPECT_EQ(dialog_->ComboBox1->itemText(2), "Line In");
  EXPECT_EQ(window_->InputDeviceIndex(), 2);
  EXPECT_EQ(dialog_->ComboBox1->currentIndex(), 2);
  EXPECT_EQ(fixture_.capture->events, std::vector<std::string>{"open 2"});
  EXPECT_TRUE(fixture_.dialogs.informations.empty());
  EXPECT_EQ(dialog_->Label1->text(), "Sound settings");
}

TEST_F(DeviceDialogTest, EmptyNameMeansTheDefaultDeviceAndStaysEmpty) {
  Create("[Wave]\nWaveInName=\n");
  EXPECT_EQ(window_->InputDeviceIndex(), 0);
  EXPECT_EQ(window_->Settings().WaveInName, "");
  EXPECT_EQ(fixture_.capture->events, std::vector<std::string>{"open 0"});
}

TEST_F(DeviceDialogTest, AMissingDeviceFallsBackToTheDefaultWithAMessage) {
  Create("[Wave]\nWaveInName=Gone Away\n");
  EXPECT_EQ(fixture_.dialogs.informations, std::vector<QString>{"Open default input device."});
  EXPECT_EQ(window_->InputDeviceIndex(), 0);
  EXPECT_EQ(window_->Settings().WaveInName, "Default input device");
  EXPECT_EQ(fixture_.capture->events, std::vector<std::string>{"open 0"});
}

TEST_F(DeviceDialogTest, FindDeviceEntryIsExactAndCaseSensitive) {
  Create();
  EXPECT_EQ(dialog_->FindDeviceEntry(""), 0);
  EXPECT_EQ(dialog_->FindDeviceEntry("Default input device"), 0);
  EXPECT_EQ(dialog_->FindDeviceEntry("USB Audio"), 1);
  EXPECT_EQ(dialog_->FindDeviceEntry("usb audio"), -1);
  EXPECT_EQ(dialog_->FindDeviceEntry("USB Audio "), -1);
}

TEST_F(DeviceDialogTest, OkWithTheSelectionUnchangedOnlyCloses) {
  Create();
  ShowDialog();
  EXPECT_TRUE(dialog_->isVisible());
  QElapsedTimer timer;
  timer.start();
  dialog_->Button1->click();
  EXPECT_LT(timer.elapsed(), TForm8::kSwitchPauseMs / 2);  // no pause
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(fixture_.capture->events, std::vector<std::string>{"open 0"});
}

TEST_F(DeviceDialogTest, EnterInTheDeviceListActivatesCancel) {
  Create();
  ShowDialog();
  dialog_->ComboBox1->setCurrentIndex(1);
  EXPECT_TRUE(dialog_->Button2->isDefault());
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(dialog_.get(), &enter);
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(window_->InputDeviceIndex(), 0);  // not applied
  ShowDialog();
  EXPECT_EQ(dialog_->ComboBox1->currentIndex(), 0);  // reset from the index
}

TEST_F(DeviceDialogTest, OkWithAnotherDeviceSwitchesCaptureAfterAPause) {
  Create();
  ShowDialog();
  dialog_->ComboBox1->setCurrentIndex(1);
  QElapsedTimer timer;
  timer.start();
  dialog_->Button1->click();
  EXPECT_GE(timer.elapsed(), TForm8::kSwitchPauseMs);
  EXPECT_EQ(fixture_.capture->events, (std::vector<std::string>{"open 0", "close", "open 1"}));
  EXPECT_EQ(window_->Settings().WaveInName, "USB Audio");
  EXPECT_EQ(settings_->Label2->text(), "USB Audio");
  EXPECT_FALSE(dialog_->isVisible());
}

TEST(SoundSettingsCommandTest, PavucontrolOnItsRecordingTabElseTheDesktopsSettings) {
  const auto with = [](std::vector<QString> present) {
    return [present](const QString& program) {
      return std::find(present.begin(), present.end(), program) != present.end();
    };
  };
  const auto pavucontrol = SoundSettingsCommand(with({"pavucontrol", "gnome-control-center"}));
  ASSERT_TRUE(pavucontrol);
  EXPECT_EQ(pavucontrol->Program, "pavucontrol");
  EXPECT_EQ(pavucontrol->Arguments, QStringList{"--tab=2"});
  const auto gnome = SoundSettingsCommand(with({"gnome-control-center"}));
  ASSERT_TRUE(gnome);
  EXPECT_EQ(gnome->Program, "gnome-control-center");
  EXPECT_FALSE(SoundSettingsCommand(with({})));
}

TEST(DialogPlacementTest, CentredThenKeptInsideTheDesktop) {
  EXPECT_EQ(CentredOn(QRect(100, 100, 801, 501), QSize(300, 200)), QPoint(350, 250));
  const QRect desktop(0, 0, 1024, 768);
  EXPECT_EQ(KeptInside(QRect(-50, -20, 300, 200), desktop), QPoint(0, 0));
  EXPECT_EQ(KeptInside(QRect(900, 700, 300, 200), desktop), QPoint(724, 568));
  EXPECT_EQ(KeptInside(QRect(10, 10, 300, 200), desktop), QPoint(10, 10));
}

}  // namespace
}  // namespace tolvik::testing
