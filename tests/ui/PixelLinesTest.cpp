#include <QPainter>

#include <gtest/gtest.h>

#include "PictureTestSupport.h"
#include "ui/PixelLines.h"

namespace tolvik::testing {
namespace {

QImage Blank(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kBlack);
  return image;
}

TEST(PixelLinesTest, ALineStopsShortOfItsEndPointInEitherDirection) {
  QImage image = Blank(8, 3);
  DrawSolidLine(image, QPoint(1, 0), QPoint(5, 0), kWhite);
  DrawSolidLine(image, QPoint(5, 2), QPoint(1, 2), kWhite);
  DrawSolidLine(image, QPoint(7, 1), QPoint(7, 1), kWhite);  // to itself: nothing
  EXPECT_EQ(Art(image, 0, 0, 8, 3, kWhite),
            (std::vector<std::string>{".####...", "........", "..####.."}));
}

TEST(PixelLinesTest, SlopedLinesTakeTheNearestPixelAcrossTheirLongerAxis) {
  QImage image = Blank(7, 7);
  DrawSolidLine(image, QPoint(0, 0), QPoint(4, 4), kWhite);  // diagonal
  DrawSolidLine(image, QPoint(6, 0), QPoint(5, 6), kWhite);  // steep, one column across
  EXPECT_EQ(Art(image, 0, 0, 7, 7, kWhite),
            (std::vector<std::string>{"#.....#", ".#....#", "..#...#", "...#.#.", ".....#.",
                                      ".....#.", "......."}));
}

TEST(PixelLinesTest, ClippingLeavesTheVisiblePartWhereTheWholeLineRuns) {
  // A steep line from far above to far below a 10 x 10 picture, against the
  // same line drawn whole on a picture tall enough for it.
  QImage clipped = Blank(10, 10);
  DrawSolidLine(clipped, QPoint(2, -1000), QPoint(7, 1000), kWhite);
  QImage whole = Blank(10, 2001);
  DrawSolidLine(whole, QPoint(2, 0), QPoint(7, 2000), kWhite);
  for (int y = 0; y < 10; ++y) {
    EXPECT_EQ(ColumnsOnRow(clipped, y, kWhite), ColumnsOnRow(whole, y + 1000, kWhite)) << y;
  }
  // Lines entirely outside, or leaving through a side, paint nothing there.
  QImage outside = Blank(10, 10);
  DrawSolidLine(outside, QPoint(-5, 3), QPoint(-1, 8), kWhite);
  DrawSolidLine(outside, QPoint(12, 3), QPoint(400, 3), kWhite);
  EXPECT_EQ(CountPixels(outside, kWhite), 0);
  // From the far limit below to the far limit above: the middle column.
  DrawSolidLine(outside, QPoint(0, 1 << 20), QPoint(2, -(1 << 20)), kWhite);
  EXPECT_EQ(RowsInColumn(outside, 1, kWhite), Range(0, 10));
  EXPECT_EQ(CountPixels(outside, kWhite), 10);
  QImage entering = Blank(10, 10);
  DrawSolidLine(entering, QPoint(-3, 5), QPoint(4, 5), kWhite);
  EXPECT_EQ(ColumnsOnRow(entering, 5, kWhite), Range(0, 4));
}

TEST(PixelLinesTest, DotsOfOnePixelWithTwoPixelGapsLeaveTheGapsAlone) {
  QImage image = Blank(3, 10);
  image.fill(kGreen);
  DrawDottedLine(image, QPoint(1, 0), QPoint(1, 10), kGrey);
  EXPECT_EQ(RowsInColumn(image, 1, kGrey), (std::vector<int>{0, 3, 6, 9}));
  EXPECT_EQ(RowsInColumn(image, 1, kGreen).size(), 6u);
}

TEST(PixelLinesTest, DotsAreTheToolkitsDottedPen) {
  // Qt's own dotted one-pixel pen, unsmoothed, on the guides and markers.
  for (const auto& [from, to] :
       {std::pair{QPoint(0, 25), QPoint(192, 25)}, std::pair{QPoint(34, 0), QPoint(34, 24)}}) {
    QImage ours = Blank(192, 30);
    DrawDottedLine(ours, from, to, kGrey);
    QImage qt = Blank(192, 30);
    QPainter painter(&qt);
    painter.setPen(QPen(QColor(kGrey), 0, Qt::DotLine));
    painter.drawLine(from, to - QPoint(from.y() == to.y() ? 1 : 0, from.x() == to.x() ? 1 : 0));
    painter.end();
    EXPECT_EQ(ours, qt);
  }
}

TEST(PixelLinesTest, BoxesFillUpToTheirRightAndBottomEdgesAndClip) {
  QImage image = Blank(5, 4);
  FillBox(image, 1, 1, 3, 3, kSilver);
  FillBox(image, 4, -2, 9, 2, kSilver);
  EXPECT_EQ(Art(image, 0, 0, 5, 4, kSilver),
            (std::vector<std::string>{"....#", ".##.#", ".##..", "....."}));
}

TEST(PixelLinesTest, PositionsAreCutTowardZero) {
  EXPECT_EQ(TruncatedPixel(25.02), 25);
  EXPECT_EQ(TruncatedPixel(124.98), 124);
  EXPECT_EQ(TruncatedPixel(-1.44), -1);
  EXPECT_EQ(TruncatedPixel(1e300), 1 << 20);
  EXPECT_EQ(TruncatedPixel(-1e300), -(1 << 20));
  EXPECT_EQ(TruncatedPixel(std::nan("")), 0);
}

}  // namespace
}  // namespace tolvik::testing
