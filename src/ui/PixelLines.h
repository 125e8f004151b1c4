#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>

namespace tolvik {

// Lines and boxes set pixel by pixel on a 32-bit image, with the rules the
// two signal displays are drawn by: a line runs from its start point up to
// but not including its end point, and whatever falls outside the image is
// left out. Each line steps one pixel at a time along its longer axis and
// takes the nearest pixel across it (half-way goes away from the start).
// The image must be QImage::Format_RGB32.

// A line of one-pixel dots with two-pixel gaps between them, starting with a
// dot, as the toolkit's standard dotted pen; the gaps leave the image as it
// was.
inline constexpr int kDotPeriodPixels = 3;

void DrawSolidLine(QImage& image, QPoint from, QPoint to, QRgb color);
void DrawDottedLine(QImage& image, QPoint from, QPoint to, QRgb color);

// Fills the pixels from (left, top) up to but not including (right, bottom).
void FillBox(QImage& image, int left, int top, int right, int bottom, QRgb color);

// A computed position cut toward zero to a whole pixel. Positions further
// out than any display could reach are held at a limit first, so a wild
// value still lands far outside the image; not-a-number lands at 0.
int TruncatedPixel(double position);

}  // namespace tolvik
