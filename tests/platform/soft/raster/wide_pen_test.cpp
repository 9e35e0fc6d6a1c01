// Solid pens wider than one pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/soft/raster/raster.h"
#include "tests/platform/soft/raster/pixel_picture.h"

namespace fw::soft {
namespace {

using testing::Picture;
using testing::PixelSet;
using testing::SpanPixels;

// CreateEllipticRgn(l, t, r, b) by the region code's own stepping (right and bottom shrunk by
// one, row insets counted from the sides): an independent model of the pen's round blob.
std::vector<Span> EllipticRegion(int l, int t, int r, int b) {
  const int right = r - 1;
  const int bottom = b - 1;
  const int ew = right - l;
  const int eh = bottom - t;
  std::vector<Span> rows;
  if (ew < 2 || eh < 2) {
    for (int y = t; y < bottom; ++y) rows.push_back({y, l, right});
    return rows;
  }
  std::vector<int> inset(static_cast<size_t>(eh), 0);
  const std::int64_t a = ew - 1;
  const std::int64_t c = eh - 1;
  const std::int64_t odd = c % 2;
  std::int64_t dx = 4 * c * c * (1 - a);
  std::int64_t dy = 4 * a * a * (1 + odd);
  std::int64_t err = dx + dy + a * a * odd;
  int x = 0;
  int y = eh / 2;
  while (x <= ew / 2) {
    const std::int64_t twice = 2 * err;
    if (twice >= dx) {
      ++x;
      dx += 8 * c * c;
      err += dx;
    }
    if (twice <= dy) {
      ++y;
      dy += 8 * a * a;
      err += dy;
      if (y < eh) inset[static_cast<size_t>(y)] = x;
    }
  }
  for (int i = 0; i < eh / 2; ++i) {
    inset[static_cast<size_t>(i)] = inset[static_cast<size_t>(eh - 1 - i)];
  }
  for (int i = 0; i < eh; ++i) {
    const int in = inset[static_cast<size_t>(i)];
    rows.push_back({t + i, l + in, right - in});
  }
  return rows;
}

std::vector<Point> WideLine(Point from, Point to, int width) {
  const std::vector<Point> ends{from, to};
  return WidePenPixels(ends, false, width);
}

TEST(WidePenPixels, BlobAtAVertexIsTheEllipticRegion) {
  const std::vector<Point> dot{{0, 0}, {0, 0}};
  EXPECT_EQ(Picture(WidePenPixels(dot, false, 2), 4, 4, -2, -2), R"(
....
.##.
.##.
....
)");
  EXPECT_EQ(Picture(WidePenPixels(dot, false, 3), 5, 5, -2, -2), R"(
.....
..#..
.###.
..#..
.....
)");
  // A wide pen still paints the blob of a 1x1 Ellipse, which the 1-pixel pen leaves empty.
  EXPECT_EQ(WidePenPixels(RoundRectOutlineVertices(0, 0, 1, 1, 1, 1), true, 2),
            (std::vector<Point>{{-1, -1}, {0, -1}, {-1, 0}, {0, 0}}));
  for (int w = 2; w <= 48; ++w) {
    const std::vector<Span> region = EllipticRegion(-(w / 2), -(w / 2), (w + 1) / 2 + 1,  //
                                                    (w + 1) / 2 + 1);
    ASSERT_EQ(PixelSet(WidePenPixels(dot, true, w)), PixelSet(SpanPixels(region))) << "width " << w;
  }
}

TEST(WidePenPixels, AxisSegmentsAreRectanglesBetweenTheBlobs) {
  EXPECT_EQ(Picture(WideLine({0, 0}, {6, 0}, 2), 10, 4, -2, -2), R"(
..........
.########.
.########.
..........
)");
  EXPECT_EQ(Picture(WideLine({6, 0}, {0, 0}, 3), 11, 5, -2, -2), R"(
...........
..#######..
.#########.
..#######..
...........
)");
  EXPECT_EQ(Picture(WideLine({0, 4}, {0, 0}, 2), 4, 8, -2, -2), R"(
....
.##.
.##.
.##.
.##.
.##.
.##.
....
)");
}

TEST(WidePenPixels, SlantedSegmentIsAFilledQuadrilateral) {
  // Half widths of 1 on both sides of the diagonal; the blobs round off the ends.
  EXPECT_EQ(Picture(WideLine({0, 0}, {4, 4}, 2), 8, 8, -2, -2), R"(
........
.##.....
.###....
.####...
..####..
...####.
....###.
........
)");
  EXPECT_EQ(Picture(WideLine({0, 0}, {6, 2}, 3), 11, 7, -2, -2), R"(
...........
..####.....
.########..
..#######..
.....#####.
........#..
...........
)");
}

TEST(WidePenPixels, EllipseOutlineWidthTwo) {
  const std::vector<Point> vertices = RoundRectOutlineVertices(2, 2, 17, 13, 15, 11);
  EXPECT_EQ(Picture(WidePenPixels(vertices, true, 2), 20, 12, 0, 1), R"(
......######........
....##########......
..######..######....
..####......####....
.###..........###...
.###..........###...
.##............##...
.###..........###...
.####........####...
..#####....#####....
...############.....
.....########.......
)");
}

// The short form of the width-2 pen on RoundRect/Ellipse outlines: a 2x2 square ending at
// every pixel of the 1-pixel outline, plus one pixel at the outer side of each diagonal step.
std::vector<Point> WidthTwoShortForm(const std::vector<Point>& vertices) {
  std::vector<Point> pixels;
  for (const Point& p : PolylinePixels(vertices, true)) {
    pixels.insert(pixels.end(), {{p.x - 1, p.y - 1}, {p.x, p.y - 1}, {p.x - 1, p.y}, p});
  }
  for (size_t i = 0; i < vertices.size(); ++i) {
    const Point& a = vertices[i];
    const Point& b = vertices[(i + 1) % vertices.size()];
    const int dx = b.x - a.x;
    const int dy = b.y - a.y;
    if (dx == 0 || dy == 0) continue;
    const Point& upper = a.y < b.y ? a : b;
    const Point& lower = a.y < b.y ? b : a;
    pixels.push_back({dx * dy > 0 ? upper.x - 1 : upper.x, lower.y});
  }
  return PixelSet(pixels);
}

TEST(WidePenPixels, WidthTwoMatchesTheShortFormOnRoundRects) {
  const int corners[] = {0, 3, 4, 5, 9, 100};
  for (int w = 1; w <= 20; ++w) {
    for (int h = 1; h <= 20; ++h) {
      if (w == 1 && h == 1) continue;  // no 1-pixel outline at all, but a blob
      for (int cw : corners) {
        for (int ch : corners) {
          const std::vector<Point> vertices = RoundRectOutlineVertices(3, -2, 3 + w, h - 2, cw, ch);
          ASSERT_EQ(PixelSet(WidePenPixels(vertices, true, 2)), WidthTwoShortForm(vertices))
              << w << "x" << h << " corner " << cw << "," << ch;
        }
      }
    }
  }
}

TEST(WidePenPixels, LinesOnA9x9Grid) {
  for (int width = 2; width <= 5; ++width) {
    for (int a = 0; a < 81; ++a) {
      for (int b = 0; b < 81; ++b) {
        const Point from{a % 9, a / 9};
        const Point to{b % 9, b / 9};
        const std::vector<Point> pixels = PixelSet(WideLine(from, to, width));
        // The same figure whichever way it is drawn, covering the 1-pixel line and its end.
        ASSERT_EQ(PixelSet(WideLine(to, from, width)), pixels);
        std::vector<Point> thin = LinePixels(from, to);
        thin.push_back(to);
        for (const Point& p : thin) {
          ASSERT_TRUE(std::binary_search(pixels.begin(), pixels.end(), p, testing::RowMajorLess))
              << "width " << width << " (" << from.x << "," << from.y << ")->(" << to.x << ","
              << to.y << ")";
        }
      }
    }
  }
}

TEST(WidePenPixels, ClosedAddsTheSegmentBackToTheStart) {
  const std::vector<Point> open{{0, 0}, {9, 2}, {4, 8}};
  std::vector<Point> round_trip = open;
  round_trip.push_back(open.front());
  EXPECT_EQ(WidePenPixels(open, true, 3), WidePenPixels(round_trip, false, 3));
  EXPECT_NE(WidePenPixels(open, true, 3), WidePenPixels(open, false, 3));
  // Repeated vertices change nothing.
  const std::vector<Point> repeated{{0, 0}, {0, 0}, {9, 2}, {9, 2}, {4, 8}, {4, 8}};
  EXPECT_EQ(WidePenPixels(repeated, false, 3), WidePenPixels(open, false, 3));
}

TEST(WidePenPixels, PixelsAreDistinctAndRowMajor) {
  const std::vector<Point> vertices{{0, 0}, {30, 7}, {12, 25}, {-5, 9}};
  const std::vector<Point> pixels = WidePenPixels(vertices, true, 6);
  EXPECT_EQ(pixels, PixelSet(pixels));
  EXPECT_TRUE(WidePenPixels(std::vector<Point>{{4, 4}}, true, 3).empty());
}

}  // namespace
}  // namespace fw::soft
