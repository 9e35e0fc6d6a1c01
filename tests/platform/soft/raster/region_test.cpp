// Regions: the span container and its algebra, and the spans of the region constructors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/soft/raster/raster.h"
#include "platform/soft/raster/soft_region.h"

namespace fw::soft {
namespace {

// Rows [0, height) of `region` over columns [0, width): 'R' inside, '.' outside.
std::vector<std::string> Picture(const Region& region, int width, int height) {
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += region.PtInRegion(x, y) ? 'R' : '.';
    rows.push_back(row);
  }
  return rows;
}

// Spans sorted by row then column, non-empty, and neither overlapping nor touching in a row.
::testing::AssertionResult IsCanonical(const std::vector<Span>& spans) {
  for (std::size_t i = 0; i < spans.size(); ++i) {
    if (spans[i].x1 <= spans[i].x0) {
      return ::testing::AssertionFailure() << "empty span at index " << i;
    }
    if (i == 0) continue;
    const Span& p = spans[i - 1];
    const Span& s = spans[i];
    if (s.y < p.y || (s.y == p.y && s.x0 <= p.x1)) {
      return ::testing::AssertionFailure()
             << "span " << i << " (y " << s.y << ", " << s.x0 << ".." << s.x1
             << ") out of order or touching its predecessor (" << p.x0 << ".." << p.x1 << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

SoftRegion RectRegion(int left, int top, int right, int bottom) {
  std::vector<Span> spans;
  for (int y = top; y < bottom; ++y) spans.push_back({y, left, right});
  return SoftRegion(std::move(spans));
}

// --- the span container -----------------------------------------------------------------

TEST(SoftRegionTest, ConstructionSortsMergesAndDropsEmptySpans) {
  const SoftRegion region({{3, 10, 12},
                           {1, 5, 8},
                           {1, 0, 2},
                           {1, 7, 9},   // overlaps 5..8
                           {1, 9, 11},  // touches the merged 5..9
                           {1, 2, 2},   // empty
                           {2, 6, 4},   // reversed: empty
                           {3, 0, 3},
                           {3, 1, 2}});  // inside 0..3
  const std::vector<Span> expected = {{1, 0, 2}, {1, 5, 11}, {3, 0, 3}, {3, 10, 12}};
  EXPECT_EQ(region.Spans(), expected);
  EXPECT_TRUE(IsCanonical(region.Spans()));
}

TEST(SoftRegionTest, AnEmptyRegionHasAZeroBoxAndContainsNothing) {
  const SoftRegion none;
  const SoftRegion only_empty_spans({{0, 4, 4}, {1, 3, 2}});
  for (const SoftRegion* region : {&none, &only_empty_spans}) {
    EXPECT_TRUE(region->Empty());
    EXPECT_EQ(region->Box(), (Rect{0, 0, 0, 0}));
    EXPECT_EQ(region->Kind(), NULLREGION);
    EXPECT_FALSE(region->PtInRegion(0, 0));
    EXPECT_FALSE(region->PtInRegion(3, 1));
  }
}

TEST(SoftRegionTest, PtInRegionTreatsRightAndBottomAsExclusive) {
  const SoftRegion region({{2, 3, 6}, {2, 8, 9}, {4, -5, -2}});
  EXPECT_TRUE(region.PtInRegion(3, 2));
  EXPECT_TRUE(region.PtInRegion(5, 2));
  EXPECT_FALSE(region.PtInRegion(6, 2));
  EXPECT_FALSE(region.PtInRegion(2, 2));
  EXPECT_FALSE(region.PtInRegion(7, 2));
  EXPECT_TRUE(region.PtInRegion(8, 2));
  EXPECT_FALSE(region.PtInRegion(9, 2));
  EXPECT_FALSE(region.PtInRegion(4, 1));
  EXPECT_FALSE(region.PtInRegion(4, 3));
  EXPECT_TRUE(region.PtInRegion(-5, 4));
  EXPECT_FALSE(region.PtInRegion(-2, 4));
  EXPECT_FALSE(region.PtInRegion(-5, 5));
}

TEST(SoftRegionTest, BoxBoundsEveryRow) {
  const SoftRegion region({{2, 3, 6}, {4, -1, 1}, {7, 5, 12}});
  EXPECT_EQ(region.Box(), (Rect{-1, 2, 12, 8}));
}

TEST(SoftRegionTest, KindTellsOneRectangleFromMore) {
  EXPECT_EQ(RectRegion(0, 0, 5, 3).Kind(), SIMPLEREGION);
  EXPECT_EQ(SoftRegion({{7, 2, 3}}).Kind(), SIMPLEREGION);
  // Two touching halves of one rectangle merge into it.
  EXPECT_EQ(
      SoftRegion::Combine(RectRegion(0, 0, 5, 3), RectRegion(5, 0, 9, 3), RegionOp::Or).Kind(),
      SIMPLEREGION);
  EXPECT_EQ(
      SoftRegion::Combine(RectRegion(0, 0, 5, 3), RectRegion(0, 3, 5, 6), RegionOp::Or).Kind(),
      SIMPLEREGION);
  // A gap between rows, two spans in a row, or rows of different widths.
  EXPECT_EQ(SoftRegion({{0, 0, 5}, {2, 0, 5}}).Kind(), COMPLEXREGION);
  EXPECT_EQ(SoftRegion({{0, 0, 2}, {0, 3, 5}}).Kind(), COMPLEXREGION);
  EXPECT_EQ(SoftRegion({{0, 0, 5}, {1, 0, 4}}).Kind(), COMPLEXREGION);
}

TEST(SoftRegionTest, CloneIsAnEqualIndependentRegion) {
  const SoftRegion original({{0, 1, 4}, {1, 2, 3}});
  const std::unique_ptr<Region> copy = original.Clone();
  const auto* soft = dynamic_cast<const SoftRegion*>(copy.get());
  ASSERT_NE(soft, nullptr);
  EXPECT_EQ(soft->Spans(), original.Spans());
  EXPECT_NE(&soft->Spans(), &original.Spans());
}

// --- algebra ------------------------------------------------------------------------------

TEST(RegionAlgebraTest, EachOperationOnTwoOverlappingRectangles) {
  const SoftRegion a = RectRegion(0, 0, 6, 3);  // rows 0..2
  const SoftRegion b = RectRegion(4, 1, 9, 4);  // rows 1..3
  EXPECT_EQ(SoftRegion::Combine(a, b, RegionOp::And).Spans(),
            (std::vector<Span>{{1, 4, 6}, {2, 4, 6}}));
  EXPECT_EQ(SoftRegion::Combine(a, b, RegionOp::Or).Spans(),
            (std::vector<Span>{{0, 0, 6}, {1, 0, 9}, {2, 0, 9}, {3, 4, 9}}));
  EXPECT_EQ(SoftRegion::Combine(a, b, RegionOp::Xor).Spans(),
            (std::vector<Span>{{0, 0, 6}, {1, 0, 4}, {1, 6, 9}, {2, 0, 4}, {2, 6, 9}, {3, 4, 9}}));
  EXPECT_EQ(SoftRegion::Combine(a, b, RegionOp::Diff).Spans(),
            (std::vector<Span>{{0, 0, 6}, {1, 0, 4}, {2, 0, 4}}));
  EXPECT_EQ(SoftRegion::Combine(a, b, RegionOp::Copy).Spans(), a.Spans());
  EXPECT_EQ(SoftRegion::Combine(b, a, RegionOp::Diff).Spans(),
            (std::vector<Span>{{1, 6, 9}, {2, 6, 9}, {3, 4, 9}}));
}

TEST(RegionAlgebraTest, SpansSharingAnEdgeMergeAndCancelCleanly) {
  const SoftRegion a({{0, 0, 4}, {0, 8, 10}});
  const SoftRegion b({{0, 4, 8}});
  // Or closes the gap exactly: one span, no seam at 4 or 8.
  EXPECT_EQ(SoftRegion::Combine(a, b, RegionOp::Or).Spans(), (std::vector<Span>{{0, 0, 10}}));
  EXPECT_EQ(SoftRegion::Combine(a, b, RegionOp::Xor).Spans(), (std::vector<Span>{{0, 0, 10}}));
  EXPECT_TRUE(SoftRegion::Combine(a, b, RegionOp::And).Empty());
  EXPECT_EQ(SoftRegion::Combine(a, b, RegionOp::Diff).Spans(), a.Spans());
  // Identical edges cancel under Xor.
  EXPECT_TRUE(SoftRegion::Combine(a, a, RegionOp::Xor).Empty());
  EXPECT_TRUE(SoftRegion::Combine(a, a, RegionOp::Diff).Empty());
  EXPECT_EQ(SoftRegion::Combine(a, a, RegionOp::And).Spans(), a.Spans());
}

TEST(RegionAlgebraTest, WithAnEmptyOperand) {
  const SoftRegion a({{0, 0, 4}, {2, 1, 3}});
  const SoftRegion none;
  EXPECT_TRUE(SoftRegion::Combine(a, none, RegionOp::And).Empty());
  EXPECT_EQ(SoftRegion::Combine(a, none, RegionOp::Or).Spans(), a.Spans());
  EXPECT_EQ(SoftRegion::Combine(none, a, RegionOp::Xor).Spans(), a.Spans());
  EXPECT_EQ(SoftRegion::Combine(a, none, RegionOp::Diff).Spans(), a.Spans());
  EXPECT_TRUE(SoftRegion::Combine(none, a, RegionOp::Diff).Empty());
  EXPECT_TRUE(SoftRegion::Combine(none, a, RegionOp::Copy).Empty());
}

// Random unions of rectangles, every operation checked pixel by pixel against a boolean grid.
class RandomRegions : public ::testing::Test {
 protected:
  static constexpr int kMin = -4;
  static constexpr int kSize = 40;  // grid covers [kMin, kMin + kSize) both ways

  using Grid = std::vector<bool>;

  int Next(int lo, int hi) {  // in [lo, hi], independent of the library's distributions
    return lo + static_cast<int>(rng_() % static_cast<std::uint32_t>(hi - lo + 1));
  }

  // A union of 1..4 random rectangles (some empty or reversed, which add nothing), as one
  // unsorted, overlapping span list, plus the same set as a grid.
  SoftRegion RandomUnion(Grid& grid) {
    grid.assign(static_cast<std::size_t>(kSize * kSize), false);
    std::vector<Span> spans;
    const int count = Next(1, 4);
    for (int i = 0; i < count; ++i) {
      const int l = Next(kMin, kMin + kSize - 1);
      const int t = Next(kMin, kMin + kSize - 1);
      const int r = std::min(l + Next(-2, 20), kMin + kSize);
      const int b = std::min(t + Next(0, 15), kMin + kSize);
      for (int y = b - 1; y >= t; --y) {
        spans.push_back({y, l, r});
        for (int x = l; x < r; ++x) grid[Index(x, y)] = true;
      }
    }
    std::shuffle(spans.begin(), spans.end(), rng_);
    return SoftRegion(std::move(spans));
  }

  static std::size_t Index(int x, int y) {
    return static_cast<std::size_t>((y - kMin) * kSize + (x - kMin));
  }

  static void ExpectMatches(const SoftRegion& region, const Grid& grid, const char* what) {
    ASSERT_TRUE(IsCanonical(region.Spans())) << what;
    Rect box{};
    bool any = false;
    int count = 0;
    for (int y = kMin - 1; y <= kMin + kSize; ++y) {
      for (int x = kMin - 1; x <= kMin + kSize; ++x) {
        const bool inside_grid = x >= kMin && y >= kMin && x < kMin + kSize && y < kMin + kSize;
        const bool expected = inside_grid && grid[Index(x, y)];
        ASSERT_EQ(region.PtInRegion(x, y), expected) << what << " at (" << x << ", " << y << ")";
        if (!expected) continue;
        ++count;
        box = any ? Rect{std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                         std::max(box.bottom, y + 1)}
                  : Rect{x, y, x + 1, y + 1};
        any = true;
      }
    }
    EXPECT_EQ(region.Box(), box) << what;
    const RegionKind kind = !any                                  ? NULLREGION
                            : count == box.Width() * box.Height() ? SIMPLEREGION
                                                                  : COMPLEXREGION;
    EXPECT_EQ(region.Kind(), kind) << what;
  }

  std::mt19937 rng_{20240611u};
};

TEST_F(RandomRegions, EveryOperationMatchesABooleanGrid) {
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE(::testing::Message() << "trial " << trial);
    Grid ga;
    Grid gb;
    const SoftRegion a = RandomUnion(ga);
    const SoftRegion b = RandomUnion(gb);
    ExpectMatches(a, ga, "a");
    const struct {
      RegionOp op;
      const char* name;
      bool (*f)(bool, bool);
    } ops[] = {
        {RegionOp::And, "And", [](bool p, bool q) { return p && q; }},
        {RegionOp::Or, "Or", [](bool p, bool q) { return p || q; }},
        {RegionOp::Xor, "Xor", [](bool p, bool q) { return p != q; }},
        {RegionOp::Diff, "Diff", [](bool p, bool q) { return p && !q; }},
        {RegionOp::Copy, "Copy", [](bool p, bool) { return p; }},
    };
    for (const auto& op : ops) {
      Grid expected(ga.size());
      for (std::size_t i = 0; i < ga.size(); ++i) expected[i] = op.f(ga[i], gb[i]);
      ExpectMatches(SoftRegion::Combine(a, b, op.op), expected, op.name);
      if (HasFatalFailure()) return;
    }
  }
}

TEST_F(RandomRegions, IdentitiesBetweenOperations) {
  for (int trial = 0; trial < 300; ++trial) {
    SCOPED_TRACE(::testing::Message() << "trial " << trial);
    Grid unused;
    const SoftRegion a = RandomUnion(unused);
    const SoftRegion b = RandomUnion(unused);
    const SoftRegion both = SoftRegion::Combine(a, b, RegionOp::Or);
    const SoftRegion a_only = SoftRegion::Combine(a, b, RegionOp::Diff);
    const SoftRegion b_only = SoftRegion::Combine(b, a, RegionOp::Diff);
    // Taking b out and putting it back gives the union, span for span.
    EXPECT_EQ(SoftRegion::Combine(a_only, b, RegionOp::Or).Spans(), both.Spans());
    // The two one-sided differences make up the symmetric difference and share nothing.
    EXPECT_EQ(SoftRegion::Combine(a_only, b_only, RegionOp::Or).Spans(),
              SoftRegion::Combine(a, b, RegionOp::Xor).Spans());
    EXPECT_TRUE(SoftRegion::Combine(a_only, b, RegionOp::And).Empty());
    // The union minus the symmetric difference is the intersection.
    EXPECT_EQ(
        SoftRegion::Combine(both, SoftRegion::Combine(a, b, RegionOp::Xor), RegionOp::Diff).Spans(),
        SoftRegion::Combine(a, b, RegionOp::And).Spans());
  }
}

// --- CreateRectRgn / CreateRoundRectRgn / CreateEllipticRgn ----------------------------------

TEST(RoundRectRegionTest, RoundRect14x10WithCorner6) {
  const SoftRegion region(RoundRectRegionSpans(0, 0, 14, 10, 6, 6));
  const std::vector<std::string> expected = {
      "..RRRRRRRRR.....",  // inset 2
      ".RRRRRRRRRRR....",  // inset 1
      "RRRRRRRRRRRRR...",  // inset 0 ...
      "RRRRRRRRRRRRR...",  //
      "RRRRRRRRRRRRR...",  //
      "RRRRRRRRRRRRR...",  //
      "RRRRRRRRRRRRR...",  // ... inset 0
      ".RRRRRRRRRRR....",  // inset 1
      "..RRRRRRRRR.....",  // inset 2
      "................",  // the bottom row is cut off
  };
  EXPECT_EQ(Picture(region, 16, 10), expected);
  EXPECT_EQ(region.Box(), (Rect{0, 0, 13, 9}));
  EXPECT_EQ(region.Kind(), COMPLEXREGION);
}

TEST(RoundRectRegionTest, Ellipse12x10UnderItsOutline) {
  // CreateEllipticRgn(0, 0, 12, 10) ('R') under Ellipse(0, 0, 12, 10) ('#', which hides
  // whether the pixel below is in the region).
  const std::vector<std::string> documented = {
      "...R####........",  //
      "..##RRRR##......",  //
      ".#RRRRRRRR#.....",  //
      "#RRRRRRRRRR#....",  //
      "#RRRRRRRRRR#....",  //
      "#RRRRRRRRRR#....",  //
      "#RRRRRRRRR.#....",  //
      ".#RRRRRRR.#.....",  //
      "..##RRRR##......",  //
      "....####........",  //
  };
  const SoftRegion region(RoundRectRegionSpans(0, 0, 12, 10, 12, 10));
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 16; ++x) {
      const char c = documented[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      if (c == '#') continue;
      EXPECT_EQ(region.PtInRegion(x, y), c == 'R') << "(" << x << ", " << y << ")";
    }
  }
  const std::vector<Span> expected = {{0, 3, 8},  {1, 2, 9},  {2, 1, 10}, {3, 0, 11}, {4, 0, 11},
                                      {5, 0, 11}, {6, 1, 10}, {7, 2, 9},  {8, 3, 8}};
  EXPECT_EQ(region.Spans(), expected);
}

TEST(RoundRectRegionTest, EllipseMembershipVectors) {
  const SoftRegion region(RoundRectRegionSpans(0, 0, 12, 10, 12, 10));
  for (int x = -1; x <= 12; ++x) {
    EXPECT_EQ(region.PtInRegion(x, 0), x >= 3 && x <= 7) << x;
    EXPECT_EQ(region.PtInRegion(x, 4), x >= 0 && x <= 10) << x;
  }
  EXPECT_FALSE(region.PtInRegion(11, 4));
  EXPECT_FALSE(region.PtInRegion(5, 9));
}

TEST(RoundRectRegionTest, ReversedBoxesAndNegativeOrOversizedCorners) {
  const std::vector<Span> plain = RoundRectRegionSpans(0, 0, 14, 10, 6, 6);
  EXPECT_EQ(RoundRectRegionSpans(14, 10, 0, 0, -6, -6), plain);
  EXPECT_EQ(RoundRectRegionSpans(14, 0, 0, 10, 6, -6), plain);
  // A corner larger than the box is clamped to it: the ellipse.
  EXPECT_EQ(RoundRectRegionSpans(0, 0, 14, 10, 100, 100),
            RoundRectRegionSpans(0, 0, 14, 10, 14, 10));
  // Shifting the box shifts the spans.
  std::vector<Span> shifted = plain;
  for (Span& s : shifted) s = {s.y - 7, s.x0 + 5, s.x1 + 5};
  EXPECT_EQ(RoundRectRegionSpans(5, -7, 19, 3, 6, 6), shifted);
}

TEST(RoundRectRegionTest, SmallCornersGiveTheShrunkRectangle) {
  const SoftRegion region(RoundRectRegionSpans(0, 0, 14, 10, 1, 1));
  EXPECT_EQ(region.Box(), (Rect{0, 0, 13, 9}));
  EXPECT_EQ(region.Kind(), SIMPLEREGION);
  EXPECT_EQ(RoundRectRegionSpans(0, 0, 14, 10, 6, 1), region.Spans());
  EXPECT_EQ(RoundRectRegionSpans(0, 0, 14, 10, 0, 6), region.Spans());
  // A box one pixel wide shrinks to nothing.
  EXPECT_TRUE(RoundRectRegionSpans(5, 3, 6, 8, 4, 4).empty());
}

TEST(RoundRectRegionTest, RectangleFallbackNormalisesLikeCreateRectRgn) {
  // Normalised to (2, 2, 7, 6), shrunk to (2, 2, 6, 5): CreateRectRgn(6, 5, 2, 2).
  const SoftRegion region(RoundRectRegionSpans(7, 6, 2, 2, 0, 0));
  EXPECT_TRUE(region.PtInRegion(2, 2));
  EXPECT_TRUE(region.PtInRegion(5, 4));
  EXPECT_FALSE(region.PtInRegion(6, 5));
  EXPECT_FALSE(region.PtInRegion(6, 4));
  EXPECT_FALSE(region.PtInRegion(5, 5));
  EXPECT_EQ(region.Box(), (Rect{2, 2, 6, 5}));
}

TEST(RoundRectRegionTest, ZeroWidthOrHeightGivesTheLineBeforeIt) {
  // right = left: the shrunk right edge is left - 1 and the rectangle swaps onto column 4.
  EXPECT_EQ(RoundRectRegionSpans(5, 3, 5, 8, 4, 4),
            (std::vector<Span>{{3, 4, 5}, {4, 4, 5}, {5, 4, 5}, {6, 4, 5}}));
  // Likewise a zero height gives row top - 1.
  EXPECT_EQ(RoundRectRegionSpans(2, 5, 8, 5, 4, 4), (std::vector<Span>{{4, 2, 7}}));
  EXPECT_EQ(RoundRectRegionSpans(2, 5, 2, 5, 4, 4), (std::vector<Span>{{4, 1, 2}}));
}

// Quarter of the outline ellipse filling a w x h box (the stepping the outline uses), from the
// right end of the middle row to the bottom middle.
std::vector<Point> OutlineQuadrant(int w, int h) {
  const long long a = w - 1;
  const long long b = h - 1;
  const long long o = b % 2;
  long long dx = 4 * b * b * (1 - a);
  long long dy = 4 * a * a * (1 + o);
  long long e = dx + dy + a * a * o;
  std::vector<Point> points;
  for (int x = w - 1, y = h / 2; x >= w / 2;) {
    points.push_back({x, y});
    const long long t = 2 * e;
    if (t >= dx) {
      --x;
      dx += 8 * b * b;
      e += dx;
    }
    if (t <= dy) {
      ++y;
      dy += 8 * a * a;
      e += dy;
    }
  }
  return points;
}

// CreateEllipticRgn(0, 0, w + 1, h + 1) holds, row by row, the pixels from the leftmost to the
// rightmost pixel of the outline of Ellipse(0, 0, w, h). The outline's vertices are 8-neighbours
// or joined by straight runs, so each row's extent is that of its vertices.
TEST(RoundRectRegionTest, EllipseRegionFillsTheOneSmallerOutline) {
  for (int w = 3; w <= 40; ++w) {
    for (int h = 3; h <= 40; ++h) {
      if (h >= 2 * (w - 1) * (w - 1)) continue;  // the narrow-corner range, tested below
      std::vector<Span> expected;
      for (int y = 0; y < h; ++y) expected.push_back({y, w, -1});
      for (const Point& q : OutlineQuadrant(w, h)) {
        for (const int x : {q.x, w - 1 - q.x}) {
          for (const int y : {q.y, h - 1 - q.y}) {
            Span& row = expected[static_cast<std::size_t>(y)];
            row.x0 = std::min(row.x0, x);
            row.x1 = std::max(row.x1, x + 1);
          }
        }
      }
      std::erase_if(expected, [](const Span& s) { return s.x1 <= s.x0; });
      ASSERT_EQ(RoundRectRegionSpans(0, 0, w + 1, h + 1, w + 1, h + 1), expected)
          << "ellipse " << w << " x " << h;
    }
  }
}

TEST(RoundRectRegionTest, NarrowTallCornersGiveEveryRowASpan) {
  // ew = 3, eh = 9 (eh >= 2 * (ew - 1)^2): the stepping runs out before the outermost rows.
  EXPECT_EQ(RoundRectRegionSpans(0, 0, 11, 10, 3, 9), (std::vector<Span>{{0, 1, 9},
                                                                         {1, 1, 9},
                                                                         {2, 0, 10},
                                                                         {3, 0, 10},
                                                                         {4, 0, 10},
                                                                         {5, 0, 10},
                                                                         {6, 0, 10},
                                                                         {7, 1, 9},
                                                                         {8, 1, 9}}));
  // The ellipse of the same size: a tip one pixel wide at either end.
  EXPECT_EQ(RoundRectRegionSpans(0, 0, 4, 10, 4, 10), (std::vector<Span>{{0, 1, 2},
                                                                         {1, 1, 2},
                                                                         {2, 0, 3},
                                                                         {3, 0, 3},
                                                                         {4, 0, 3},
                                                                         {5, 0, 3},
                                                                         {6, 0, 3},
                                                                         {7, 1, 2},
                                                                         {8, 1, 2}}));
  // ew = 2 has no room to round: the whole shrunk box.
  const SoftRegion two(RoundRectRegionSpans(0, 0, 9, 9, 2, 8));
  EXPECT_EQ(two.Box(), (Rect{0, 0, 8, 8}));
  EXPECT_EQ(two.Kind(), SIMPLEREGION);

  // Over a range of sizes: every row present, symmetric, and narrowing towards the ends.
  for (int ew = 2; ew <= 6; ++ew) {
    for (int eh = std::max(3, 2 * (ew - 1) * (ew - 1)); eh <= 80; eh += 7) {
      const std::vector<Span> spans = RoundRectRegionSpans(0, 0, 21, eh + 1, ew, eh);
      ASSERT_EQ(spans.size(), static_cast<std::size_t>(eh)) << ew << " x " << eh;
      for (int i = 0; i < eh; ++i) {
        const Span& s = spans[static_cast<std::size_t>(i)];
        const Span& mirror = spans[static_cast<std::size_t>(eh - 1 - i)];
        EXPECT_EQ(s.y, i);
        EXPECT_EQ(s.x0, 20 - s.x1) << ew << " x " << eh << " row " << i;
        EXPECT_EQ(s.x0, mirror.x0) << ew << " x " << eh << " row " << i;
        if (i < eh / 2) {
          EXPECT_GE(s.x0, spans[static_cast<std::size_t>(i + 1)].x0)
              << ew << " x " << eh << " row " << i;
        }
      }
    }
  }
}

// --- CreatePolygonRgn -------------------------------------------------------------------------

TEST(PolygonRegionTest, TriangleWinding) {
  const Point triangle[] = {{7, 1}, {13, 9}, {1, 9}};
  const SoftRegion region(PolygonSpans(triangle, PolyFillMode::Winding));
  const std::vector<std::string> expected = {
      "................",  //
      "................",  //
      ".......R........",  //
      "......RRR.......",  //
      ".....RRRRR......",  //
      "....RRRRRR......",  //
      "....RRRRRRR.....",  //
      "...RRRRRRRRR....",  //
      "..RRRRRRRRRRR...",  //
      "................",  //
  };
  EXPECT_EQ(Picture(region, 16, 10), expected);
  EXPECT_FALSE(region.PtInRegion(7, 1));
  EXPECT_TRUE(region.PtInRegion(7, 2));
}

TEST(PolygonRegionTest, StarInBothFillModes) {
  const Point star[] = {{7, 0}, {11, 11}, {1, 4}, {13, 4}, {3, 11}};
  const std::vector<std::string> alternate = {
      "...............",  //
      ".......R.......",  //
      ".......R.......",  //
      "......RRR......",  //
      ".RRRRR...RRRR..",  //
      "...RRR...RRR...",  //
      "....R.....R....",  //
      ".....R...R.....",  //
      ".....RR.RR.....",  //
      "....RR...RR....",  //
      "....R.....R....",  //
      "...............",  //
  };
  const std::vector<std::string> winding = {
      "...............",  //
      ".......R.......",  //
      ".......R.......",  //
      "......RRR......",  //
      ".RRRRRRRRRRRR..",  //
      "...RRRRRRRRR...",  //
      "....RRRRRRR....",  //
      ".....RRRRR.....",  //
      ".....RRRRR.....",  //
      "....RR...RR....",  //
      "....R.....R....",  //
      "...............",  //
  };
  EXPECT_EQ(Picture(SoftRegion(PolygonSpans(star, PolyFillMode::Alternate)), 15, 12), alternate);
  EXPECT_EQ(Picture(SoftRegion(PolygonSpans(star, PolyFillMode::Winding)), 15, 12), winding);
}

TEST(PolygonRegionTest, AxisAlignedRectangleEqualsTheRectangleRegion) {
  const Point corners[] = {{2, 3}, {9, 3}, {9, 7}, {2, 7}};
  const SoftRegion region(PolygonSpans(corners, PolyFillMode::Alternate));
  EXPECT_EQ(region.Spans(), RectRegion(2, 3, 9, 7).Spans());
  EXPECT_EQ(region.Kind(), SIMPLEREGION);
}

}  // namespace
}  // namespace fw::soft
