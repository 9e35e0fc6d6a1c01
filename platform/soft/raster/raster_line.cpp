// Lines and polylines with the 1-pixel cosmetic pen.
//
// The pixels are computed in closed form rather than by stepping an error term: along the major
// axis every position from the start up to (not including) the end is drawn once, and the minor
// coordinate is the exact line value rounded to nearest, an exact half going to the smaller
// coordinate. That is the same set Wine's biased Bresenham produces in every octant, and it
// makes the pixel chosen at any position independent of where the walk started.
#include <cstdint>
#include <cstdlib>

#include "platform/soft/raster/raster.h"

namespace fw::soft {
namespace {

// ceil(num / den) for den > 0.
std::int64_t CeilDiv(std::int64_t num, std::int64_t den) {
  std::int64_t quotient = num / den;
  if (num % den != 0 && num > 0) ++quotient;
  return quotient;
}

std::int64_t LineLength(Point from, Point to) {
  const std::int64_t dx = std::abs(std::int64_t{to.x} - from.x);
  const std::int64_t dy = std::abs(std::int64_t{to.y} - from.y);
  return dx > dy ? dx : dy;
}

void AppendLine(Point from, Point to, std::vector<Point>& out) {
  const std::int64_t dx = std::int64_t{to.x} - from.x;
  const std::int64_t dy = std::int64_t{to.y} - from.y;
  const std::int64_t adx = std::abs(dx);
  const std::int64_t ady = std::abs(dy);
  if (adx > ady) {
    // x-major: y = y0 + round(dy * i / |dx|), a half rounding up (towards smaller y).
    const std::int64_t step = dx > 0 ? 1 : -1;
    for (std::int64_t i = 0; i < adx; ++i) {
      const std::int64_t y = from.y + CeilDiv(2 * dy * i - adx, 2 * adx);
      out.push_back({static_cast<int>(from.x + i * step), static_cast<int>(y)});
    }
  } else if (ady > 0) {
    // y-major, diagonals included: the same with the axes exchanged; a half goes left.
    const std::int64_t step = dy > 0 ? 1 : -1;
    for (std::int64_t i = 0; i < ady; ++i) {
      const std::int64_t x = from.x + CeilDiv(2 * dx * i - ady, 2 * ady);
      out.push_back({static_cast<int>(x), static_cast<int>(from.y + i * step)});
    }
  }
}

}  // namespace

std::vector<Point> LinePixels(Point from, Point to) {
  std::vector<Point> pixels;
  pixels.reserve(static_cast<size_t>(LineLength(from, to)));
  AppendLine(from, to, pixels);
  return pixels;
}

std::vector<Point> PolylinePixels(std::span<const Point> points, bool closed) {
  std::vector<Point> pixels;
  if (points.size() < 2) return pixels;
  std::int64_t total = 0;
  for (size_t i = 0; i + 1 < points.size(); ++i) total += LineLength(points[i], points[i + 1]);
  if (closed) total += LineLength(points.back(), points.front());
  pixels.reserve(static_cast<size_t>(total));
  // Each segment leaves out its own end point; the next segment starts there.
  for (size_t i = 0; i + 1 < points.size(); ++i) AppendLine(points[i], points[i + 1], pixels);
  if (closed) AppendLine(points.back(), points.front(), pixels);
  return pixels;
}

}  // namespace fw::soft
