#pragma once
// Test helpers for the pixel rules: pixel lists as sorted sets and as ASCII pictures.
#include <algorithm>
#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/soft/raster/raster.h"

namespace fw {
inline void PrintTo(const Point& p, std::ostream* os) {
  *os << "(" << p.x << "," << p.y << ")";
}
namespace soft {
inline void PrintTo(const Span& s, std::ostream* os) {
  *os << "row " << s.y << " [" << s.x0 << "," << s.x1 << ")";
}
}  // namespace soft
}  // namespace fw

namespace fw::soft::testing {

inline bool RowMajorLess(const Point& a, const Point& b) {
  return a.y != b.y ? a.y < b.y : a.x < b.x;
}

// The distinct pixels of a list, row by row.
inline std::vector<Point> PixelSet(std::vector<Point> pixels) {
  std::sort(pixels.begin(), pixels.end(), RowMajorLess);
  pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
  return pixels;
}

inline std::vector<Point> SpanPixels(const std::vector<Span>& spans) {
  std::vector<Point> pixels;
  for (const Span& s : spans) {
    for (int x = s.x0; x < s.x1; ++x) pixels.push_back({x, s.y});
  }
  return pixels;
}

// The window [left, left + width) x [top, top + height) as text: a newline, then one line per
// row with '#' for a pixel in the list and '.' for one that is not. A pixel outside the window
// adds a line "outside x,y" so that it cannot go unnoticed. Written to compare with raw string
// literals that start on the line after R"(.
inline std::string Picture(const std::vector<Point>& pixels, int width, int height, int left = 0,
                           int top = 0) {
  std::vector<std::string> rows(static_cast<size_t>(height),
                                std::string(static_cast<size_t>(width), '.'));
  std::string outside;
  for (const Point& p : PixelSet(pixels)) {
    const int x = p.x - left;
    const int y = p.y - top;
    if (x < 0 || y < 0 || x >= width || y >= height) {
      outside += "outside " + std::to_string(p.x) + "," + std::to_string(p.y) + "\n";
      continue;
    }
    rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = '#';
  }
  std::string text = "\n";
  for (const std::string& row : rows) text += row + "\n";
  return text + outside;
}

inline std::string Picture(const std::vector<Span>& spans, int width, int height, int left = 0,
                           int top = 0) {
  return Picture(SpanPixels(spans), width, height, left, top);
}

// A point list as text in drawing order: "(2,1) (1,2)".
inline std::string PointsText(const std::vector<Point>& points) {
  std::string text;
  for (const Point& p : points) {
    if (!text.empty()) text += " ";
    text += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
  }
  return text;
}

// The columns of row y that the list contains, in increasing order.
inline std::vector<int> RowColumns(const std::vector<Point>& pixels, int y) {
  std::vector<int> columns;
  for (const Point& p : PixelSet(pixels)) {
    if (p.y == y) columns.push_back(p.x);
  }
  return columns;
}

// Columns [from, to] followed by any further closed ranges: Columns({{2, 3}, {95, 96}}).
inline std::vector<int> Columns(std::initializer_list<std::pair<int, int>> ranges) {
  std::vector<int> columns;
  for (const auto& [from, to] : ranges) {
    for (int x = from; x <= to; ++x) columns.push_back(x);
  }
  return columns;
}

}  // namespace fw::soft::testing
