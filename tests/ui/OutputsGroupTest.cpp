#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiTestDoubles.h"
#include "base/CaptureBlock.h"
#include "demod/FskModulator.h"
#include "dsc/DscEncoder.h"
#include "outputs/TcpSentenceServer.h"
#include "support/UdpListener.h"
#include "support/WorkedExample.h"
#include "ui/TForm1.h"
#include "ui/TForm2.h"

namespace tolvik::testing {
namespace {

// The worked example from 366123450, or the same call from another ship,
// to tell calls apart at a listener.
DscMessage FromShip(const std::string& self_id) {
  DscMessage message = WorkedExampleMessage();
  message.SelfId = self_id;
  return message;
}

constexpr const char* kWorkedExampleStart = "$CDDSC,20,3661234500,00,";
constexpr const char* kOtherShipStart = "$CDDSC,20,2320010000,00,";

class OutputsGroupTest : public ::testing::Test {
 protected:
  void Open(const std::string& settings_text = "[Wave]\nDecVHF=1\n") {
    fixture_.WriteSettings(settings_text);
    window_ = &fixture_.Create();
    window_->show();
    dialog_ = std::make_unique<TForm2>(*window_);
    window_->SetWindows(dialog_.get(), nullptr, nullptr);
    window_->Button1Click();
    QApplication::processEvents();
    outputs_ = dialog_->Outputs;
  }

  // The message as a VHF transmitter sends it, with idle tone around, into
  // the main window's capture path, block by block as a sound card
  // delivers it; then the end of input, so that the call is not left
  // waiting for its look-ahead.
  void Transmit(const DscMessage& message) {
    std::vector<std::uint8_t> bits(50, 1);
    const std::vector<std::uint8_t> call = EncodeMessage(message, kLongDotPatternBits);
    bits.insert(bits.end(), call.begin(), call.end());
    bits.insert(bits.end(), 60, 1);
    std::vector<double> samples;
    constexpr double kAmplitude = 8000;
    FskModulator(1300, 2100, 1200, kAmplitude).Modulate(bits, samples);
    samples.resize((samples.size() / kFramesPerBlock + 1) * kFramesPerBlock, 0.0);
    CaptureBlock block{};
    for (std::size_t start = 0; start < samples.size(); start += kFramesPerBlock) {
      FillCaptureBlock(std::span<const double>(samples).subspan(start, kFramesPerBlock), block);
      fixture_.capture->FeedCaptured(block);
    }
    window_->Decoder().FinishInput();
  }

  // Types into a field and finishes it with Enter, as the user does.
  static void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
  }

  std::string Panel0() const {
    return window_->StatusBar1->PanelText(StatusPanel::Decoder).toStdString();
  }
  AppSettings& Settings() { return window_->Settings(); }
  int Rows() const { return window_->Decoder().List().Count(); }

