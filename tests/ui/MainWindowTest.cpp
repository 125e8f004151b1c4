#include <QElapsedTimer>
#include <QHeaderView>

#include <cstdlib>

#include <gtest/gtest.h>

#include "UiTestDoubles.h"
#include "ui/TForm1.h"

namespace tolvik::testing {
namespace {

TEST(MainWindowTest, FirstStartWithoutSettingsFileIs800By500AtTopLeftInHfMode) {
  MainWindowFixture fixture;
  TForm1& window = fixture.Create();
  window.ShowAsPlaced();
  EXPECT_EQ(window.windowTitle(), "Tolvik");
  EXPECT_EQ(window.size(), QSize(800, 500));
  EXPECT_EQ(window.pos(), QPoint(0, 0));
  EXPECT_FALSE(window.isMaximized());
  EXPECT_EQ(window.StatusBar1->PanelText(StatusPanel::Mode), "HF DSC");
  EXPECT_TRUE(fixture.monitor->open);
  EXPECT_TRUE(fixture.dialogs.errors.empty());
}

TEST(MainWindowTest, ControlsHaveTheirCaptionsAndTheListItsColumns) {
  MainWindowFixture fixture;
  TForm1& window = fixture.Create();
  EXPECT_EQ(window.Button1->text(), "Settings");
  EXPECT_EQ(window.Button2->text(), "List Clear");
  EXPECT_EQ(window.SpeedButton2->text(), "Eye Pattern");
  EXPECT_EQ(window.SpeedButton1->text(), "Monitor");
  EXPECT_TRUE(window.SpeedButton1->isCheckable());
  EXPECT_EQ(window.Button2->geometry(), QRect(80, 2, 70, 28));
  EXPECT_EQ(window.SpeedButton1->geometry(), QRect(232, 2, 70, 28));
  const QStringList captions = {"Category",    "From",     "To",  "Request / Status",
                                "Information", "Position", "Ack", "Time"};
  const std::vector<int> widths = {70, 90, 90, 100, 150, 150, 40, 60};
  for (int column = 0; column < 8; ++column) {
    EXPECT_EQ(window.ListModel().headerData(column, Qt::Horizontal).toString(), captions[column]);
    EXPECT_EQ(window.ListView1->columnWidth(column), widths[column]);
  }
  EXPECT_TRUE(window.ListView1->showGrid());
  EXPECT_EQ(window.ListView1->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_EQ(window.ListView1->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST(MainWindowTest, StoppedAtItsMinimumSize) {
  MainWindowFixture fixture;
  TForm1& window = fixture.Create();
  window.show();
  window.resize(100, 20);
  EXPECT_EQ(window.size(), QSize(600, 100));
}

TEST(MainWindowTest, WideningMovesLampAndSpectrumWithTheRightEdgeAndGrowsPanel0) {
  MainWindowFixture fixture;
  TForm1& window = fixture.Create();
  window.show();
  for (const int width : {800, 1100, 600}) {
    window.resize(width, 400);
    QApplication::processEvents();
    const int bar = window.Panel2->width();
    EXPECT_EQ(bar, width);
    EXPECT_EQ(window.Panel1->x(), bar - 11);
    EXPECT_EQ(window.Panel3->x(), bar - 102);
    // 80 and 50 pixels with Tahoma; with a wider font in its place each is
    // widened to its text, and panel 0 gives up the difference.
    const StatusBar& status = *window.StatusBar1;
    const int mode = status.Panel(StatusPanel::Mode).width();
    const int clock = status.Panel(StatusPanel::Clock).width();
    EXPECT_EQ(mode, status.ModePanelWidth());
    EXPECT_EQ(clock, status.ClockPanelWidth());
    EXPECT_GE(mode, 80);
    EXPECT_GE(clock, 50);
    EXPECT_GE(clock, status.Panel(StatusPanel::Clock).fontMetrics().horizontalAdvance("00:00:00"));
    EXPECT_EQ(status.Panel(StatusPanel::Decoder).width(),
              status.width() - 180 - (mode - 80) - (clock - 50));
  }
}

TEST(MainWindowTest, ResizedNormalWindowSavesItsNewSizeAndColumnWidths) {
  MainWindowFixture fixture;
  TForm1& window = fixture.Create();
  window.show();
  window.resize(700, 300);
  window.move(40, 30);
  window.ListView1->setColumnWidth(4, 222);
  window.close();
  const std::string saved = fixture.ReadSettings();
  EXPECT_NE(saved.find("MainWidth=700\n"), std::string::npos);
  EXPECT_NE(saved.find("MainHeight=300\n"), std::string::npos);
  EXPECT_NE(saved.find("MainLeft=40\n"), std::string::npos);
  EXPECT_NE(saved.find("MainMaxmum=0\n"), std::string::npos);
  EXPECT_NE(saved.find("ColumnsWidth4=222\n"), std::string::npos);
}

TEST(MainWindowTest, MaximizedCloseWritesBackTheRememberedNormalPlacement) {
  MainWindowFixture fixture;
  fixture.WriteSettings(
      "[Form]\nMainTop=20\nMainLeft=10\nMainWidth=640\nMainHeight=320\nMainMaxmum=1\n");
  TForm1& window = fixture.Create();
  window.ShowAsPlaced();
  QApplication::processEvents();
  EXPECT_TRUE(window.isMaximized());
  window.close();
  const std::string saved = fixture.ReadSettings();
  EXPECT_NE(saved.find("MainTop=20\nMainLeft=10\nMainWidth=640\nMainHeight=320\nMainMaxmum=1\n"),
            std::string::npos)
      << saved;
}

TEST(MainWindowTest, HiddenSpectrumFromTheStartWhenShowSpecIsOff) {
  MainWindowFixture fixture;
  fixture.WriteSettings("[Wave]\nShowSpec=0\nDecVHF=1\n");
  TForm1& window = fixture.Create();
  window.show();
  EXPECT_FALSE(window.Panel3->isVisible());
  EXPECT_EQ(window.StatusBar1->PanelText(StatusPanel::Mode), "VHF DSC");
}

TEST(MainWindowTest, MonitorButtonLeadsWithOneBlockOfSilenceThenTheLeftChannel) {
  MainWindowFixture fixture;
  TForm1& window = fixture.Create();
  window.SpeedButton1->click();  // down
  ASSERT_EQ(fixture.monitor->blocks.size(), 1u);
  CaptureBlock block{};
  block[0] = std::byte{0x34};  // left sample of frame 0: 0x1234
  block[1] = std::byte{0x12};
  block[2] = std::byte{0x78};  // right sample: never monitored
  fixture.capture->FeedCaptured(block);
  ASSERT_EQ(fixture.monitor->blocks.size(), 2u);
  EXPECT_EQ(fixture.monitor->blocks[0], std::vector<std::int16_t>(9600, 0));
  EXPECT_EQ(fixture.monitor->blocks[1][0], 0x1234);
  EXPECT_EQ(fixture.monitor->blocks[1][1], 0x1234);
  window.SpeedButton1->click();  // up: nothing more is played
  fixture.capture->FeedCaptured(block);
  EXPECT_EQ(fixture.monitor->blocks.size(), 2u);
}

TEST(MainWindowTest, BlocksAdvanceTheClockPanelAndDarkenTheLamp) {
  MainWindowFixture fixture;
  TForm1& window = fixture.Create();
  EXPECT_TRUE(window.StatusBar1->PanelText(StatusPanel::Clock).isEmpty());
  fixture.capture->FeedCaptured(CaptureBlock{});
  EXPECT_EQ(window.StatusBar1->PanelText(StatusPanel::Clock).size(), 8);  // hh:mm:ss
  EXPECT_FALSE(window.LampIsLit());
  EXPECT_EQ(window.Panel1->palette().color(QPalette::Window), QColor(0, 0, 0));
}

TEST(MainWindowTest, AFileThatCannotBeReadIsNamedInAnErrorBox) {
  MainWindowFixture fixture;
  TForm1& window = fixture.Create();
  EXPECT_FALSE(window.StartReplay("/nonexistent/call.wav", true));
  ASSERT_EQ(fixture.dialogs.errors.size(), 1u);
  EXPECT_TRUE(fixture.dialogs.errors[0].contains("/nonexistent/call.wav"));
  EXPECT_TRUE(fixture.capture->events.empty());  // live capture left alone
}

TEST(MainWindowTest, ADroppedRecordingIsReplayedThroughTheCaptureRingAtRealTime) {
  MainWindowFixture fixture;
  TForm1& window = fixture.Create();
  const std::string recording =
      std::string(std::getenv("TOLVIK_TEST_DATA")) + "/../samples/vhf-distress-relay.wav";
  window.OpenDroppedFile(recording);
  EXPECT_TRUE(window.IsReplaying());
  EXPECT_EQ(fixture.capture->events, std::vector<std::string>{"close"});  // live capture gives way
  // Blocks fall due at real time: after 300 ms the clock runs and the 2 s
  // recording still plays.
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 300) {
    QApplication::processEvents();
  }
  EXPECT_EQ(window.StatusBar1->PanelText(StatusPanel::Clock).size(), 8);
  EXPECT_TRUE(window.IsReplaying());
  EXPECT_TRUE(fixture.dialogs.errors.empty());
}

TEST(MainWindowTest, ADroppedFileThatIsNoRecordingIsNamedAndCaptureGoesOn) {
  MainWindowFixture fixture;
  TForm1& window = fixture.Create();
  const std::string not_audio = std::string(std::getenv("TOLVIK_TEST_DATA")) + "/mid.txt";
  window.OpenDroppedFile(not_audio);
  EXPECT_FALSE(window.IsReplaying());
  ASSERT_EQ(fixture.dialogs.errors.size(), 1u);
  EXPECT_TRUE(fixture.dialogs.errors[0].contains("mid.txt"));
  EXPECT_TRUE(fixture.capture->events.empty());
}

}  // namespace
}  // namespace tolvik::testing
