#include <gtest/gtest.h>

#include "UiTestDoubles.h"
#include "ui/PassedTimeText.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"

namespace tolvik::testing {
namespace {

class SettingsDialogTest : public ::testing::Test {
 protected:
  void Open(const std::string& settings_text = "") {
    if (!settings_text.empty()) {
      fixture_.WriteSettings(settings_text);
    }
    window_ = &fixture_.Create();
    window_->show();
    dialog_ = std::make_unique<TForm2>(*window_);
    window_->SetWindows(dialog_.get(), nullptr, nullptr);
  }

  void ShowDialog() {
    window_->Button1Click();
    QApplication::processEvents();
  }

  AppSettings& Settings() { return window_->Settings(); }
  QString ModePanel() { return window_->StatusBar1->PanelText(StatusPanel::Mode); }
  ReceiveList& List() { return window_->Decoder().List(); }

  MainWindowFixture fixture_;
  TForm1* window_ = nullptr;
  std::unique_ptr<TForm2> dialog_;
};

TEST_F(SettingsDialogTest, FirstShowingSetsTheModeUpOnceAndLaterShowingsDoNot) {
  Open();
  window_->StatusBar1->SetPanelText(StatusPanel::Mode, "-");
  ShowDialog();
  EXPECT_EQ(dialog_->windowTitle(), "Settings");
  EXPECT_EQ(dialog_->size(), QSize(526, 490));
  EXPECT_TRUE(dialog_->RadioButton1->isChecked());
  EXPECT_EQ(ModePanel(), "HF DSC");  // SetUpDecoderMode ran
  dialog_->hide();
  window_->StatusBar1->SetPanelText(StatusPanel::Mode, "-");
  ShowDialog();
  EXPECT_EQ(ModePanel(), "-");  // the radio button did not change
}

TEST_F(SettingsDialogTest, ControlsShowTheSettingsAtEachShowing) {
  Open(
      "[Wave]\nWaveInName=USB Audio\nDecFc=95\nDecAPS=0\nDecINV=1\n[List]\nDelMin=7\n"
      "TimeDel=1\nDistAlt=0\n");
  ShowDialog();
  EXPECT_EQ(dialog_->Label2->text(), "USB Audio");
  EXPECT_EQ(dialog_->Label4->text(), "950 Hz");
  EXPECT_EQ(dialog_->UpDown1->Position(), 95);
  EXPECT_FALSE(dialog_->CheckBox2->isChecked());
  EXPECT_TRUE(dialog_->SpeedButton2->isChecked());  // DecINV shown as it is
  EXPECT_TRUE(dialog_->SpeedButton2->isEnabled());
  EXPECT_EQ(dialog_->Label8->text(), "1 hour 10 min");
  EXPECT_TRUE(dialog_->UpDown2->isEnabled());
  EXPECT_FALSE(dialog_->CheckBox6->isEnabled());
  EXPECT_FALSE(dialog_->CheckBox7->isEnabled());
  EXPECT_TRUE(dialog_->CheckBox6->isChecked());  // greyed, not unticked
}

TEST_F(SettingsDialogTest, DefaultDeviceIsShownByItsJapaneseName) {
  Open();
  ShowDialog();
  EXPECT_EQ(dialog_->Label2->text(), QString::fromUtf8("標準の入力デバイス"));
}

TEST_F(SettingsDialogTest, VhfDisablesTheHfControlsAndSetsTheModeUp) {
  Open();
  ShowDialog();
  dialog_->RadioButton2->click();
  EXPECT_TRUE(Settings().DecVHF);
  EXPECT_EQ(ModePanel(), "VHF DSC");
  EXPECT_FALSE(dialog_->UpDown1->isEnabled());
  EXPECT_FALSE(dialog_->CheckBox1->isEnabled());
  EXPECT_FALSE(dialog_->Label4->isEnabled());
  dialog_->RadioButton1->click();
  EXPECT_FALSE(Settings().DecVHF);
  EXPECT_EQ(ModePanel(), "HF DSC");
  EXPECT_TRUE(dialog_->UpDown1->isEnabled());
}

TEST_F(SettingsDialogTest, SpinnersStepByOneWithinTheirRanges) {
  Open("[Wave]\nDecFc=99\n[List]\nTimeDel=1\nDelMin=2\n");
  ShowDialog();
  dialog_->UpDown1->ClickUp();
  dialog_->UpDown1->ClickUp();
  EXPECT_EQ(Settings().DecFc, 100);
  EXPECT_EQ(dialog_->Label4->text(), "1000 Hz");
  dialog_->UpDown2->ClickDown();
  EXPECT_EQ(Settings().DelMin, 1);
  EXPECT_EQ(dialog_->Label8->text(), "10 min");
  dialog_->UpDown2->ClickDown();
  EXPECT_EQ(Settings().DelMin, 1);
}

TEST_F(SettingsDialogTest, PolarityFollowsTheButtonsOnlyWithoutAutomaticPolarity) {
  Open();
  ShowDialog();
  EXPECT_TRUE(dialog_->CheckBox2->isChecked());
  EXPECT_FALSE(dialog_->SpeedButton1->isEnabled());
  EXPECT_FALSE(dialog_->Label6->isEnabled());
  dialog_->CheckBox2->click();
  EXPECT_FALSE(Settings().DecAPS);
  dialog_->SpeedButton2->click();
  EXPECT_TRUE(Settings().DecINV);
  dialog_->SpeedButton1->click();
  EXPECT_FALSE(Settings().DecINV);
}

TEST_F(SettingsDialogTest, TickingThePurgesCleansTheListAndUntickingRestoresNothing) {
  Open();
  List().AddReceiveEntry(Call("232001000", "Ch16"));
  List().AddReceiveEntry(Call("232001000", "Ch06"));
  List().AddReceiveEntry(Call("211234560"));
  ShowDialog();
  dialog_->CheckBox3->click();
  EXPECT_TRUE(Settings().NoMsgAdd);
  EXPECT_EQ(List().Count(), 2);
  dialog_->CheckBox4->click();
  EXPECT_TRUE(Settings().CheckAdd);
  EXPECT_EQ(List().Count(), 1);
  dialog_->CheckBox3->click();
  EXPECT_FALSE(Settings().NoMsgAdd);
  EXPECT_EQ(List().Count(), 1);
}

TEST_F(SettingsDialogTest, FirstShowingWithCheckAddSetPurgesDuplicates) {
  Open("[List]\nCheckAdd=1\n");
  List().AddReceiveEntry(Call("232001000", "Ch16"));  // CheckAdd overwrites
  Settings().CheckAdd = false;
  List().AddReceiveEntry(Call("232001000", "Ch06"));
  Settings().CheckAdd = true;
  ASSERT_EQ(List().Count(), 2);
  ShowDialog();
  EXPECT_EQ(List().Count(), 1);
}

TEST_F(SettingsDialogTest, RemainingBoxesSetTheirSettingsAtOnce) {
  Open();
  ShowDialog();
  dialog_->CheckBox9->click();
  EXPECT_FALSE(Settings().ShowSpec);
  EXPECT_FALSE(window_->Panel3->isVisible());
  dialog_->CheckBox5->click();
  EXPECT_TRUE(Settings().TimeDel);
  EXPECT_TRUE(dialog_->Label7->isEnabled());
  dialog_->CheckBox1->click();
  EXPECT_FALSE(Settings().DecAFC);
  dialog_->CheckBox6->click();
  EXPECT_FALSE(Settings().DistAck);
  dialog_->CheckBox7->click();
  EXPECT_FALSE(Settings().DistRly);
  dialog_->CheckBox8->click();
  EXPECT_FALSE(Settings().DistAlt);
  EXPECT_FALSE(dialog_->CheckBox6->isEnabled());
  window_->close();
  const std::string saved = fixture_.ReadSettings();
  EXPECT_NE(saved.find("ShowSpec=0\n"), std::string::npos);
  EXPECT_NE(saved.find("DistAlt=0\n"), std::string::npos);
}

TEST_F(SettingsDialogTest, EnhancedDecodingFollowsTheBoxFromTheNextBlockAndIsSaved) {
  Open("[Wave]\nDecENH=1\n");
  ShowDialog();
  EXPECT_TRUE(dialog_->CheckBox10->isChecked());
  EXPECT_TRUE(window_->Decoder().EnhancedDecoding());
  dialog_->CheckBox10->click();
  EXPECT_FALSE(Settings().DecENH);
  fixture_.capture->FeedCaptured(CaptureBlock{});
  EXPECT_FALSE(window_->Decoder().EnhancedDecoding());
  dialog_->CheckBox10->click();
  EXPECT_TRUE(Settings().DecENH);
  fixture_.capture->FeedCaptured(CaptureBlock{});
  EXPECT_TRUE(window_->Decoder().EnhancedDecoding());
  dialog_->hide();
  Settings().DecENH = false;  // changed elsewhere: the next showing shows it
  ShowDialog();
  EXPECT_FALSE(dialog_->CheckBox10->isChecked());
  dialog_->CheckBox10->click();
  window_->close();
  EXPECT_NE(fixture_.ReadSettings().find("DecENH=1\n"), std::string::npos);
}

TEST_F(SettingsDialogTest, DecoderBoxesStayInsideTheirGroupAboveTheFontGroup) {
  Open();
  ShowDialog();
  const QWidget* group = dialog_->CheckBox10->parentWidget();
  for (const QWidget* box :
       {static_cast<QWidget*>(dialog_->CheckBox10), static_cast<QWidget*>(dialog_->CheckBox9)}) {
    EXPECT_TRUE(group->rect().contains(box->geometry())) << box->objectName().toStdString();
  }
  EXPECT_LT(dialog_->CheckBox10->geometry().bottom(), dialog_->CheckBox9->geometry().top());
  EXPECT_LT(group->geometry().bottom(), dialog_->Button2->parentWidget()->geometry().top());
  EXPECT_LE(dialog_->Button2->parentWidget()->geometry().bottom(), dialog_->height());
}

TEST_F(SettingsDialogTest, FontAndColourPickersChangeTheListOnlyWhenConfirmed) {
  Open();
  ShowDialog();
  dialog_->Button2Click();  // cancelled
  ASSERT_EQ(fixture_.dialogs.font_presets.size(), 1u);
  EXPECT_EQ(fixture_.dialogs.font_presets[0].family(), "Tahoma");
  EXPECT_EQ(fixture_.dialogs.font_presets[0].pointSize(), 8);
  EXPECT_EQ(Settings().FontName, "Tahoma");
  QFont chosen("DejaVu Sans");
  chosen.setPointSize(11);
  fixture_.dialogs.font_answer = chosen;
  fixture_.dialogs.color_answer = QColor(0, 0, 255);
  dialog_->Button2Click();
  EXPECT_EQ(Settings().FontName, "DejaVu Sans");
  EXPECT_EQ(Settings().FontSize, 11);
  EXPECT_EQ(Settings().FontColor, 0xFF0000u);  // blue in the high byte
  EXPECT_EQ(window_->ListView1->font().pointSize(), 11);
  fixture_.dialogs.color_answer = QColor(255, 255, 0);
  dialog_->Panel2Click();
  EXPECT_EQ(Settings().BackColor, 0x00FFFFu);
  EXPECT_EQ(window_->ListView1->palette().color(QPalette::Base), QColor(255, 255, 0));
  EXPECT_EQ(dialog_->Panel2->palette().color(QPalette::Window), QColor(255, 255, 0));
}

TEST_F(SettingsDialogTest, TestSoundPlaysWarnWav) {
  Open();
  ShowDialog();
  dialog_->Button3->click();
  ASSERT_EQ(fixture_.sound.played.size(), 1u);
  EXPECT_EQ(fixture_.sound.played[0], window_->WarnWavPath());
}

TEST_F(SettingsDialogTest, StaysOnTheDesktopNearItsEdge) {
  Open();
  window_->move(-700, -400);
  ShowDialog();
  EXPECT_GE(dialog_->frameGeometry().left(), 0);
  EXPECT_GE(dialog_->frameGeometry().top(), 0);
}

TEST(PassedTimeTextTest, HoursAndMinutesOfTenMinuteSteps) {
  EXPECT_EQ(PassedTimeText(1), "10 min");
  EXPECT_EQ(PassedTimeText(6), "1 hour");
  EXPECT_EQ(PassedTimeText(7), "1 hour 10 min");
  EXPECT_EQ(PassedTimeText(143), "23 hour 50 min");
}

}  // namespace
}  // namespace tolvik::testing
