#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "DisplaySignals.h"
#include "PictureTestSupport.h"
#include "UiTestDoubles.h"
#include "demod/DecoderParameters.h"
#include "ui/SpectrumStrip.h"
#include "ui/TForm1.h"

namespace tolvik::testing {
namespace {

constexpr int kBlocksToFillHfWindow = 3;  // 3 x 480 samples cover the 1024 of the window

// Green pixels per column, bottom up; bars are unbroken from the bottom.
std::vector<int> BarHeights(const QImage& picture) {
  std::vector<int> heights;
  for (int x = 0; x < picture.width(); ++x) {
    heights.push_back(static_cast<int>(RowsInColumn(picture, x, kGreen).size()));
  }
  return heights;
}

int TallestColumn(const QImage& picture) {
  const std::vector<int> heights = BarHeights(picture);
  return static_cast<int>(std::max_element(heights.begin(), heights.end()) - heights.begin());
}

// A continuous tone of the mixer output, enough blocks for a full window.
void DrawTone(SpectrumStrip& strip, DecoderMode mode, double frequency_hz, double amplitude) {
  const bool vhf = mode == DecoderMode::Vhf;
  const int samples = vhf ? kVhfWorkingSamplesPerBlock : kHfWorkingSamplesPerBlock;
  const double rate = vhf ? kVhfWorkingRateHz : kHfWorkingRateHz;
  for (int block = 0; block < (vhf ? 1 : kBlocksToFillHfWindow); ++block) {
    strip.DrawSpectrum(mode, ToneTrace(frequency_hz, amplitude, rate, block * samples, samples),
                       false);
  }
}

const std::vector<std::string> kPlusBox = {
    ".........", ".#######.", ".###.###.", ".###.###.", ".#.....#.",
    ".###.###.", ".###.###.", ".#######.", ".........",
};
const std::vector<std::string> kMinusBox = {
    ".........", ".#######.", ".#######.", ".#######.", ".#.....#.",
    ".#######.", ".#######.", ".#######.", ".........",
};

TEST(SpectrumStripTest, BlackUntilTheFirstBlock) {
  const SpectrumStrip strip;
  EXPECT_EQ(strip.Picture().size(), QSize(85, 24));
  EXPECT_EQ(CountPixels(strip.Picture(), kBlack), 85 * 24);
}

TEST(SpectrumStripTest, SilenceShowsOnlyTheMarkersAndTheBox) {
  SpectrumStrip strip;
  strip.DrawSpectrum(DecoderMode::Hf, DemodulatorTraces::Trace{}, false);
  const QImage& picture = strip.Picture();
  EXPECT_EQ(CountPixels(picture, kGreen), 0);
  for (const int x : {34, 51}) {
    EXPECT_EQ(RowsInColumn(picture, x, kGrey), Range(0, 24, 3)) << x;
  }
  EXPECT_EQ(CountPixels(picture, kGrey), 2 * 8);
  EXPECT_EQ(Art(picture, 0, 0, 9, 9, kSilver), kPlusBox);
  EXPECT_EQ(CountPixels(picture, kSilver), 49 - 9);
  EXPECT_EQ(CountPixels(picture, kBlack), 85 * 24 - 16 - 40);
}

TEST(SpectrumStripTest, TheBoxShowsThePolarityOfEachBlock) {
  SpectrumStrip strip;
  const DemodulatorTraces::Trace silence{};
  strip.DrawSpectrum(DecoderMode::Hf, silence, true);
  EXPECT_EQ(Art(strip.Picture(), 0, 0, 9, 9, kSilver), kMinusBox);
  EXPECT_EQ(Art(strip.Picture(), 0, 0, 9, 9, kBlack)[4], "#.#####.#");  // the stroke is black
  strip.DrawSpectrum(DecoderMode::Hf, silence, false);
  EXPECT_EQ(Art(strip.Picture(), 0, 0, 9, 9, kSilver), kPlusBox);
}

TEST(SpectrumStripTest, ShiftedHfTonesStandAtOrNextToTheMarkers) {
  // 1615 Hz is bin 344.5 (columns 33 and 34 take bins 344 and 345), 1785 Hz
  // bin 380.8 (bin 381 is in column 52).
  for (const auto& [frequency, marker] : {std::pair{1615.0, 34}, std::pair{1785.0, 51}}) {
    SpectrumStrip strip;
    DrawTone(strip, DecoderMode::Hf, frequency, 1000.0);
    EXPECT_LE(std::abs(TallestColumn(strip.Picture()) - marker), 1) << frequency;
    EXPECT_GE(BarHeights(strip.Picture())[marker], 12) << frequency;
  }
}

TEST(SpectrumStripTest, VhfTonesPeakOnTheMarkers) {
  for (const auto& [frequency, marker] : {std::pair{1300.0, 31}, std::pair{2100.0, 53}}) {
    SpectrumStrip strip;
    DrawTone(strip, DecoderMode::Vhf, frequency, 1000.0);
    EXPECT_EQ(TallestColumn(strip.Picture()), marker) << frequency;
  }
}

TEST(SpectrumStripTest, BarsRiseOneRowPerSixLevelUnitsFrom132ToTheTopAt270) {
  // A tone on bin 300 (1406.25 Hz, column 11) of amplitude A has the level
  // 20 ln(256 A); its neighbours 299 (column 11 too) and 301 (column 12) are
  // 13.9 units lower and the rest of the band has no level at all.
  for (const auto& [level, rows] :
       {std::pair{131.9, std::vector<int>{}}, std::pair{132.1, std::vector<int>{23}},
        std::pair{180.5, Range(15, 24)}, std::pair{269.9, Range(1, 24)},
        std::pair{270.1, Range(0, 24)}}) {
    SpectrumStrip strip;
    DrawTone(strip, DecoderMode::Hf, 300 * 4.6875, std::exp(level / 20.0) / 256.0);
    EXPECT_EQ(RowsInColumn(strip.Picture(), 11, kGreen), rows) << level;
    const std::vector<int> heights = BarHeights(strip.Picture());
    EXPECT_LT(heights[12], std::max(heights[11], 1)) << level;
    EXPECT_EQ(CountPixels(strip.Picture(), kGreen), heights[11] + heights[12]) << level;
  }
}

TEST(SpectrumStripTest, TheMarkersMoveWithTheModeAtTheNextBlock) {
  SpectrumStrip strip;
  const DemodulatorTraces::Trace silence{};
  strip.DrawSpectrum(DecoderMode::Hf, silence, false);
  EXPECT_EQ(ColumnsOnRow(strip.Picture(), 0, kGrey), (std::vector<int>{34, 51}));
  strip.DrawSpectrum(DecoderMode::Vhf, silence, false);
  EXPECT_EQ(ColumnsOnRow(strip.Picture(), 0, kGrey), (std::vector<int>{31, 53}));
  strip.DrawSpectrum(DecoderMode::Hf, silence, false);
  EXPECT_EQ(ColumnsOnRow(strip.Picture(), 0, kGrey), (std::vector<int>{34, 51}));
}

// Through the whole receiver: the HF mixer moves the user's centre to
// 1700 Hz, so the tones stand on the same markers whatever the centre.
TEST(SpectrumStripInWindowTest, TonesAtTheUsersCentreStandOnTheMarkersForAnyCentre) {
  for (const int centre : {600, 800, 950}) {
    for (const auto& [offset, marker] : {std::pair{-85.0, 34}, std::pair{85.0, 51}}) {
      MainWindowFixture fixture;
      fixture.WriteSettings("[Wave]\nDecFc=" + std::to_string(centre / 10) + "\n");
      TForm1& window = fixture.Create();
      for (int block = 0; block < 4; ++block) {
        fixture.capture->FeedCaptured(CapturedToneBlock(centre + offset, 500.0, block));
      }
      EXPECT_LE(std::abs(TallestColumn(window.Image1->Picture()) - marker), 1)
          << centre << " " << offset;
    }
  }
}

TEST(SpectrumStripInWindowTest, VhfTonesThroughTheReceiverPeakOnTheMarkers) {
  for (const auto& [frequency, marker] : {std::pair{1300.0, 31}, std::pair{2100.0, 53}}) {
    MainWindowFixture fixture;
    fixture.WriteSettings("[Wave]\nDecVHF=1\n");
    TForm1& window = fixture.Create();
    for (int block = 0; block < 2; ++block) {
      fixture.capture->FeedCaptured(CapturedToneBlock(frequency, 500.0, block));
    }
    EXPECT_EQ(TallestColumn(window.Image1->Picture()), marker) << frequency;
  }
}

TEST(SpectrumStripInWindowTest, NothingIsDrawnWhileShowSpecIsOffAndTheBoxFollowsDecInv) {
  MainWindowFixture fixture;
  fixture.WriteSettings("[Wave]\nShowSpec=0\n");
  TForm1& window = fixture.Create();
  fixture.capture->FeedCaptured(CapturedToneBlock(715.0, 2000.0, 0));
  EXPECT_EQ(CountPixels(window.Image1->Picture(), kBlack), 85 * 24);
  window.Settings().ShowSpec = true;
  window.Settings().DecINV = true;
  fixture.capture->FeedCaptured(CapturedToneBlock(715.0, 2000.0, 1));
  EXPECT_EQ(Art(window.Image1->Picture(), 0, 0, 9, 9, kSilver), kMinusBox);
  // Switched off again, the strip keeps its last picture.
  const QImage last = window.Image1->Picture().copy();
  window.Settings().ShowSpec = false;
  window.Settings().DecINV = false;
  fixture.capture->FeedCaptured(CapturedToneBlock(715.0, 2000.0, 2));
  EXPECT_EQ(window.Image1->Picture(), last);
}

}  // namespace
}  // namespace tolvik::testing
