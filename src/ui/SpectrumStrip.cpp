#include "ui/SpectrumStrip.h"

#include <algorithm>

#include "ui/PixelLines.h"

namespace tolvik {

namespace {

const QRgb kBackground = qRgb(0, 0, 0);
const QRgb kMarkerGrey = qRgb(128, 128, 128);
const QRgb kBarGreen = qRgb(0, 255, 0);
const QRgb kBoxSilver = qRgb(192, 192, 192);
const QRgb kSignBlack = qRgb(0, 0, 0);

// Which bins become bars and how many share a column. HF: bins 277 to 446,
// 1298.4 to 2090.6 Hz of the shifted signal (the centre at 1700 Hz, so
// -401.6 to +390.6 Hz around it), two to a column. VHF: bins 18 to 272,
// 210.9 to 3187.5 Hz, three to a column.
struct BarLayout {
  int FirstBin;
  int Bins;
  int BinsPerColumn;
  int LowMarkerX;   // where the lower tone falls
  int HighMarkerX;  // where the upper tone falls
};

// HF x = 34 holds bins 345 and 346 (1617.2, 1621.9 Hz) and x = 51 bins 379
// and 380 (1776.6, 1781.3 Hz), next to the tones at 1615 and 1785 Hz; VHF
// x = 31 holds 1300.8 to 1324.2 Hz and x = 53 2074.2 to 2097.7 Hz.
constexpr BarLayout kHfBars{277, 170, 2, 34, 51};
constexpr BarLayout kVhfBars{18, 255, 3, 31, 53};

const BarLayout& BarsOf(DecoderMode mode) {
  return mode == DecoderMode::Vhf ? kVhfBars : kHfBars;
}

// A bar runs up from the bottom edge to 20 rows below it, less one row per
// 6 level units (its top row not painted): one row shows from a level of
// 132, the whole height from 270, nothing below 132.
constexpr int kBarBaseOffset = 20;
constexpr double kLevelPerRow = 6.0;

// The polarity box: 7 x 7 silver pixels at (1, 1) with a black minus, and
// the upright of a plus when the polarity is positive.
constexpr int kBoxLeft = 1;
constexpr int kBoxTop = 1;
constexpr int kBoxRight = 8;  // exclusive
constexpr int kBoxBottom = 8;
constexpr QPoint kMinusFrom{2, 4};
constexpr QPoint kMinusTo{7, 4};
constexpr QPoint kUprightFrom{4, 2};
constexpr QPoint kUprightTo{4, 7};

}  // namespace

SpectrumStrip::SpectrumStrip() : picture_(kWidth, kHeight, QImage::Format_RGB32) {
  picture_.fill(kBackground);
}

void SpectrumStrip::DrawSpectrum(DecoderMode mode, const DemodulatorTraces::Trace& mixer_output,
                                 bool inverted) {
  transform_.TakeBlock(mode, mixer_output);
  picture_.fill(kBackground);
  DrawMarkers(mode);
  DrawBars(mode);
  DrawPolarityBox(inverted);
}

void SpectrumStrip::DrawMarkers(DecoderMode mode) {
  for (const int x : {BarsOf(mode).LowMarkerX, BarsOf(mode).HighMarkerX}) {
    DrawDottedLine(picture_, QPoint(x, 0), QPoint(x, kHeight), kMarkerGrey);
  }
}

void SpectrumStrip::DrawBars(DecoderMode mode) {
  // Bins sharing a column overdraw one another: the highest sets its height.
  const BarLayout& bars = BarsOf(mode);
  const SpectrumTransform::Values& levels = transform_.Levels();
  for (int j = 0; j < bars.Bins; ++j) {
    const int x = j / bars.BinsPerColumn;
    const double level = levels[static_cast<std::size_t>(bars.FirstBin + j)];
    const int top = kHeight + kBarBaseOffset - TruncatedPixel(level / kLevelPerRow);
    DrawSolidLine(picture_, QPoint(x, kHeight), QPoint(x, top), kBarGreen);
  }
}

void SpectrumStrip::DrawPolarityBox(bool inverted) {
  FillBox(picture_, kBoxLeft, kBoxTop, kBoxRight, kBoxBottom, kBoxSilver);
  DrawSolidLine(picture_, kMinusFrom, kMinusTo, kSignBlack);
  if (!inverted) {
    DrawSolidLine(picture_, kUprightFrom, kUprightTo, kSignBlack);
  }
}

}  // namespace tolvik
