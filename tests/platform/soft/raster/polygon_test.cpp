// Polygon interiors by the region sampling rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <random>
#include <vector>

#include "platform/soft/raster/raster.h"
#include "tests/platform/soft/raster/pixel_picture.h"

namespace fw::soft {
namespace {

using testing::Picture;
using testing::SpanPixels;

// The rule evaluated at one pixel, straight from its definition: count the edges whose exact
// crossing of row y lies at or left of x.
bool InsideByDefinition(const std::vector<Point>& points, PolyFillMode mode, int x, int y) {
  int count = 0;
  int winding = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    const Point& p = points[i];
    const Point& q = points[(i + 1) % points.size()];
    if (p.y == q.y) continue;
    const Point& top = p.y < q.y ? p : q;
    const Point& bottom = p.y < q.y ? q : p;
    if (y < top.y || y >= bottom.y) continue;
    const std::int64_t side =
        std::int64_t{top.x - x} * (bottom.y - top.y) + std::int64_t{y - top.y} * (bottom.x - top.x);
    if (side > 0) continue;
    ++count;
    winding += q.y > p.y ? 1 : -1;
  }
  return mode == PolyFillMode::Winding ? winding != 0 : count % 2 == 1;
}

TEST(PolygonSpans, TriangleWinding) {
  const std::vector<Point> triangle{{7, 1}, {13, 9}, {1, 9}};
  const std::vector<Span> spans = PolygonSpans(triangle, PolyFillMode::Winding);
  EXPECT_EQ(Picture(spans, 16, 10), R"(
................
................
.......#........
......###.......
.....#####......
....######......
....#######.....
...#########....
..###########...
................
)");
  EXPECT_EQ(spans.back(), (Span{8, 2, 13}));
}

TEST(PolygonSpans, StarAlternateAndWinding) {
  const std::vector<Point> star{{7, 0}, {11, 11}, {1, 4}, {13, 4}, {3, 11}};
  EXPECT_EQ(Picture(PolygonSpans(star, PolyFillMode::Alternate), 15, 11), R"(
...............
.......#.......
.......#.......
......###......
.#####...####..
...###...###...
....#.....#....
.....#...#.....
.....##.##.....
....##...##....
....#.....#....
)");
  EXPECT_EQ(Picture(PolygonSpans(star, PolyFillMode::Winding), 15, 11), R"(
...............
.......#.......
.......#.......
......###......
.############..
...#########...
....#######....
.....#####.....
.....#####.....
....##...##....
....#.....#....
)");
}

TEST(PolygonSpans, AxisAlignedRectangleIsTheRectangleRegion) {
  const std::vector<Span> expected{{2, -3, 4}, {3, -3, 4}, {4, -3, 4}};
  for (PolyFillMode mode : {PolyFillMode::Alternate, PolyFillMode::Winding}) {
    const std::vector<Point> clockwise{{-3, 2}, {4, 2}, {4, 5}, {-3, 5}};
    const std::vector<Point> counter{{-3, 2}, {-3, 5}, {4, 5}, {4, 2}};
    EXPECT_EQ(PolygonSpans(clockwise, mode), expected);
    EXPECT_EQ(PolygonSpans(counter, mode), expected);
  }
}

TEST(PolygonSpans, DegenerateInputsAreEmpty) {
  const std::vector<Point> flat{{0, 3}, {9, 3}, {4, 3}};
  const std::vector<Point> there_and_back{{0, 0}, {9, 7}};
  const std::vector<Point> point{{5, 5}};
  for (PolyFillMode mode : {PolyFillMode::Alternate, PolyFillMode::Winding}) {
    EXPECT_TRUE(PolygonSpans({}, mode).empty());
    EXPECT_TRUE(PolygonSpans(point, mode).empty());
    EXPECT_TRUE(PolygonSpans(flat, mode).empty());
    EXPECT_TRUE(PolygonSpans(there_and_back, mode).empty());
  }
}

TEST(PolygonSpans, DoubleLoopFillsTheOverlapOnlyWhenWinding) {
  // The outer square and then the inner one, both clockwise, joined at the top-left corners.
  const std::vector<Point> loops{{0, 0}, {8, 0}, {8, 8}, {0, 8}, {0, 0},
                                 {2, 2}, {6, 2}, {6, 6}, {2, 6}, {2, 2}};
  const std::vector<Span> winding = PolygonSpans(loops, PolyFillMode::Winding);
  const std::vector<Span> alternate = PolygonSpans(loops, PolyFillMode::Alternate);
  EXPECT_EQ(SpanPixels(winding).size(), 64u);
  EXPECT_EQ(SpanPixels(alternate).size(), 64u - 16u);
  EXPECT_EQ(winding[3], (Span{3, 0, 8}));
  // Rows 0 and 1 are whole; the hole starts at row 2.
  EXPECT_EQ(alternate[2], (Span{2, 0, 2}));
  EXPECT_EQ(alternate[3], (Span{2, 6, 8}));
}

TEST(PolygonSpans, MatchesThePerPixelRuleOnRandomPolygons) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> coordinate(-4, 20);
  std::uniform_int_distribution<int> count(3, 8);
  for (int round = 0; round < 1500; ++round) {
    std::vector<Point> points(static_cast<size_t>(count(random)));
    for (Point& p : points) p = {coordinate(random), coordinate(random)};
    for (PolyFillMode mode : {PolyFillMode::Alternate, PolyFillMode::Winding}) {
      const std::vector<Span> spans = PolygonSpans(points, mode);
      // Row-major, non-empty, and neither overlapping nor touching within a row.
      for (size_t i = 0; i < spans.size(); ++i) {
        ASSERT_LT(spans[i].x0, spans[i].x1);
        if (i > 0) {
          ASSERT_TRUE(spans[i - 1].y < spans[i].y ||
                      (spans[i - 1].y == spans[i].y && spans[i - 1].x1 < spans[i].x0));
        }
      }
      std::vector<Point> expected;
      for (int y = -5; y <= 21; ++y) {
        for (int x = -5; x <= 21; ++x) {
          if (InsideByDefinition(points, mode, x, y)) expected.push_back({x, y});
        }
      }
      ASSERT_EQ(SpanPixels(spans), expected) << "round " << round;
    }
  }
}

TEST(PolygonSpans, LargePolygonFarOffTheSurface) {
  // A triangle thousands of pixels across: its rows follow the hypotenuse exactly.
  const std::vector<Point> triangle{{-3000, -1000}, {5000, -1000}, {-3000, 5000}};
  const std::vector<Span> spans = PolygonSpans(triangle, PolyFillMode::Alternate);
  ASSERT_EQ(spans.size(), 6000u);
  for (const Span& s : spans) {
    // Columns whose corner is strictly left of the hypotenuse: 8000 * (5000 - y) / 6000.
    const std::int64_t below = 5000 - s.y;
    const std::int64_t right = -3000 + (8000 * below + 5999) / 6000;
    ASSERT_EQ(s.x0, -3000);
    ASSERT_EQ(s.x1, right) << "row " << s.y;
  }
}

}  // namespace
}  // namespace fw::soft