  MainWindowFixture fixture_;
  TForm1* window_ = nullptr;
  std::unique_ptr<TForm2> dialog_;
  OutputsGroup* outputs_ = nullptr;
};

TEST_F(OutputsGroupTest, TheGroupSitsBelowTheOthersAndShowsTheSettingsGreyedWhileOff) {
  Open("[Outputs]\nNmeaUdpHost=192.168.1.255\nNmeaUdpPort=2000\nMqttStation=west\nLogFormat=1\n");
  EXPECT_EQ(outputs_->title(), "Outputs");
  EXPECT_EQ(outputs_->geometry(), QRect(8, 352, 510, 130));
  EXPECT_EQ(dialog_->size(), QSize(526, 490));
  EXPECT_EQ(outputs_->Edit1->text(), "192.168.1.255");
  EXPECT_EQ(outputs_->Edit2->text(), "2000");
  EXPECT_EQ(outputs_->Edit3->text(), "10110");
  EXPECT_EQ(outputs_->Edit4->text(), "localhost");
  EXPECT_EQ(outputs_->Edit5->text(), "1883");
  EXPECT_EQ(outputs_->Edit6->text(), "west");
  EXPECT_EQ(outputs_->ComboBox1->currentText(), "JSON lines");
  for (QWidget* field :
       {static_cast<QWidget*>(outputs_->Edit1), static_cast<QWidget*>(outputs_->Edit3),
        static_cast<QWidget*>(outputs_->Button4), static_cast<QWidget*>(outputs_->ComboBox1)}) {
    EXPECT_FALSE(field->isEnabled());
  }
  outputs_->CheckBox13->click();
  EXPECT_TRUE(Settings().MqttOn);
  EXPECT_TRUE(outputs_->Edit7->isEnabled());
  EXPECT_FALSE(outputs_->Edit1->isEnabled());
  // Empty fields say what stands in for them.
  EXPECT_FALSE(outputs_->Edit8->placeholderText().isEmpty());
  EXPECT_TRUE(outputs_->Edit8->placeholderText().endsWith("tolvik-logs"));
}

TEST_F(OutputsGroupTest, NmeaUdpTickedSendsADecodedCallToTheListenerAndUntickedStops) {
  UdpListener listener;
  Open();
  outputs_->CheckBox11->click();  // the fields are greyed out while off
  ASSERT_TRUE(Settings().NmeaUdp);
  Type(outputs_->Edit2, QString::number(listener.Port()));
  EXPECT_EQ(Settings().NmeaUdpPort, listener.Port());
  Transmit(WorkedExampleMessage());
  ASSERT_EQ(Rows(), 1);
  const std::string sentence = listener.Receive();
  EXPECT_TRUE(sentence.starts_with(kWorkedExampleStart)) << sentence;
  EXPECT_TRUE(sentence.ends_with("\r\n")) << sentence;

  // Off: the call decoded now never reaches the listener. The first
  // datagram after switching on again is the call decoded after that.
  outputs_->CheckBox11->click();
  Transmit(FromShip("232001000"));
  ASSERT_EQ(Rows(), 2);
  outputs_->CheckBox11->click();
  Transmit(WorkedExampleMessage());
  const std::string next = listener.Receive();
  EXPECT_TRUE(next.starts_with(kWorkedExampleStart)) << next;
}

TEST_F(OutputsGroupTest, APortIsTakenOnlyWhenItsFieldIsFinishedAndInRange) {
  UdpListener listener;
  Open();
  outputs_->CheckBox11->click();
  outputs_->Edit2->selectAll();
  QTest::keyClicks(outputs_->Edit2, QString::number(listener.Port()));
  EXPECT_EQ(Settings().NmeaUdpPort, 10110);  // typed, not finished

  // 0 and 70000 are not ports: Enter leaves the setting as it was.
  Type(outputs_->Edit2, "0");
  EXPECT_EQ(Settings().NmeaUdpPort, 10110);
  Type(outputs_->Edit2, "70000");
  EXPECT_EQ(Settings().NmeaUdpPort, 10110);

  Type(outputs_->Edit2, QString::number(listener.Port()));
  EXPECT_EQ(Settings().NmeaUdpPort, listener.Port());
  EXPECT_EQ(Panel0(), "NMEA over UDP to 127.0.0.1:" + std::to_string(listener.Port()));
  Transmit(WorkedExampleMessage());
  EXPECT_TRUE(listener.Receive().starts_with(kWorkedExampleStart));
}

TEST_F(OutputsGroupTest, ATcpPortInUseIsReportedInPanel0AndTheProgramGoesOn) {
  const TcpSentenceServer occupant(0);
  UdpListener listener;
  Open();
  outputs_->CheckBox12->click();
  ASSERT_TRUE(Settings().NmeaTcp);
  Type(outputs_->Edit3, QString::number(occupant.Port()));
  EXPECT_TRUE(fixture_.dialogs.errors.empty());  // no box to click away
  const std::string shown = Panel0();
  EXPECT_TRUE(shown.starts_with("NMEA over TCP on port " + std::to_string(occupant.Port())))
      << shown;
  EXPECT_NE(shown.find("in use"), std::string::npos) << shown;
  EXPECT_EQ(window_->Outputs().NmeaTcpServer(), nullptr);

  // Decoding and the other outputs go on.
  outputs_->CheckBox11->click();
  Type(outputs_->Edit2, QString::number(listener.Port()));
  Transmit(WorkedExampleMessage());
  EXPECT_EQ(Rows(), 1);
  EXPECT_TRUE(listener.Receive().starts_with(kWorkedExampleStart));
}

TEST_F(OutputsGroupTest, OutputsOnInTheSettingsFileRunFromTheStart) {
  UdpListener listener;
  Open("[Wave]\nDecVHF=1\n[Outputs]\nNmeaUdp=1\nNmeaUdpPort=" + std::to_string(listener.Port()) +
       "\n");
  Transmit(FromShip("232001000"));
  EXPECT_TRUE(listener.Receive().starts_with(kOtherShipStart));
}

TEST_F(OutputsGroupTest, AHostThatDoesNotResolveIsReportedAndTheWindowStaysUsable) {
  Open("[Outputs]\nNmeaUdp=1\nNmeaUdpHost=no-such-host.invalid\n");
  // The name is looked up on a thread of its own. No blocks come here, so
  // it is the window's timer that passes the answer on to panel 0. A
  // resolver with no name server to ask takes its whole timeout to say no.
  constexpr int kResolverPatienceMs = 20000;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return Panel0().starts_with("NMEA over UDP to no-such-host.invalid:10110: cannot resolve");
      },
      kResolverPatienceMs))
      << Panel0();
  EXPECT_TRUE(fixture_.dialogs.errors.empty());
  Type(outputs_->Edit1, "  127.0.0.1 ");
  EXPECT_EQ(Settings().NmeaUdpHost, "127.0.0.1");  // the stray spaces dropped
  EXPECT_NE(window_->Outputs().NmeaUdpSender(), nullptr);
}

