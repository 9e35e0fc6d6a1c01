// LineTo, Polyline and Polygon outlines with the 1-pixel pen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/soft/raster/raster.h"
#include "tests/platform/soft/raster/pixel_picture.h"

namespace fw::soft {
namespace {

using testing::Picture;
using testing::PixelSet;

// Wine's incremental form of the line: step the major axis, step the minor one when the error
// term plus the octant's bias is positive. An independent model to hold the closed form to.
std::vector<Point> BiasedBresenham(Point from, Point to) {
  const int dx = to.x - from.x;
  const int dy = to.y - from.y;
  const bool x_major = std::abs(dx) > std::abs(dy);
  const int major = x_major ? std::abs(dx) : std::abs(dy);
  const int minor = x_major ? std::abs(dy) : std::abs(dx);
  const int bias = (x_major ? dy : dx) < 0 ? 1 : 0;
  const int step_x = dx > 0 ? 1 : -1;
  const int step_y = dy > 0 ? 1 : -1;
  std::vector<Point> pixels;
  Point p = from;
  int err = 2 * minor - major;
  for (int i = 0; i < major; ++i) {
    pixels.push_back(p);
    const bool minor_step = err + bias > 0;
    err += minor_step ? 2 * minor - 2 * major : 2 * minor;
    if (x_major) {
      p.x += step_x;
      if (minor_step) p.y += step_y;
    } else {
      p.y += step_y;
      if (minor_step) p.x += step_x;
    }
  }
  return pixels;
}

struct LineCase {
  Point from;
  Point to;
  std::vector<Point> pixels;
};

TEST(LinePixels, OctantExamplesInDrawingOrder) {
  // Every octant with lengths that produce ties, and two reversed lines.
  const LineCase cases[] = {
      {{10, 10}, {14, 12}, {{10, 10}, {11, 10}, {12, 11}, {13, 11}}},
      {{10, 10}, {12, 14}, {{10, 10}, {10, 11}, {11, 12}, {11, 13}}},
      {{10, 10}, {8, 14}, {{10, 10}, {9, 11}, {9, 12}, {8, 13}}},
      {{10, 10}, {6, 12}, {{10, 10}, {9, 10}, {8, 11}, {7, 11}}},
      {{10, 10}, {6, 8}, {{10, 10}, {9, 9}, {8, 9}, {7, 8}}},
      {{10, 10}, {8, 6}, {{10, 10}, {9, 9}, {9, 8}, {8, 7}}},
      {{10, 10}, {12, 6}, {{10, 10}, {10, 9}, {11, 8}, {11, 7}}},
      {{10, 10}, {14, 8}, {{10, 10}, {11, 9}, {12, 9}, {13, 8}}},
      {{14, 12}, {10, 10}, {{14, 12}, {13, 11}, {12, 11}, {11, 10}}},
      {{6, 12}, {10, 10}, {{6, 12}, {7, 11}, {8, 11}, {9, 10}}},
      {{2, 2}, {9, 5}, {{2, 2}, {3, 2}, {4, 3}, {5, 3}, {6, 4}, {7, 4}, {8, 5}}},
      {{3, 1}, {5, 8}, {{3, 1}, {3, 2}, {4, 3}, {4, 4}, {4, 5}, {4, 6}, {5, 7}}},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(LinePixels(c.from, c.to), c.pixels)
        << "(" << c.from.x << "," << c.from.y << ")->(" << c.to.x << "," << c.to.y << ")";
  }
}

TEST(LinePixels, AxisAndDiagonalRunsLeaveOutTheEnd) {
  const LineCase cases[] = {
      {{10, 10}, {15, 10}, {{10, 10}, {11, 10}, {12, 10}, {13, 10}, {14, 10}}},
      {{10, 10}, {5, 10}, {{10, 10}, {9, 10}, {8, 10}, {7, 10}, {6, 10}}},
      {{10, 10}, {10, 13}, {{10, 10}, {10, 11}, {10, 12}}},
      {{10, 10}, {10, 7}, {{10, 10}, {10, 9}, {10, 8}}},
      {{10, 10}, {14, 14}, {{10, 10}, {11, 11}, {12, 12}, {13, 13}}},
      {{10, 10}, {6, 6}, {{10, 10}, {9, 9}, {8, 8}, {7, 7}}},
      {{10, 10}, {14, 6}, {{10, 10}, {11, 9}, {12, 8}, {13, 7}}},
      {{10, 10}, {6, 14}, {{10, 10}, {9, 11}, {8, 12}, {7, 13}}},
      {{3, 4}, {3, 4}, {}},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(LinePixels(c.from, c.to), c.pixels)
        << "(" << c.from.x << "," << c.from.y << ")->(" << c.to.x << "," << c.to.y << ")";
  }
}

TEST(LinePixels, LineFromOutsideTheSurfaceKeepsItsPixels) {
  // (-7,-3)->(13,4) seen through a 21x21 surface.
  std::vector<Point> visible;
  for (const Point& p : LinePixels({-7, -3}, {13, 4})) {
    if (p.x >= 0 && p.y >= 0 && p.x < 21 && p.y < 21) visible.push_back(p);
  }
  EXPECT_EQ(Picture(visible, 21, 5), R"(
.###.................
....##...............
......###............
.........###.........
............#........
)");
}

TEST(LinePixels, MatchesTheBiasedBresenhamOnA17x17Grid) {
  for (int x0 = 0; x0 < 17; ++x0) {
    for (int y0 = 0; y0 < 17; ++y0) {
      for (int x1 = 0; x1 < 17; ++x1) {
        for (int y1 = 0; y1 < 17; ++y1) {
          ASSERT_EQ(LinePixels({x0, y0}, {x1, y1}), BiasedBresenham({x0, y0}, {x1, y1}))
              << "(" << x0 << "," << y0 << ")->(" << x1 << "," << y1 << ")";
        }
      }
    }
  }
}

TEST(LinePixels, PixelSetDoesNotDependOnDirectionOn9x9Grid) {
  for (int a = 0; a < 81; ++a) {
    for (int b = 0; b < 81; ++b) {
      const Point from{a % 9, a / 9};
      const Point to{b % 9, b / 9};
      std::vector<Point> forward = LinePixels(from, to);
      std::vector<Point> backward = LinePixels(to, from);
      const auto length = static_cast<size_t>(std::max(std::abs(to.x - from.x),  //
                                                       std::abs(to.y - from.y)));
      ASSERT_EQ(forward.size(), length);
      if (length == 0) continue;
      EXPECT_EQ(forward.front(), from);
      forward.push_back(to);
      backward.push_back(from);
      ASSERT_EQ(PixelSet(forward), PixelSet(backward))
          << "(" << from.x << "," << from.y << ")<->(" << to.x << "," << to.y << ")";
    }
  }
}

TEST(LinePixels, LongLinesStayWithinHalfAPixelOfTheExactLine) {
  // Long enough that 2 * dy * i no longer fits in 32 bits.
  const LineCase lines[] = {
      {{-40000, 1000}, {60000, -43001}, {}},
      {{5, -70000}, {-30001, 70000}, {}},
      {{100000, 7}, {-100000, 8}, {}},
  };
  for (const LineCase& c : lines) {
    const std::int64_t dx = c.to.x - c.from.x;
    const std::int64_t dy = c.to.y - c.from.y;
    const bool x_major = std::abs(dx) > std::abs(dy);
    const std::int64_t major = x_major ? std::abs(dx) : std::abs(dy);
    const std::vector<Point> pixels = LinePixels(c.from, c.to);
    ASSERT_EQ(pixels.size(), static_cast<size_t>(major));
    for (size_t i = 0; i < pixels.size(); ++i) {
      const auto along = static_cast<std::int64_t>(i);
      // Distance along the minor axis, scaled by 2 * major: at most one half, ties to the
      // smaller coordinate.
      const std::int64_t off = x_major ? 2 * (pixels[i].y - c.from.y) * major - 2 * dy * along
                                       : 2 * (pixels[i].x - c.from.x) * major - 2 * dx * along;
      ASSERT_LE(off, major - 1) << i;
      ASSERT_GE(off, -major) << i;
    }
  }
}

TEST(PolylinePixels, FewerThanTwoPointsDrawNothing) {
  const std::vector<Point> one{{3, 3}};
  EXPECT_TRUE(PolylinePixels({}, false).empty());
  EXPECT_TRUE(PolylinePixels(one, true).empty());
}

TEST(PolylinePixels, TwoPointPolygonGoesThereAndBack) {
  const std::vector<Point> points{{1, 1}, {5, 2}};
  EXPECT_EQ(PixelSet(PolylinePixels(points, true)),
            (std::vector<Point>{{1, 1}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
  EXPECT_EQ(PolylinePixels(points, false), (std::vector<Point>{{1, 1}, {2, 1}, {3, 1}, {4, 2}}));
}

TEST(PolylinePixels, PolygonOutlines) {
  const std::vector<Point> triangle{{7, 1}, {13, 9}, {1, 9}};
  EXPECT_EQ(Picture(PolylinePixels(triangle, true), 16, 10), R"(
................
.......#........
......#.#.......
.....#..#.......
.....#...#......
....#.....#.....
...#.......#....
..#........#....
..#.........#...
.#############..
)");
  const std::vector<Point> diamond{{7, 0}, {14, 5}, {7, 10}, {0, 5}};
  EXPECT_EQ(Picture(PolylinePixels(diamond, true), 16, 11), R"(
.......#........
.....##.##......
....#.....#.....
...#.......#....
.##.........##..
#.............#.
.##.........##..
...#.......#....
....#.....#.....
.....##.##......
.......#........
)");
}

TEST(PolylinePixels, ArrowAsPolygonAndAsPolyline) {
  const std::vector<Point> arrow{{1, 3}, {8, 3}, {8, 0}, {14, 5}, {8, 10}, {8, 7}, {1, 7}};
  EXPECT_EQ(Picture(PolylinePixels(arrow, true), 16, 11), R"(
........#.......
........##......
........#.##....
.########...#...
.#...........#..
.#............#.
.#...........#..
.########..##...
........#.#.....
........##......
........#.......
)");
  // The open polyline has no closing edge and leaves out its last point, (1,7).
  EXPECT_EQ(Picture(PolylinePixels(arrow, false), 16, 11), R"(
........#.......
........##......
........#.##....
.########...#...
.............#..
..............#.
.............#..
..#######..##...
........#.#.....
........##......
........#.......
)");
}

}  // namespace
}  // namespace fw::soft
