#include "ui/PixelLines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tolvik {

namespace {

// Far beyond every display (a few hundred pixels), small enough that the
// line arithmetic below never overflows.
constexpr double kPixelLimit = 1 << 20;

// Steps 0 to `length` - 1 of a line whose major coordinate goes from
// `major_start` by `major_sign` per step: those that land in [0, extent).
struct StepRange {
  std::int64_t first;
  std::int64_t last;  // inclusive; first > last when none
};

StepRange StepsInside(int major_start, int major_sign, std::int64_t length, int extent) {
  // Step i lands at major_start + major_sign * i.
  std::int64_t first = 0;
  std::int64_t last = length - 1;
  if (major_sign > 0) {
    first = std::max<std::int64_t>(first, -static_cast<std::int64_t>(major_start));
    last = std::min<std::int64_t>(last, static_cast<std::int64_t>(extent) - 1 - major_start);
  } else {
    first = std::max<std::int64_t>(first, static_cast<std::int64_t>(major_start) - (extent - 1));
    last = std::min<std::int64_t>(last, major_start);
  }
  return {first, last};
}

bool MissesImage(const QImage& image, QPoint from, QPoint to) {
  return std::max(from.x(), to.x()) < 0 || std::min(from.x(), to.x()) >= image.width() ||
         std::max(from.y(), to.y()) < 0 || std::min(from.y(), to.y()) >= image.height();
}

void DrawLine(QImage& image, QPoint from, QPoint to, QRgb color, int period) {
  if (MissesImage(image, from, to)) {
    return;  // most of an eye trace that runs on past the right edge
  }
  const int dx = to.x() - from.x();
  const int dy = to.y() - from.y();
  const bool x_major = std::abs(dx) >= std::abs(dy);
  const std::int64_t length = x_major ? std::abs(dx) : std::abs(dy);
  if (length == 0) {
    return;  // a line to its own start point paints nothing
  }
  const std::int64_t across = x_major ? std::abs(dy) : std::abs(dx);
  const int major_start = x_major ? from.x() : from.y();
  const int minor_start = x_major ? from.y() : from.x();
  const int major_sign = (x_major ? dx : dy) > 0 ? 1 : -1;
  const int minor_sign = (x_major ? dy : dx) >= 0 ? 1 : -1;
  const int major_extent = x_major ? image.width() : image.height();
  const int minor_extent = x_major ? image.height() : image.width();
  const auto bytes_per_line = static_cast<std::size_t>(image.bytesPerLine());
  uchar* const bits = image.bits();

  const StepRange steps = StepsInside(major_start, major_sign, length, major_extent);
  for (std::int64_t i = steps.first; i <= steps.last; ++i) {
    if (i % period != 0) {
      continue;
    }
    // The nearest pixel across to the exact line, i * across / length.
    const std::int64_t offset = (2 * i * across + length) / (2 * length);
    const std::int64_t minor = minor_start + minor_sign * offset;
    if (minor < 0 || minor >= minor_extent) {
      continue;
    }
    const std::int64_t major = major_start + major_sign * i;
    const std::int64_t x = x_major ? major : minor;
    const std::int64_t y = x_major ? minor : major;
    reinterpret_cast<QRgb*>(bits + static_cast<std::size_t>(y) * bytes_per_line)[x] = color;
  }
}

}  // namespace

void DrawSolidLine(QImage& image, QPoint from, QPoint to, QRgb color) {
  DrawLine(image, from, to, color, 1);
}

void DrawDottedLine(QImage& image, QPoint from, QPoint to, QRgb color) {
  DrawLine(image, from, to, color, kDotPeriodPixels);
}

void FillBox(QImage& image, int left, int top, int right, int bottom, QRgb color) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, image.width());
  bottom = std::min(bottom, image.height());
  for (int y = top; y < bottom; ++y) {
    auto* const line = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(line + left, line + std::max(left, right), color);
  }
}

int TruncatedPixel(double position) {
  if (std::isnan(position)) {
    return 0;
  }
  return static_cast<int>(std::clamp(position, -kPixelLimit, kPixelLimit));
}

}  // namespace tolvik
