// Ellipse, RoundRect and Arc outlines with the 1-pixel pen: the vertex lists GDI walks, built
// from one integer quarter-ellipse generator.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/soft/raster/raster.h"

namespace fw::soft {
namespace {

struct Box {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Empty() const { return left == right || top == bottom; }
};

Box Normalised(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  return {left, top, right, bottom};
}

// The arc's position index of a radial direction (u to the right, v upwards): how many points
// of the counter-clockwise walk round the whole ellipse come before the first one at or past
// the ray. `p` is the quadrant relative to the centre.
std::int64_t ArcIndex(const std::vector<Point>& p, std::int64_t u, std::int64_t v) {
  const auto n = static_cast<std::int64_t>(p.size());
  // First i for which the point at quadrant position i has reached the ray; `strict` asks for
  // the point to be strictly past it.
  const auto first = [&p, n](std::int64_t along, std::int64_t across, bool strict) {
    for (std::int64_t i = 0; i < n; ++i) {
      const Point& q = p[static_cast<size_t>(i)];
      const std::int64_t lhs = q.x * across;
      const std::int64_t rhs = q.y * along;
      if (strict ? lhs < rhs : lhs <= rhs) return i;
    }
    return n;
  };
  if (v >= 0) {
    if (u >= 0) return first(u, v, false);
    return 2 * n - first(-u, v, true);
  }
  if (u < 0) return 2 * n + first(-u, -v, true);
  return 4 * n - first(u, -v, false);
}

}  // namespace

std::vector<Point> QuadrantPoints(int w, int h) {
  std::vector<Point> points;
  if (w <= 0 || h <= 0) return points;
  // Integer ellipse stepping: err tracks the implicit ellipse equation at the next diagonal
  // candidate; a step in x, in y or in both keeps the walk on the closest pixels.
  const std::int64_t a = w - 1;
  const std::int64_t b = h - 1;
  const std::int64_t odd = b % 2;
  std::int64_t step_x = 4 * b * b * (1 - a);
  std::int64_t step_y = 4 * a * a * (1 + odd);
  std::int64_t err = step_x + step_y + a * a * odd;
  int x = w - 1;
  int y = h / 2;
  points.reserve(static_cast<size_t>(w) / 2 + static_cast<size_t>(h) / 2 + 2);
  while (x >= w / 2) {
    points.push_back({x, y});
    const std::int64_t twice = 2 * err;  // both tests see the error before this step
    if (twice >= step_x) {
      --x;
      step_x += 8 * b * b;
      err += step_x;
    }
    if (twice <= step_y) {
      ++y;
      step_y += 8 * a * a;
      err += step_y;
    }
  }
  return points;
}

std::vector<Point> RoundRectVertices(int left, int top, int right, int bottom, int ew, int eh) {
  const std::vector<Point> quadrant = QuadrantPoints(ew, eh);
  const size_t n = quadrant.size();

  std::vector<Point> top_half;
  top_half.reserve(2 * n);
  // Upper-right corner, from the right side up to the top row.
  for (const Point& q : quadrant) top_half.push_back({right - ew + q.x, top + eh - 1 - q.y});
  // Upper-left corner: the mirror image, walked back down. When an odd-sized corner spans the
  // whole width the two corners meet in one top-middle point, which is kept only once.
  const bool shared_top = ew % 2 == 1 && ew == right - left;
  for (size_t i = n; i-- > 0;) {
    if (shared_top && i == n - 1) continue;
    top_half.push_back({left + right - 1 - top_half[i].x, top_half[i].y});
  }

  std::vector<Point> vertices = top_half;
  vertices.reserve(2 * top_half.size());
  // Bottom half: the top half mirrored vertically and walked backwards, again sharing the
  // middle point when an odd corner spans the whole height.
  const bool shared_side = eh % 2 == 1 && eh == bottom - top;
  for (size_t i = top_half.size(); i-- > 0;) {
    if (shared_side && i == top_half.size() - 1) continue;
    vertices.push_back({top_half[i].x, top + bottom - 1 - top_half[i].y});
  }
  return vertices;
}

std::vector<Point> RoundRectOutlineVertices(int left, int top, int right, int bottom, int cw,
                                            int ch) {
  const Box box = Normalised(left, top, right, bottom);
  if (box.Empty()) return {};
  const std::int64_t width = std::int64_t{box.right} - box.left;
  const std::int64_t height = std::int64_t{box.bottom} - box.top;
  const auto ew = static_cast<int>(std::min(width, std::abs(std::int64_t{cw})));
  const auto eh = static_cast<int>(std::min(height, std::abs(std::int64_t{ch})));
  if (ew <= 2 || eh <= 2) {
    // Too small a corner: GDI draws Rectangle's frame instead.
    return {{box.right - 1, box.top},
            {box.left, box.top},
            {box.left, box.bottom - 1},
            {box.right - 1, box.bottom - 1}};
  }
  return RoundRectVertices(box.left, box.top, box.right, box.bottom, ew, eh);
}

std::vector<Point> ArcVertices(int left, int top, int right, int bottom, int xs, int ys, int xe,
                               int ye) {
  const Box box = Normalised(left, top, right, bottom);
  if (box.Empty()) return {};
  const int w = box.right - box.left;
  const int h = box.bottom - box.top;
  const int half_w = w / 2;
  const int half_h = h / 2;

  std::vector<Point> p = QuadrantPoints(w, h);
  for (Point& q : p) q = {q.x - half_w, q.y - half_h};
  const auto n = static_cast<std::int64_t>(p.size());

  const std::int64_t cx = box.left + half_w;
  const std::int64_t cy = box.top + half_h;
  const std::int64_t start = ArcIndex(p, xs - cx, cy - ys);
  std::int64_t end = ArcIndex(p, xe - cx, cy - ye);
  if (end <= start) end += 4 * n;  // equal radials give the whole ellipse

  std::vector<Point> vertices;
  vertices.reserve(static_cast<size_t>(end - start));
  for (std::int64_t g = start; g < end; ++g) {
    const std::int64_t wrapped = g % (4 * n);
    const std::int64_t quarter = wrapped / n;
    const Point& fwd = p[static_cast<size_t>(wrapped % n)];
    const Point& back = p[static_cast<size_t>(n - 1 - wrapped % n)];
    switch (quarter) {
      case 0:  // upper right, rising from the right end of the middle row
        vertices.push_back({box.left + half_w + fwd.x, box.bottom - 1 - half_h - fwd.y});
        break;
      case 1:  // upper left, leaving the top
        vertices.push_back({box.right - 1 - half_w - back.x, box.bottom - 1 - half_h - back.y});
        break;
      case 2:  // lower left, descending from the left end of the middle row
        vertices.push_back({box.right - 1 - half_w - fwd.x, box.top + half_h + fwd.y});
        break;
      default:  // lower right, from the bottom back up to the middle row
        vertices.push_back({box.left + half_w + back.x, box.top + half_h + back.y});
        break;
    }
  }
  return vertices;
}

std::vector<Point> ArcPixels(int left, int top, int right, int bottom, int xs, int ys, int xe,
                             int ye) {
  const std::vector<Point> vertices = ArcVertices(left, top, right, bottom, xs, ys, xe, ye);
  return PolylinePixels(vertices, false);
}

}  // namespace fw::soft
