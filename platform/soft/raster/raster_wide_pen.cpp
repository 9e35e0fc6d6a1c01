// Solid pens wider than one pixel. GDI draws them as a region: a round blob at every vertex
// (the end caps and the round joins) and one filled quadrilateral or rectangle per segment.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/soft/raster/raster.h"

namespace fw::soft {
namespace {

// The blob painted at every vertex, relative to the vertex: the region
// CreateEllipticRgn(-w/2, -w/2, (w+1)/2 + 1, (w+1)/2 + 1), a w x w box [-w/2, (w+1)/2) both
// ways (for w = 2 the 2x2 square whose bottom-right pixel is the vertex).
std::vector<Span> CapSpans(int width) {
  const int lo = -(width / 2);
  const int hi = (width + 1) / 2 + 1;
  return RoundRectRegionSpans(lo, lo, hi, hi, hi - lo, hi - lo);
}

// GDI rounds the pen's half widths half away from zero; they are never negative here.
int RoundHalfUp(double value) {
  return static_cast<int>(value + 0.5);
}

void AppendSegment(Point from, Point to, int width, std::vector<Span>& out) {
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  if (dx == 0 && dy == 0) return;
  const int half = width / 2;
  if (dy == 0) {
    // [min x, max x) on the pen's rows; the blobs cover the ends.
    const int x0 = std::min(from.x, to.x);
    const int x1 = std::max(from.x, to.x);
    for (int y = from.y - half; y < from.y - half + width; ++y) out.push_back({y, x0, x1});
    return;
  }
  if (dx == 0) {
    for (int y = std::min(from.y, to.y); y < std::max(from.y, to.y); ++y) {
      out.push_back({y, from.x - half, from.x - half + width});
    }
    return;
  }
  // A slanted segment: the pen's width split across the two sides of the line, the "narrow"
  // half on one side and the "wide" half (which gets the odd pixel) on the other, in the same
  // floating-point steps GDI takes so that the rounding agrees.
  const double length = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
  const double width_x = static_cast<double>(std::int64_t{width} * std::abs(dy)) / length;
  const double width_y = static_cast<double>(std::int64_t{width} * std::abs(dx)) / length;
  Point narrow{RoundHalfUp(width_x / 2), RoundHalfUp(width_y / 2)};
  Point wide{RoundHalfUp((width_x + 1) / 2), RoundHalfUp((width_y + 1) / 2)};
  if (dx < 0) {
    narrow.y = -narrow.y;
    wide.y = -wide.y;
  }
  if (dy < 0) {
    std::swap(narrow, wide);
    narrow.x = -narrow.x;
    wide.x = -wide.x;
  }
  const Point quad[] = {{from.x - narrow.x, from.y + narrow.y},
                        {from.x + wide.x, from.y - wide.y},
                        {to.x + wide.x, to.y - wide.y},
                        {to.x - narrow.x, to.y + narrow.y}};
  const std::vector<Span> spans = PolygonSpans(quad, PolyFillMode::Alternate);
  out.insert(out.end(), spans.begin(), spans.end());
}

}  // namespace

std::vector<Point> WidePenPixels(std::span<const Point> vertices, bool closed, int width) {
  std::vector<Point> pixels;
  if (vertices.size() < 2 || width < 1) return pixels;

  std::vector<Span> spans;
  const std::vector<Span> cap = CapSpans(width);
  for (const Point& v : vertices) {
    for (const Span& s : cap) spans.push_back({v.y + s.y, v.x + s.x0, v.x + s.x1});
  }
  for (size_t i = 0; i + 1 < vertices.size(); ++i) {
    AppendSegment(vertices[i], vertices[i + 1], width, spans);
  }
  if (closed) AppendSegment(vertices.back(), vertices.front(), width, spans);

  // The pen paints the union once, row by row.
  std::sort(spans.begin(), spans.end(),
            [](const Span& a, const Span& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
  for (size_t i = 0; i < spans.size();) {
    const int y = spans[i].y;
    const int x0 = spans[i].x0;
    int x1 = spans[i].x1;
    for (++i; i < spans.size() && spans[i].y == y && spans[i].x0 <= x1; ++i) {
      x1 = std::max(x1, spans[i].x1);
    }
    for (int x = x0; x < x1; ++x) pixels.push_back({x, y});
  }
  return pixels;
}

}  // namespace fw::soft