TEST_F(OutputsGroupTest, TheChoosersFillTheirFieldsAndCancelledChangeNothing) {
  Open("[Outputs]\nLogOn=1\nMqttOn=1\n");
  const QString default_folder =
      QString::fromStdString(window_->Outputs().DefaultLogFolder().string());
  fixture_.dialogs.folder_answer.reset();
  outputs_->Button5Click();
  ASSERT_EQ(fixture_.dialogs.folder_presets.size(), 1u);
  EXPECT_EQ(fixture_.dialogs.folder_presets[0], default_folder);  // opens where the log goes
  EXPECT_EQ(Settings().LogFolder, "");

  fixture_.dialogs.folder_answer = "/srv/dsc logs";
  outputs_->Button5Click();
  EXPECT_EQ(Settings().LogFolder, "/srv/dsc logs");
  EXPECT_EQ(outputs_->Edit8->text(), "/srv/dsc logs");
  EXPECT_EQ(window_->Outputs().LogFolder(), "/srv/dsc logs");

  fixture_.dialogs.file_answer = "/home/radio/.mqtt";
  outputs_->Button4Click();
  EXPECT_EQ(Settings().MqttCredentials, "/home/radio/.mqtt");
  EXPECT_EQ(outputs_->Edit7->text(), "/home/radio/.mqtt");

  outputs_->ComboBox1->setCurrentIndex(1);
  EXPECT_EQ(Settings().LogFormat, kLogFormatJsonLines);
  window_->close();
  const std::string saved = fixture_.ReadSettings();
  EXPECT_NE(saved.find("\nLogFolder=/srv/dsc logs\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\nMqttCredentials=/home/radio/.mqtt\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\nLogFormat=1\n"), std::string::npos) << saved;
}

}  // namespace
}  // namespace tolvik::testing
