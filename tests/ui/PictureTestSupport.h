#pragma once

#include <QImage>
#include <QRgb>

#include <string>
#include <vector>

namespace tolvik::testing {

inline const QRgb kBlack = qRgb(0, 0, 0);
inline const QRgb kGrey = qRgb(128, 128, 128);
inline const QRgb kGreen = qRgb(0, 255, 0);
inline const QRgb kSilver = qRgb(192, 192, 192);
inline const QRgb kWhite = qRgb(255, 255, 255);

inline QRgb PixelAt(const QImage& picture, int x, int y) {
  return picture.pixel(x, y) | 0xFF000000u;
}

inline int CountPixels(const QImage& picture, QRgb color) {
  int count = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      count += PixelAt(picture, x, y) == color ? 1 : 0;
    }
  }
  return count;
}

// The x positions of the pixels of `color` on row y.
inline std::vector<int> ColumnsOnRow(const QImage& picture, int y, QRgb color) {
  std::vector<int> columns;
  for (int x = 0; x < picture.width(); ++x) {
    if (PixelAt(picture, x, y) == color) {
      columns.push_back(x);
    }
  }
  return columns;
}

// The y positions of the pixels of `color` in column x.
inline std::vector<int> RowsInColumn(const QImage& picture, int x, QRgb color) {
  std::vector<int> rows;
  for (int y = 0; y < picture.height(); ++y) {
    if (PixelAt(picture, x, y) == color) {
      rows.push_back(y);
    }
  }
  return rows;
}

inline std::vector<int> Range(int first, int end, int step = 1) {
  std::vector<int> values;
  for (int v = first; v < end; v += step) {
    values.push_back(v);
  }
  return values;
}

// A rectangle of the picture as text, one string per row: '#' for `ink`,
// '.' for anything else.
inline std::vector<std::string> Art(const QImage& picture, int left, int top, int width, int height,
                                    QRgb ink) {
  std::vector<std::string> rows;
  for (int y = top; y < top + height; ++y) {
    std::string row;
    for (int x = left; x < left + width; ++x) {
      row += PixelAt(picture, x, y) == ink ? '#' : '.';
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace tolvik::testing
