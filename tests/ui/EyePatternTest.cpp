#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "DisplaySignals.h"
#include "PictureTestSupport.h"
#include "UiTestDoubles.h"
#include "demod/DemodTestSupport.h"
#include "ui/EyePatternDrawing.h"
#include "ui/TForm1.h"
#include "ui/TForm3.h"

namespace tolvik::testing {
namespace {

const ModeDisplayConstants kHf = DisplayConstantsOf(DecoderMode::Hf);
const ModeDisplayConstants kVhf = DisplayConstantsOf(DecoderMode::Vhf);
constexpr int kHfSamples = 480;
constexpr int kVhfSamples = 1200;

// One block's traces: the discriminator value and the mark of each sample.
DemodulatorTraces Traces(int samples, const std::function<double(int)>& value,
                         const std::function<bool(int)>& marked) {
  DemodulatorTraces traces;
  traces.WorkingSamples = samples;
  for (int i = 0; i < samples; ++i) {
    traces.DiscriminatorOutput[0][i] = value(i);
    traces.BitMarks[0][i] = marked(i) ? 1 : 0;
  }
  return traces;
}

std::function<double(int)> Constant(double value) {
  return [value](int) { return value; };
}

std::function<bool(int)> Every(int period) {
  return [period](int i) { return i % period == 0; };
}

std::function<bool(int)> At(std::vector<int> marks) {
  return [marks](int i) { return std::find(marks.begin(), marks.end(), i) != marks.end(); };
}

void Draw(EyePatternDrawing& eye, const ModeDisplayConstants& mode, const DemodulatorTraces& traces,
          int blocks = 1) {
  for (int block = 0; block < blocks; ++block) {
    eye.DrawEyePattern(mode, traces);
  }
}

bool AnyIn(const std::vector<int>& values, int first, int end) {
  return std::any_of(values.begin(), values.end(), [&](int v) { return v >= first && v < end; });
}

bool AllIn(const std::vector<int>& values, const std::vector<int>& wanted) {
  return std::includes(values.begin(), values.end(), wanted.begin(), wanted.end());
}

TEST(EyePatternTest, BlackUntilTheFirstBlock) {
  const EyePatternDrawing eye;
  EXPECT_EQ(eye.Picture().size(), QSize(192, 150));
  EXPECT_EQ(CountPixels(eye.Picture(), kBlack), 192 * 150);
}

TEST(EyePatternTest, WithoutMarksOnlyTheGuidesAreDrawn) {
  EyePatternDrawing eye;
  Draw(eye, kHf,
       Traces(
           kHfSamples, [](int i) { return (i % 17) - 8.0; }, At({})),
       3);
  const QImage& picture = eye.Picture();
  EXPECT_EQ(CountPixels(picture, kWhite), 0);
  for (const int y : {25, 75, 125}) {
    EXPECT_EQ(ColumnsOnRow(picture, y, kGrey), Range(0, 192, 3)) << y;
  }
  std::vector<int> decision_guide = Range(0, 150, 3);
  decision_guide.insert(decision_guide.end(), {25, 125});
  std::sort(decision_guide.begin(), decision_guide.end());
  EXPECT_EQ(RowsInColumn(picture, 96, kGrey), decision_guide);
  EXPECT_EQ(CountPixels(picture, kGrey) + CountPixels(picture, kBlack), 192 * 150);
}

TEST(EyePatternTest, HfDeviationsOf0AndPlusMinus8AndAHalfLandOnRows75And25And124) {
  // 75 - 8.5 * 5.88 = 25.02 and 75 + 49.98 = 124.98, both cut toward zero.
  for (const auto& [value, row] : {std::pair{0.0, 75}, std::pair{8.5, 25}, std::pair{-8.5, 124}}) {
    EyePatternDrawing eye;
    Draw(eye, kHf, Traces(kHfSamples, Constant(value), Every(48)));
    EXPECT_EQ(ColumnsOnRow(eye.Picture(), row, kWhite), Range(0, 192)) << value;
    EXPECT_EQ(CountPixels(eye.Picture(), kWhite), 192) << value;
  }
}

TEST(EyePatternTest, HfMarksEvery48SamplesMakeTracesThatFillExactlyTheWidth) {
  // Traces restart at every second mark (48, 144, ...). The first bit of
  // each trace is high, the second low: every trace lays the high part over
  // x = 0..95 and the low part over 96..191, so none is smeared sideways.
  EyePatternDrawing eye;
  const auto first_bit_high = [](int i) { return ((i + 48) % 96) < 48 ? 8.5 : -8.5; };
  Draw(eye, kHf, Traces(kHfSamples, first_bit_high, Every(48)), 3);
  const std::vector<int> high = ColumnsOnRow(eye.Picture(), 25, kWhite);
  const std::vector<int> low = ColumnsOnRow(eye.Picture(), 124, kWhite);
  EXPECT_TRUE(AllIn(high, Range(0, 95)));
  EXPECT_FALSE(AnyIn(high, 97, 192));
  EXPECT_TRUE(AllIn(low, Range(97, 190)));
  EXPECT_FALSE(AnyIn(low, 0, 94));
  EXPECT_FALSE(RowsInColumn(eye.Picture(), 191, kWhite).empty());  // the last segment reaches it
}

TEST(EyePatternTest, VhfTracesSpanTwentySamplesWithTheMiddleDecisionAtX100) {
  // 10 pixels per sample: the second bit starts at x = 100, and the last
  // 8 pixels of each trace fall off the right edge.
  EyePatternDrawing eye;
  const auto first_bit_high = [](int i) { return ((i + 10) % 20) < 10 ? 40.0 : -40.0; };
  Draw(eye, kVhf, Traces(kVhfSamples, first_bit_high, Every(10)), 3);
  const std::vector<int> high = ColumnsOnRow(eye.Picture(), 25, kWhite);
  const std::vector<int> low = ColumnsOnRow(eye.Picture(), 125, kWhite);
  EXPECT_TRUE(AllIn(high, Range(0, 91)));
  EXPECT_FALSE(AnyIn(high, 100, 192));
  EXPECT_TRUE(AllIn(low, Range(100, 191)));
  EXPECT_FALSE(AnyIn(low, 0, 90));
}

TEST(EyePatternTest, NothingBeforeTheSecondMarkThenATraceRunsOnToTheNextRestart) {
  EyePatternDrawing eye;
  Draw(eye, kHf, Traces(kHfSamples, Constant(0.0), At({100})));
  EXPECT_EQ(CountPixels(eye.Picture(), kWhite), 0);
  // The second mark, in the next block: one trace from there to the end of
  // the stream, 279 segments, far past the right edge.
  Draw(eye, kHf, Traces(kHfSamples, Constant(0.0), At({200})));
  EXPECT_EQ(ColumnsOnRow(eye.Picture(), 75, kWhite), Range(0, 192));
  EXPECT_EQ(CountPixels(eye.Picture(), kWhite), 192);
}

TEST(EyePatternTest, ATraceRunsOnFromOneBlockIntoTheNextWithoutJoiningThem) {
  // Started at sample 440 of the older block, the trace draws 39 segments
  // there (x 0 to 78; sample 479 only ends the last) and goes on with the
  // newer block's samples from x = 78. No segment joins the two blocks.
  EyePatternDrawing eye;
  Draw(eye, kHf, Traces(kHfSamples, Constant(0.0), At({400, 440})));
  Draw(eye, kHf, Traces(kHfSamples, Constant(8.5), At({})));
  EXPECT_EQ(ColumnsOnRow(eye.Picture(), 75, kWhite), Range(0, 78));
  EXPECT_EQ(ColumnsOnRow(eye.Picture(), 25, kWhite), Range(78, 192));
  EXPECT_EQ(CountPixels(eye.Picture(), kWhite), 192);
}

TEST(EyePatternTest, AfterAModeChangeTheOlderBlocksAreReadWithTheNewConstants) {
  // Three HF blocks at +8.5 units, then VHF blocks at 0: the two older rows
  // still hold the HF samples, now drawn with the VHF gain at
  // 75 - 8.5 * 1.25 = 64.4, until two more VHF blocks have replaced them.
  EyePatternDrawing eye;
  Draw(eye, kHf, Traces(kHfSamples, Constant(8.5), Every(48)), 3);
  const DemodulatorTraces vhf = Traces(kVhfSamples, Constant(0.0), Every(10));
  Draw(eye, kVhf, vhf);
  EXPECT_FALSE(ColumnsOnRow(eye.Picture(), 64, kWhite).empty());
  EXPECT_TRUE(ColumnsOnRow(eye.Picture(), 25, kWhite).empty());
  Draw(eye, kVhf, vhf);
  EXPECT_FALSE(ColumnsOnRow(eye.Picture(), 64, kWhite).empty());
  Draw(eye, kVhf, vhf);
  EXPECT_TRUE(ColumnsOnRow(eye.Picture(), 64, kWhite).empty());
  EXPECT_EQ(CountPixels(eye.Picture(), kWhite), 192);  // row 75 only
}

TEST(EyePatternWindowTest, ASmallTopmostToolWindowAroundItsPicture) {
  QWidget main_window;
  TForm3 eye(main_window);
  EXPECT_EQ(eye.windowTitle(), "Eye Pattern");
  EXPECT_TRUE(eye.windowFlags().testFlag(Qt::Tool));
  EXPECT_TRUE(eye.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(eye.windowFlags().testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(eye.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(eye.minimumSize(), QSize(194, 152));
  EXPECT_EQ(eye.maximumSize(), QSize(194, 152));
  EXPECT_EQ(eye.Panel1->geometry(), QRect(0, 0, 194, 152));
  EXPECT_EQ(eye.Panel1->frameShape(), QFrame::Panel);
  EXPECT_EQ(eye.Panel1->frameShadow(), QFrame::Sunken);
  EXPECT_EQ(eye.Image1->geometry(), QRect(1, 1, 192, 150));
  EXPECT_EQ(&eye.Image1->Picture(), &eye.Drawing().Picture());
}

TEST(EyePatternWindowTest, ShownCentredOnTheMainWindowAndKeptOnTheDesktop) {
  const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget main_window;
  main_window.resize(400, 300);
  TForm3 eye(main_window);

  main_window.move(desktop.left() + 100, desktop.top() + 80);
  eye.show();
  const QSize size = eye.frameGeometry().size();  // with the frame, once it is known
  EXPECT_EQ(eye.frameGeometry().topLeft(), QPoint(desktop.left() + 100 + 200 - size.width() / 2,
                                                  desktop.top() + 80 + 150 - size.height() / 2));
  eye.hide();

  // Half off the bottom right corner: moved back onto the desktop.
  main_window.move(desktop.right() - 100, desktop.bottom() - 50);
  eye.show();
  EXPECT_EQ(eye.frameGeometry().bottomRight(), desktop.bottomRight());
  eye.hide();
  main_window.move(desktop.left() - 390, desktop.top() - 290);
  eye.show();
  EXPECT_EQ(eye.frameGeometry().topLeft(), desktop.topLeft());
}

// Through the main window and the whole receiver.
class EyePatternInWindowTest : public ::testing::Test {
 protected:
  EyePatternInWindowTest() : window_(fixture_.Create()), eye_(window_) {
    window_.SetWindows(nullptr, &eye_, nullptr);
  }

  void Feed(const std::vector<double>& signal) {
    for (int block = 0; block < WholeBlocks(signal); ++block) {
      CaptureBlock captured{};
      FillCaptureBlock(BlockOf(signal, block), captured);
      fixture_.capture->FeedCaptured(captured);
    }
  }

  const QImage& Picture() const { return eye_.Drawing().Picture(); }

  MainWindowFixture fixture_;
  TForm1& window_;
  TForm3 eye_;
};

TEST_F(EyePatternInWindowTest, DrawnOnlyWhileTheWindowShows) {
  const std::vector<double> signal = HfFsk(800.0, RandomBits(100, 1));
  Feed(signal);
  EXPECT_EQ(CountPixels(Picture(), kBlack), 192 * 150);  // hidden: no work
  window_.SpeedButton2Click();
  EXPECT_TRUE(eye_.isVisible());
  Feed(signal);
  EXPECT_GT(CountPixels(Picture(), kWhite), 0);
  eye_.close();
  EXPECT_FALSE(eye_.isVisible());
  const QImage last = Picture().copy();
  Feed(signal);
  EXPECT_EQ(Picture(), last);
}

TEST_F(EyePatternInWindowTest, ACleanHfSignalOpensTheEyeOnTheGuidesAndNoiseClosesIt) {
  window_.SpeedButton2Click();
  Feed(HfFsk(800.0, RandomBits(300, 2)));
  // At the middle decision every trace stands within a few pixels of the
  // nominal deviation (rows 25 and 124): measured rows 27 to 32 and 121 to
  // 125; the bands allow 10 pixels (1.7 units) either way.
  const std::vector<int> decided = RowsInColumn(Picture(), 96, kWhite);
  ASSERT_FALSE(decided.empty());
  EXPECT_FALSE(AnyIn(decided, 0, 15));
  EXPECT_FALSE(AnyIn(decided, 36, 114));
  EXPECT_FALSE(AnyIn(decided, 136, 150));

  // An eighth of the amplitude under noise of sigma 8000, Eb/N0 2.8 dB:
  // measured, half of the traces cross x = 96 between rows 45 and 105.
  std::vector<double> noisy = HfFsk(800.0, RandomBits(300, 3));
  std::mt19937 generator(4);
  std::normal_distribution<double> noise(0.0, 8000.0);
  for (double& sample : noisy) {
    sample = 0.125 * sample + noise(generator);
  }
  Feed(noisy);
  EXPECT_TRUE(AnyIn(RowsInColumn(Picture(), 96, kWhite), 45, 105));
}

}  // namespace
}  // namespace tolvik::testing
