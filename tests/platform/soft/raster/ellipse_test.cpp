// Ellipse, RoundRect and Arc with the 1-pixel pen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/soft/raster/raster.h"
#include "tests/platform/soft/raster/pixel_picture.h"

namespace fw::soft {
namespace {

using testing::Columns;
using testing::Picture;
using testing::PixelSet;
using testing::PointsText;
using testing::RowColumns;

// What RoundRect / Ellipse draw with the default pen.
std::vector<Point> RoundRect(int l, int t, int r, int b, int cw, int ch) {
  return PolylinePixels(RoundRectOutlineVertices(l, t, r, b, cw, ch), true);
}
std::vector<Point> Ellipse(int l, int t, int r, int b) {
  return RoundRect(l, t, r, b, r - l, b - t);
}

TEST(QuadrantPoints, Examples) {
  EXPECT_EQ(PointsText(QuadrantPoints(3, 3)), "(2,1) (1,2)");
  EXPECT_EQ(PointsText(QuadrantPoints(4, 4)), "(3,2) (2,3)");
  EXPECT_EQ(PointsText(QuadrantPoints(5, 5)), "(4,2) (4,3) (3,4) (2,4)");
  EXPECT_EQ(PointsText(QuadrantPoints(16, 16)),
            "(15,8) (15,9) (15,10) (14,11) (13,12) (13,13) (12,13) (11,14) (10,15) (9,15) (8,15)");
  EXPECT_EQ(PointsText(QuadrantPoints(17, 17)),
            "(16,8) (16,9) (16,10) (15,11) (15,12) (14,13) (13,14) (12,15) (11,15) (10,16) (9,16) "
            "(8,16)");
}

TEST(QuadrantPoints, WalksFromTheMiddleRowDownToTheMiddleColumnInUnitSteps) {
  for (int w = 1; w <= 64; ++w) {
    for (int h = 1; h <= 64; ++h) {
      const std::vector<Point> q = QuadrantPoints(w, h);
      ASSERT_FALSE(q.empty()) << w << "x" << h;
      EXPECT_EQ(q.front(), (Point{w - 1, h / 2})) << w << "x" << h;
      EXPECT_EQ(q.back().x, w / 2) << w << "x" << h;
      EXPECT_LT(q.back().y, h) << w << "x" << h;
      for (size_t i = 1; i < q.size(); ++i) {
        const int dx = q[i - 1].x - q[i].x;
        const int dy = q[i].y - q[i - 1].y;
        ASSERT_TRUE(dx >= 0 && dx <= 1 && dy >= 0 && dy <= 1 && dx + dy > 0)
            << w << "x" << h << " step " << i;
      }
    }
  }
  EXPECT_TRUE(QuadrantPoints(0, 5).empty());
}

TEST(RoundRectVertices, CornersJoinedByStraightRuns) {
  EXPECT_EQ(RoundRectVertices(0, 0, 10, 6, 4, 4),
            (std::vector<Point>{{9, 1}, {8, 0}, {1, 0}, {0, 1}, {0, 4}, {1, 5}, {8, 5}, {9, 4}}));
  // A corner that fills the box with an odd size keeps the shared top and side points once.
  EXPECT_EQ(RoundRectVertices(0, 0, 3, 3, 3, 3),
            (std::vector<Point>{{2, 1}, {1, 0}, {0, 1}, {1, 2}, {2, 1}}));
}

TEST(RoundRectOutline, SmallEllipses) {
  EXPECT_EQ(Picture(Ellipse(0, 0, 3, 3), 3, 3), R"(
.#.
#.#
.#.
)");
  EXPECT_EQ(Picture(Ellipse(0, 0, 4, 4), 4, 4), R"(
.##.
#..#
#..#
.##.
)");
  EXPECT_EQ(Picture(Ellipse(0, 0, 5, 5), 5, 5), R"(
.###.
#...#
#...#
#...#
.###.
)");
}

TEST(RoundRectOutline, CornerSizes) {
  EXPECT_EQ(Picture(RoundRect(0, 0, 10, 6, 3, 3), 10, 6), R"(
.########.
#........#
#........#
#........#
#........#
.########.
)");
  EXPECT_EQ(Picture(RoundRect(0, 0, 10, 6, 100, 100), 10, 6), R"(
..######..
.#......#.
#........#
#........#
.#......#.
..######..
)");
  const std::string frame = R"(
##########
#........#
#........#
#........#
#........#
##########
)";
  EXPECT_EQ(Picture(RoundRect(0, 0, 10, 6, 0, 0), 10, 6), frame);
  EXPECT_EQ(Picture(RoundRect(0, 0, 10, 6, 2, 2), 10, 6), frame);
  EXPECT_EQ(Picture(RoundRect(0, 0, 10, 6, 2, 30), 10, 6), frame);
  EXPECT_EQ(Picture(RoundRect(10, 6, 0, 0, -4, -4), 10, 6),
            Picture(RoundRect(0, 0, 10, 6, 3, 3), 10, 6));
}

TEST(RoundRectOutline, DegenerateBoxes) {
  EXPECT_EQ(Picture(Ellipse(0, 0, 2, 6), 3, 7), R"(
##.
##.
##.
##.
##.
##.
...
)");
  EXPECT_EQ(Picture(Ellipse(0, 0, 1, 5), 2, 6), R"(
#.
#.
#.
#.
#.
..
)");
  EXPECT_EQ(Picture(Ellipse(0, 0, 5, 1), 6, 2), R"(
#####.
......
)");
  // A 1x1 box is four coincident corners: only zero-length segments, so nothing is drawn.
  EXPECT_EQ(RoundRectOutlineVertices(4, 4, 5, 5, 9, 9), (std::vector<Point>(4, Point{4, 4})));
  EXPECT_TRUE(Ellipse(4, 4, 5, 5).empty());
  EXPECT_TRUE(RoundRectOutlineVertices(0, 0, 0, 5, 4, 4).empty());
  EXPECT_TRUE(RoundRectOutlineVertices(3, 2, 9, 2, 4, 4).empty());
}

TEST(RoundRectOutline, LargeRoundRectRows) {
  const std::vector<Point> pixels = RoundRect(0, 0, 99, 39, 16, 16);
  EXPECT_EQ(RowColumns(pixels, 0), Columns({{5, 93}}));
  EXPECT_EQ(RowColumns(pixels, 1), Columns({{4, 4}, {94, 94}}));
  EXPECT_EQ(RowColumns(pixels, 2), Columns({{2, 3}, {95, 96}}));
  EXPECT_EQ(RowColumns(pixels, 3), Columns({{2, 2}, {96, 96}}));
  EXPECT_EQ(RowColumns(pixels, 4), Columns({{1, 1}, {97, 97}}));
  for (int y = 5; y <= 33; ++y) {
    EXPECT_EQ(RowColumns(pixels, y), Columns({{0, 0}, {98, 98}}));
  }
  EXPECT_EQ(RowColumns(pixels, 34), Columns({{1, 1}, {97, 97}}));
  EXPECT_EQ(RowColumns(pixels, 35), Columns({{2, 2}, {96, 96}}));
  EXPECT_EQ(RowColumns(pixels, 36), Columns({{2, 3}, {95, 96}}));
  EXPECT_EQ(RowColumns(pixels, 37), Columns({{4, 4}, {94, 94}}));
  EXPECT_EQ(RowColumns(pixels, 38), Columns({{5, 93}}));
  // Nothing outside those rows: two full rows, 29 rows of two sides, two rounded corners.
  EXPECT_EQ(PixelSet(pixels).size(), 2u * 89 + 2 * 29 + 2 * (2 + 4 + 2 + 2));

  const std::vector<Point> vertices = RoundRectOutlineVertices(0, 0, 99, 39, 16, 16);
  const std::vector<Point> upper_right(vertices.begin(), vertices.begin() + 11);
  EXPECT_EQ(PointsText(upper_right),
            "(98,7) (98,6) (98,5) (97,4) (96,3) (96,2) (95,2) (94,1) (93,0) (92,0) (91,0)");
}

TEST(RoundRectOutline, CircleRows) {
  // RoundRect(1,1,38,38,38,38): the corner is clamped to the 37-pixel box.
  const std::vector<Point> pixels = RoundRect(1, 1, 38, 38, 38, 38);
  EXPECT_EQ(pixels, Ellipse(1, 1, 38, 38));
  const std::vector<std::vector<int>> upper_rows = {
      Columns({{15, 23}}),            // row 1
      Columns({{12, 14}, {24, 26}}),  // row 2
      Columns({{10, 11}, {27, 28}}),  // row 3
      Columns({{9, 9}, {29, 29}}),   Columns({{8, 8}, {30, 30}}), Columns({{7, 7}, {31, 31}}),
      Columns({{6, 6}, {32, 32}}),   Columns({{5, 5}, {33, 33}}), Columns({{4, 4}, {34, 34}}),
      Columns({{3, 3}, {35, 35}}),   Columns({{3, 3}, {35, 35}}),  // rows 10-11
      Columns({{2, 2}, {36, 36}}),   Columns({{2, 2}, {36, 36}}), Columns({{2, 2}, {36, 36}}),
  };
  for (int y = 1; y <= 14; ++y) {
    EXPECT_EQ(RowColumns(pixels, y), upper_rows[static_cast<size_t>(y - 1)]) << "row " << y;
    EXPECT_EQ(RowColumns(pixels, 38 - y), upper_rows[static_cast<size_t>(y - 1)]) << "row " << y;
  }
  for (int y = 15; y <= 23; ++y) {
    EXPECT_EQ(RowColumns(pixels, y), Columns({{1, 1}, {37, 37}}));
  }
}

TEST(RoundRectOutline, EllipseWithTheDefaultPen) {
  EXPECT_EQ(Picture(Ellipse(2, 2, 17, 13), 20, 11, 0, 2), R"(
.......#####........
.....##.....##......
...##.........##....
...#...........#....
..#.............#...
..#.............#...
..#.............#...
...#...........#....
...##.........##....
.....##.....##......
.......#####........
)");
}

TEST(RoundRectOutline, TallNarrowEllipsesStopShortOfTheTopAndBottomRows) {
  // The quarter-ellipse stepping ends on its middle column before reaching the last row when
  // the corner is tall enough for its width (from 3x8, 4x7, 6x20 and 5x32 on); GDI then draws
  // the top and bottom runs one row in.
  EXPECT_EQ(QuadrantPoints(4, 7), (std::vector<Point>{{3, 3}, {3, 4}, {2, 5}}));
  EXPECT_EQ(Picture(Ellipse(0, 0, 4, 7), 4, 7), R"(
....
.##.
#..#
#..#
#..#
.##.
....
)");
  EXPECT_EQ(Picture(Ellipse(0, 0, 3, 8), 3, 8), R"(
...
.#.
#.#
#.#
#.#
#.#
.#.
...
)");
  EXPECT_EQ(QuadrantPoints(4, 6).back(), (Point{2, 5}));
  EXPECT_EQ(QuadrantPoints(3, 7).back(), (Point{1, 6}));
}

TEST(RoundRectOutline, BoxPropertiesOverSmallBoxes) {
  const int corners[] = {0, 2, 3, 4, 5, 7, 100};
  for (int w = 1; w <= 14; ++w) {
    for (int h = 1; h <= 14; ++h) {
      for (int cw : corners) {
        for (int ch : corners) {
          const int l = -3;
          const int t = 5;
          const int r = l + w;
          const int b = t + h;
          const std::vector<Point> vertices = RoundRectOutlineVertices(l, t, r, b, cw, ch);
          // Reversed boxes and negative corner sizes draw the same figure.
          ASSERT_EQ(RoundRectOutlineVertices(r, b, l, t, -cw, ch), vertices);
          ASSERT_EQ(RoundRectOutlineVertices(r, t, l, b, cw, -ch), vertices);
          const std::vector<Point> pixels = PixelSet(PolylinePixels(vertices, true));
          if (cw >= w && ch >= h) {
            ASSERT_EQ(pixels, PixelSet(Ellipse(l, t, r, b)));
          }
          // The outline stays inside [l, r) x [t, b), touches all four sides and is mirror
          // symmetric both ways.
          int min_x = r;
          int max_x = l - 1;
          int min_y = b;
          int max_y = t - 1;
          for (const Point& p : pixels) {
            min_x = std::min(min_x, p.x);
            max_x = std::max(max_x, p.x);
            min_y = std::min(min_y, p.y);
            max_y = std::max(max_y, p.y);
            const Point mirror_x{l + r - 1 - p.x, p.y};
            const Point mirror_y{p.x, t + b - 1 - p.y};
            ASSERT_TRUE(
                std::binary_search(pixels.begin(), pixels.end(), mirror_x, testing::RowMajorLess))
                << w << "x" << h << " corner " << cw << "," << ch;
            ASSERT_TRUE(
                std::binary_search(pixels.begin(), pixels.end(), mirror_y, testing::RowMajorLess))
                << w << "x" << h << " corner " << cw << "," << ch;
          }
          if (w == 1 && h == 1) continue;  // four identical corners: zero-length segments
          ASSERT_EQ(min_x, l);
          ASSERT_EQ(max_x, r - 1);
          // Corners much taller than wide stop short of the top and bottom rows (below).
          const int ew = std::min(w, cw);
          const int eh = std::min(h, ch);
          if (ew <= 2 || eh <= 2 || eh <= ew) {
            ASSERT_EQ(min_y, t) << w << "x" << h << " corner " << cw << "," << ch;
            ASSERT_EQ(max_y, b - 1) << w << "x" << h << " corner " << cw << "," << ch;
          }
        }
      }
    }
  }
}

TEST(ArcVertices, WorkedExampleFromAReversedBox) {
  const std::vector<Point> expected{{10, 0}, {9, 0}, {8, 0}, {8, 0}, {7, 0}, {6, 0},
                                    {5, 1},  {4, 1}, {3, 2}, {2, 3}, {1, 4}, {1, 5},
                                    {0, 6},  {0, 7}, {0, 8}, {0, 8}, {0, 9}, {0, 10}};
  EXPECT_EQ(ArcVertices(17, 17, 0, 0, 10, 0, 0, 10), expected);
  const std::vector<Point> pixels = ArcPixels(17, 17, 0, 0, 10, 0, 0, 10);
  EXPECT_EQ(pixels, PolylinePixels(expected, false));
  // The last point, (0,10), is left out; a pixel outside the window would show in the text.
  EXPECT_EQ(Picture(pixels, 19, 10), R"(
......#####........
....##.............
...#...............
..#................
.#.................
.#.................
#..................
#..................
#..................
#..................
)");
  EXPECT_EQ(ArcPixels(0, 0, 17, 17, 10, 0, 0, 10), pixels);
}

TEST(ArcPixels, CounterClockwiseFromStartToEnd) {
  EXPECT_EQ(Picture(ArcPixels(0, 0, 17, 17, 0, 10, 10, 0), 19, 17), R"(
...................
............#......
.............#.....
..............#....
...............#...
...............#...
................#..
................#..
................#..
................#..
................#..
.#.............#...
.#.............#...
..#...........#....
...#.........#.....
....##.....##......
......#####........
)");
  // Radial points far outside the box: only their direction counts.
  EXPECT_EQ(Picture(ArcPixels(0, 0, 17, 17, 100, -50, -100, -50), 19, 4), R"(
......#####........
....##.....##......
...#.........#.....
..#...........#....
)");
}

TEST(ArcPixels, EqualRadialsDrawTheEllipseButThePixelBeforeTheStart) {
  std::vector<Point> expected;
  for (const Point& p : PixelSet(Ellipse(0, 0, 16, 12))) {
    if (p != Point{15, 6}) expected.push_back(p);
  }
  EXPECT_EQ(PixelSet(ArcPixels(0, 0, 16, 12, 16, 6, 16, 6)), expected);
  EXPECT_TRUE(ArcVertices(0, 0, 0, 12, 1, 1, 2, 2).empty());
  EXPECT_TRUE(ArcPixels(4, 4, 9, 4, 1, 1, 2, 2).empty());
}

TEST(ArcVertices, ArcsAreSectionsOfTheEllipseOutline) {
  // Radial points all round the centre, some on it.
  std::vector<Point> radials;
  for (int x = -3; x <= 3; ++x) {
    for (int y = -3; y <= 3; ++y) radials.push_back({x * 7, y * 5});
  }
  for (int w = 1; w <= 10; ++w) {
    for (int h = 1; h <= 10; ++h) {
      const int l = 2;
      const int t = -4;
      const int cx = l + w / 2;
      const int cy = t + h / 2;
      const std::vector<Point> whole = PixelSet(ArcVertices(l, t, l + w, t + h, 0, 0, 0, 0));
      if (w >= 3 && h >= 3) {
        ASSERT_EQ(whole, PixelSet(RoundRectVertices(l, t, l + w, t + h, w, h))) << w << "x" << h;
      }
      for (const Point& s : radials) {
        const Point start{cx + s.x, cy + s.y};
        ASSERT_EQ(ArcVertices(l + w, t + h, l, t, start.x, start.y, 1, 2),
                  ArcVertices(l, t, l + w, t + h, start.x, start.y, 1, 2));
        ASSERT_EQ(PixelSet(ArcVertices(l, t, l + w, t + h, start.x, start.y, start.x, start.y)),
                  whole);
        for (const Point& e : radials) {
          const Point end{cx + e.x, cy + e.y};
          std::vector<Point> both = ArcVertices(l, t, l + w, t + h, start.x, start.y, end.x, end.y);
          const std::vector<Point> back =
              ArcVertices(l, t, l + w, t + h, end.x, end.y, start.x, start.y);
          both.insert(both.end(), back.begin(), back.end());
          // Going from s to e and then from e to s covers the ellipse.
          ASSERT_EQ(PixelSet(both), whole) << w << "x" << h;
        }
      }
    }
  }
}

}  // namespace
}  // namespace fw::soft
