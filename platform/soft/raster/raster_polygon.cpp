// Polygon interiors by GDI's region sampling rule: a pixel is inside when its top-left corner
// is, with edges half-open so that left and top boundaries are in and right and bottom ones out.
//
// Rows are scanned with an active edge list; on each row an edge's first pixel at or right of
// its exact crossing is ceil(crossing), so the inside parts of the row fall out as spans
// between those positions without testing single pixels.
#include <algorithm>
#include <cstdint>

#include "platform/soft/raster/raster.h"

namespace fw::soft {
namespace {

struct Edge {
  std::int64_t top_x = 0;
  std::int64_t top_y = 0;
  std::int64_t bottom_x = 0;
  std::int64_t bottom_y = 0;
  int direction = 0;  // +1 when the polygon walks it downwards

  // The first column whose top-left corner is on or right of the edge on row y.
  std::int64_t FirstColumnAt(std::int64_t y) const {
    const std::int64_t num = (y - top_y) * (bottom_x - top_x);
    const std::int64_t den = bottom_y - top_y;
    std::int64_t step = num / den;
    if (num % den != 0 && num > 0) ++step;
    return top_x + step;
  }
};

struct Crossing {
  std::int64_t x = 0;
  int direction = 0;
};

std::vector<Edge> CollectEdges(std::span<const Point> points) {
  std::vector<Edge> edges;
  edges.reserve(points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    const Point& from = points[i];
    const Point& to = points[(i + 1) % points.size()];
    if (from.y == to.y) continue;  // horizontal edges never cross a row
    if (from.y < to.y) {
      edges.push_back({from.x, from.y, to.x, to.y, 1});
    } else {
      edges.push_back({to.x, to.y, from.x, from.y, -1});
    }
  }
  std::sort(edges.begin(), edges.end(),
            [](const Edge& a, const Edge& b) { return a.top_y < b.top_y; });
  return edges;
}

// Appends the inside parts of row y, given the row's crossings sorted by x.
void EmitRow(int y, const std::vector<Crossing>& crossings, PolyFillMode mode,
             std::vector<Span>& out) {
  int winding = 0;
  int count = 0;
  std::int64_t start = 0;
  bool inside = false;
  for (size_t i = 0; i < crossings.size();) {
    const std::int64_t x = crossings[i].x;
    // Every edge crossing at x counts from x on, so apply them all before deciding.
    for (; i < crossings.size() && crossings[i].x == x; ++i) {
      winding += crossings[i].direction;
      ++count;
    }
    const bool now_inside = mode == PolyFillMode::Winding ? winding != 0 : count % 2 == 1;
    if (now_inside && !inside) start = x;
    if (!now_inside && inside) {
      out.push_back({y, static_cast<int>(start), static_cast<int>(x)});
    }
    inside = now_inside;
  }
}

}  // namespace

std::vector<Span> PolygonSpans(std::span<const Point> points, PolyFillMode mode) {
  std::vector<Span> spans;
  const std::vector<Edge> edges = CollectEdges(points);
  if (edges.empty()) return spans;
  std::int64_t bottom = edges.front().bottom_y;
  for (const Edge& e : edges) bottom = std::max(bottom, e.bottom_y);

  std::vector<const Edge*> active;
  std::vector<Crossing> crossings;
  size_t next = 0;
  for (std::int64_t y = edges.front().top_y; y < bottom; ++y) {
    // An edge is active on rows [top, bottom).
    std::erase_if(active, [y](const Edge* e) { return e->bottom_y <= y; });
    if (active.empty() && next < edges.size() && edges[next].top_y > y) y = edges[next].top_y;
    for (; next < edges.size() && edges[next].top_y == y; ++next) active.push_back(&edges[next]);

    crossings.clear();
    for (const Edge* e : active) crossings.push_back({e->FirstColumnAt(y), e->direction});
    std::sort(crossings.begin(), crossings.end(),
              [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    EmitRow(static_cast<int>(y), crossings, mode, spans);
  }
  return spans;
}

}  // namespace fw::soft
