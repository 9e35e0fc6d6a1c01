// The soft rasterizer against real GDI, in one process: seeded random drawing goes through
// fw::soft::SoftGdiDevice and through the Win32 device on surfaces of the same size, and the
// two must agree on every pixel and every return value after each call. Regions are compared
// with PtInRegion over every pixel of a window around the surface.
//
// Each round starts from fresh surfaces and its own seed (test seed and round number), so a
// reported round can be replayed alone. The report names the calls of the round up to the
// first one that differs, the first differing pixel with both values, and a map of the
// differences.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/soft/raster/soft_device.h"
#include "platform/win32/win32_device.h"

namespace fw {
namespace {

constexpr int kSize = 48;  // surfaces are kSize x kSize
constexpr ColorRef kWhite = 0xFFFFFF;
// Regions are compared over [kWindowMin, kWindowMax) in both directions.
constexpr int kWindowMin = -8;
constexpr int kWindowMax = kSize + 16;

std::string Hex(std::uint32_t value) {
  std::ostringstream out;
  out << "0x" << std::hex << std::uppercase << value;
  return out.str();
}

// Random numbers from mt19937's standardised sequence, so every standard library draws the
// same calls for a seed.
class Random {
 public:
  explicit Random(std::uint32_t seed) : engine_(seed) {}
  // An integer in [low, high].
  int Between(int low, int high) {
    const auto range = static_cast<std::uint32_t>(high - low + 1);
    return low + static_cast<int>(engine_() % range);
  }
  bool Percent(int percent) { return Between(0, 99) < percent; }
  ColorRef Color() { return static_cast<ColorRef>(engine_() & 0xFFFFFFu); }
  std::uint16_t Channel() { return static_cast<std::uint16_t>(engine_() & 0xFFFFu); }
  // A coordinate on the surface or up to 8 pixels beyond it.
  int Coordinate() { return Between(-8, kSize + 8); }
  Point Near(Point p, int distance) {
    return Point{p.x + Between(-distance, distance), p.y + Between(-distance, distance)};
  }

 private:
  std::mt19937 engine_;
};

// Concatenates anything an ostream prints.
template <typename... Parts>
std::string Cat(const Parts&... parts) {
  std::ostringstream out;
  (out << ... << parts);
  return out.str();
}

std::string Text(const Pen& pen) {
  if (pen.null) return "Pen::Null()";
  return Cat("Pen::Solid(", Hex(pen.color), ", ", pen.width, ")");
}

std::string Text(const Brush& brush) {
  if (brush.hollow) return "Brush::Hollow()";
  return Cat("Brush::Solid(", Hex(brush.color), ")");
}

std::string Text(PolyFillMode mode) {
  return mode == PolyFillMode::Winding ? "WINDING" : "ALTERNATE";
}

std::string Text(const std::vector<Point>& points) {
  std::ostringstream out;
  out << '{';
  for (std::size_t i = 0; i < points.size(); ++i) {
    out << (i > 0 ? ", " : "") << '(' << points[i].x << ',' << points[i].y << ')';
  }
  out << '}';
  return out.str();
}

std::string Text(const Rect& r) {
  return Cat('{', r.left, ',', r.top, ',', r.right, ',', r.bottom, '}');
}

std::string Text(const TriVertex& v) {
  return Cat('{', v.x, ',', v.y, ", r ", Hex(v.red), " g ", Hex(v.green), " b ", Hex(v.blue), " a ",
             Hex(v.alpha), '}');
}

// One step of a round: a readable description and the calls, applied to each surface in turn.
// The result (a return value) must be the same on both.
struct Call {
  std::string text;
  std::function<long long(Dc&)> run;
};

// Empty when the surfaces agree; else the first differing pixel, both values and a map.
std::string DescribePixelDifference(const Dc& soft, const Dc& gdi, ColorRef fill) {
  const std::vector<std::uint32_t> a = soft.Pixels();
  const std::vector<std::uint32_t> b = gdi.Pixels();
  if (a.size() != b.size()) {
    return Cat("pixel counts differ: soft ", a.size(), ", gdi ", b.size());
  }
  const int width = soft.Width();
  int count = 0;
  int first = -1;
  int x0 = width, y0 = soft.Height(), x1 = -1, y1 = -1;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    const int index = static_cast<int>(i);
    if (first < 0) first = index;
    ++count;
    x0 = std::min(x0, index % width);
    x1 = std::max(x1, index % width);
    y0 = std::min(y0, index / width);
    y1 = std::max(y1, index / width);
  }
  if (count == 0) return "";
  const auto at = static_cast<std::size_t>(first);
  std::ostringstream out;
  out << "first differing pixel (" << first % width << ", " << first / width << "): soft "
      << Hex(a[at]) << ", gdi " << Hex(b[at]) << "; " << count << " pixels differ\n";
  // The differences and their surroundings: X differs, # painted alike, . untouched by both.
  x0 = std::max(0, x0 - 2);
  y0 = std::max(0, y0 - 2);
  x1 = std::min(width - 1, x1 + 2);
  y1 = std::min(soft.Height() - 1, y1 + 2);
  const std::uint32_t background =
      ((fill & 0xFFu) << 16) | (fill & 0xFF00u) | ((fill >> 16) & 0xFFu);
  out << "columns " << x0 << ".." << x1 << " (X differs, # painted alike, . untouched):\n";
  for (int y = y0; y <= y1; ++y) {
    out << (y < 10 ? "   " : "  ") << y << ' ';
    for (int x = x0; x <= x1; ++x) {
      const auto i = static_cast<std::size_t>(y * width + x);
      out << (a[i] != b[i] ? 'X' : (a[i] == background ? '.' : '#'));
    }
    out << '\n';
  }
  return out.str();
}

// The bounding box of the region's points in the window, which holds every region made here;
// {0, 0, 0, 0} for none.
Rect PointsBox(const Region& region) {
  Rect box{kWindowMax, kWindowMax, kWindowMin, kWindowMin};
  for (int y = kWindowMin; y < kWindowMax; ++y) {
    for (int x = kWindowMin; x < kWindowMax; ++x) {
      if (!region.PtInRegion(x, y)) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x + 1);
      box.bottom = std::max(box.bottom, y + 1);
    }
  }
  return box.right > box.left ? box : Rect{};
}

// True when the region holds every point of `points_box`, its non-empty points box.
bool IsOneRectangle(const Region& region, const Rect& points_box) {
  if (points_box.Width() <= 0 || points_box.Height() <= 0) return false;
  for (int y = points_box.top; y < points_box.bottom; ++y) {
    for (int x = points_box.left; x < points_box.right; ++x) {
      if (!region.PtInRegion(x, y)) return false;
    }
  }
  return true;
}

// GetRgnBox agrees with the soft region's box, except that Wine's box of a region fresh from
// CreateRoundRectRgn/CreateEllipticRgn may also take in top and bottom rows that hold no points:
// where a row's inset reaches the middle, Wine keeps a zero-width span there
// (CreateRoundRectRgn(54,6,47,54,15,22) has [50,50) in row 6 and the box {47,6,53,53} around
// points in rows 7..51). Operations that rebuild the bands drop such spans.
bool GdiBoxAgrees(const Rect& soft_box, const Region& gdi) {
  const Rect gdi_box = gdi.Box();
  if (gdi_box == soft_box) return true;
  if (soft_box.Width() <= 0 || gdi_box.left != soft_box.left || gdi_box.right != soft_box.right ||
      gdi_box.top > soft_box.top || gdi_box.bottom < soft_box.bottom) {
    return false;
  }
  for (int y = gdi_box.top; y < gdi_box.bottom; ++y) {
    if (y >= soft_box.top && y < soft_box.bottom) continue;
    for (int x = gdi_box.left; x < gdi_box.right; ++x) {
      if (gdi.PtInRegion(x, y)) return false;
    }
  }
  return true;
}

// Empty when the regions agree on every pixel of the window and on their boxes.
std::string DescribeRegionDifference(const Region& soft, const Region& gdi) {
  std::ostringstream out;
  int count = 0;
  std::string map;
  for (int y = kWindowMin; y < kWindowMax; ++y) {
    std::string row;
    bool row_differs = false;
    for (int x = kWindowMin; x < kWindowMax; ++x) {
      const bool s = soft.PtInRegion(x, y);
      const bool g = gdi.PtInRegion(x, y);
      if (s != g) {
        if (count == 0) {
          out << "first differing point (" << x << ", " << y << "): soft "
              << (s ? "inside" : "outside") << ", gdi " << (g ? "inside" : "outside") << "\n";
        }
        ++count;
        row_differs = true;
      }
      row += s == g ? (s ? '#' : '.') : (s ? 'S' : 'G');
    }
    if (row_differs) map += Cat("  row ", y, ": ", row, '\n');
  }
  if (count > 0) {
    out << count << " points differ; rows with differences, columns " << kWindowMin << ".."
        << kWindowMax - 1 << " (S only soft, G only gdi, # both):\n"
        << map;
  }
  const Rect points_box = PointsBox(soft);
  if (soft.Box() != points_box) {
    out << "soft Box " << Text(soft.Box()) << " is not the box of its points " << Text(points_box)
        << "\n";
  }
  if (!GdiBoxAgrees(soft.Box(), gdi)) {
    out << "Box differs: soft " << Text(soft.Box()) << ", gdi " << Text(gdi.Box()) << "\n";
  }
  return out.str();
}

// Wine fills some rows of CreateRoundRectRgn(l, t, r, b, cw, ch) (and so of CreateEllipticRgn
// and of filled RoundRect/Ellipse interiors) with garbage when the corner is very tall and
// narrow: eh >= 3 and eh >= 2 * (ew - 1)^2, with ew, eh the corner sizes clamped to the
// normalised box shrunk by one on the right and bottom. Such calls are not compared.
bool RoundRectRgnInWineDefect(int left, int top, int right, int bottom, int cw, int ch) {
  const int l = std::min(left, right);
  const int r = std::max(left, right);
  const int t = std::min(top, bottom);
  const int b = std::max(top, bottom);
  const int ew = std::min(r - 1 - l, std::abs(cw));
  const int eh = std::min(b - 1 - t, std::abs(ch));
  if (ew < 2 || eh < 2) return false;  // the rectangle fallback
  return eh >= 3 && eh >= 2 * (ew - 1) * (ew - 1);
}

// A region made the same way on both devices.
struct RegionRecipe {
  enum class Kind { Rect, RoundRect, Elliptic, Polygon } kind = Kind::Rect;
  int left = 0, top = 0, right = 0, bottom = 0, cw = 0, ch = 0;
  std::vector<Point> points;
  PolyFillMode mode = PolyFillMode::Alternate;

  std::string Describe() const {
    const std::string box = Cat(left, ',', top, ',', right, ',', bottom);
    switch (kind) {
      case Kind::Rect:
        return Cat("CreateRectRgn(", box, ')');
      case Kind::RoundRect:
        return Cat("CreateRoundRectRgn(", box, ',', cw, ',', ch, ')');
      case Kind::Elliptic:
        return Cat("CreateEllipticRgn(", box, ')');
      case Kind::Polygon:
        return Cat("CreatePolygonRgn(", Text(points), ", ", Text(mode), ')');
    }
    return "";
  }

  std::unique_ptr<Region> Make(GdiDevice& device) const {
    switch (kind) {
      case Kind::Rect:
        return device.CreateRectRgn(left, top, right, bottom);
      case Kind::RoundRect:
        return device.CreateRoundRectRgn(left, top, right, bottom, cw, ch);
      case Kind::Elliptic:
        return device.CreateEllipticRgn(left, top, right, bottom);
      case Kind::Polygon:
        return device.CreatePolygonRgn(points, mode);
    }
    return nullptr;
  }

  bool InWineRoundRectDefect() const {
    if (kind == Kind::RoundRect) return RoundRectRgnInWineDefect(left, top, right, bottom, cw, ch);
    if (kind == Kind::Elliptic) {
      return RoundRectRgnInWineDefect(left, top, right, bottom, right - left, bottom - top);
    }
    return false;
  }
};

RegionRecipe RandomRegion(Random& random) {
  for (;;) {
    RegionRecipe recipe;
    recipe.kind = static_cast<RegionRecipe::Kind>(random.Between(0, 3));
    recipe.left = random.Between(-6, kSize + 10);
    recipe.top = random.Between(-6, kSize + 10);
    if (random.Percent(10)) {  // degenerate boxes: zero width or height
      recipe.right = recipe.left;
      recipe.bottom = random.Between(-6, kSize + 10);
    } else {
      recipe.right = random.Between(-6, kSize + 10);
      recipe.bottom = random.Between(-6, kSize + 10);
    }
    recipe.cw = random.Between(-20, 60);
    recipe.ch = random.Between(-20, 60);
    const int n = random.Between(3, 8);
    for (int i = 0; i < n; ++i) {
      recipe.points.push_back(
          Point{random.Between(-6, kSize + 10), random.Between(-6, kSize + 10)});
    }
    recipe.mode = random.Percent(50) ? PolyFillMode::Winding : PolyFillMode::Alternate;
    if (!recipe.InWineRoundRectDefect()) return recipe;
  }
}

Pen RandomPen(Random& random, int width) {
  return Pen::Solid(random.Color(), width);
}

Brush RandomBrush(Random& random, int hollow_percent) {
  return random.Percent(hollow_percent) ? Brush::Hollow() : Brush::Solid(random.Color());
}

// The corners of a polygon: anywhere, or clustered (short edges, many ties).
std::vector<Point> RandomPoints(Random& random, int min_count, int max_count) {
  const int n = random.Between(min_count, max_count);
  std::vector<Point> points;
  const bool clustered = random.Percent(30);
  const Point centre{random.Between(0, kSize), random.Between(0, kSize)};
  for (int i = 0; i < n; ++i) {
    points.push_back(clustered ? random.Near(centre, 6)
                               : Point{random.Coordinate(), random.Coordinate()});
  }
  return points;
}

long long Result(bool value) {
  return value ? 1 : 0;
}

// CombineRgn's answers agree, except that Wine may call a region that is one rectangle
// COMPLEXREGION: its CreateRoundRectRgn leaves two bands with the same span unmerged when the
// corner is 2 pixels high (CreateRoundRectRgn(24,4,35,55,-8,-2) is the rectangles
// [24,34)x[4,5) and [24,34)x[5,54)), and CombineRgn copies such a region unchanged when the
// operation cannot change it (RGN_COPY, or RGN_DIFF with disjoint boxes).
bool KindsAgree(RegionKind soft, RegionKind gdi, const Region& gdi_region) {
  if (soft == gdi) return true;
  return soft == SIMPLEREGION && gdi == COMPLEXREGION &&
         IsOneRectangle(gdi_region, PointsBox(gdi_region));
}

class DifferentialTest : public ::testing::Test {
 protected:
  // Runs `rounds` rounds of `calls_per_round` calls made by `make` on fresh surfaces and
  // expects no round to differ.
  void RunSurfaceRounds(std::uint32_t seed, int rounds, int calls_per_round,
                        const std::function<Call(Random&)>& make) {
    int calls = 0;
    int differing_rounds = 0;
    std::string first_report;
    for (int round = 0; round < rounds; ++round) {
      Random random(seed * 7919u + static_cast<std::uint32_t>(round));
      const ColorRef fill = random.Percent(75) ? kWhite : random.Color();
      const std::unique_ptr<Dc> soft = soft_.CreateSurface(kSize, kSize, fill);
      const std::unique_ptr<Dc> gdi = gdi_.CreateSurface(kSize, kSize, fill);
      ASSERT_NE(soft, nullptr);
      ASSERT_NE(gdi, nullptr);
      std::string history = Cat("surfaces ", kSize, 'x', kSize, " filled with ", Hex(fill), '\n');
      std::string difference = DescribePixelDifference(*soft, *gdi, fill);
      for (int i = 0; i < calls_per_round && difference.empty(); ++i) {
        const Call call = make(random);
        history += Cat("  ", call.text, '\n');
        const long long soft_result = call.run(*soft);
        const long long gdi_result = call.run(*gdi);
        ++calls;
        if (soft_result != gdi_result) {
          difference =
              Cat("the last call returned ", soft_result, " (soft) and ", gdi_result, " (gdi)\n");
        }
        difference += DescribePixelDifference(*soft, *gdi, fill);
      }
      if (difference.empty()) continue;
      if (++differing_rounds == 1) {
        first_report = Cat("seed ", seed, " round ", round, ": ", history,
                           "differs after the last call above: ", difference);
      }
    }
    std::printf("%d calls in %d rounds, %d rounds differ\n", calls, rounds, differing_rounds);
    EXPECT_EQ(differing_rounds, 0) << first_report;
  }

  soft::SoftGdiDevice soft_;
  win32::Win32GdiDevice gdi_;
};

TEST_F(DifferentialTest, LineTo) {
  RunSurfaceRounds(101, 120, 8, [](Random& random) {
    const Pen pen = RandomPen(random, random.Percent(50) ? 1 : 2);
    const Point from{random.Coordinate(), random.Coordinate()};
    // Short lines often: even major lengths produce ties.
    const Point to =
        random.Percent(50) ? random.Near(from, 6) : Point{random.Coordinate(), random.Coordinate()};
    return Call{Cat("SelectPen(", Text(pen), "); MoveToEx(", from.x, ',', from.y, "); LineTo(",
                    to.x, ',', to.y, ')'),
                [=](Dc& dc) {
                  dc.SelectPen(pen);
                  dc.MoveToEx(from.x, from.y, nullptr);
                  return Result(dc.LineTo(to.x, to.y));
                }};
  });
}

TEST_F(DifferentialTest, PolygonAndPolyline) {
  RunSurfaceRounds(202, 100, 4, [](Random& random) {
    const Pen pen = RandomPen(random, 1);
    const Brush brush = RandomBrush(random, 50);
    const PolyFillMode mode = random.Percent(50) ? PolyFillMode::Winding : PolyFillMode::Alternate;
    const std::vector<Point> points = RandomPoints(random, 2, 8);
    const bool polyline = random.Percent(20);
    return Call{Cat("SelectPen(", Text(pen), "); SelectBrush(", Text(brush), "); SetPolyFillMode(",
                    Text(mode), "); ", (polyline ? "Polyline(" : "Polygon("), Text(points), ')'),
                [=](Dc& dc) {
                  dc.SelectPen(pen);
                  dc.SelectBrush(brush);
                  dc.SetPolyFillMode(mode);
                  return Result(polyline ? dc.Polyline(points) : dc.Polygon(points));
                }};
  });
}

enum class Shape { Rectangle, RoundRect, Ellipse };

// A random Rectangle, RoundRect or Ellipse call. Pens of 1 pixel go with any brush, pens of 2
// pixels (round caps and joins) with the hollow brush. A filled RoundRect/Ellipse interior is
// CreateRoundRectRgn(l, t, r + 1, b + 1, ew, eh) of the normalised box with the clamped corner
// sizes ew, eh, so interiors in Wine's region defect range are drawn hollow instead.
Call ShapeCall(Random& random, Shape shape) {
  const int cw = random.Between(-20, 60);
  const int ch = random.Between(-20, 60);
  const bool wide = random.Percent(30);
  const Pen pen = RandomPen(random, wide ? 2 : 1);
  Brush brush = wide ? Brush::Hollow() : RandomBrush(random, 50);
  const int l = random.Coordinate();
  const int t = random.Coordinate();
  int r = random.Coordinate();
  int b = random.Coordinate();
  if (random.Percent(40)) {  // small shapes
    r = l + random.Between(-6, 6);
    b = t + random.Between(-6, 6);
  }
  const int corner_w = shape == Shape::Ellipse ? r - l : cw;
  const int corner_h = shape == Shape::Ellipse ? b - t : ch;
  const int ew = std::min(std::abs(r - l), std::abs(corner_w));
  const int eh = std::min(std::abs(b - t), std::abs(corner_h));
  if (shape != Shape::Rectangle && ew > 2 && eh > 2 &&
      RoundRectRgnInWineDefect(std::min(l, r), std::min(t, b), std::max(l, r) + 1,
                               std::max(t, b) + 1, ew, eh)) {
    brush = Brush::Hollow();
  }
  std::string text = Cat("SelectPen(", Text(pen), "); SelectBrush(", Text(brush), "); ");
  switch (shape) {
    case Shape::Rectangle:
      text += Cat("Rectangle(", l, ',', t, ',', r, ',', b, ')');
      break;
    case Shape::RoundRect:
      text += Cat("RoundRect(", l, ',', t, ',', r, ',', b, ',', cw, ',', ch, ')');
      break;
    case Shape::Ellipse:
      text += Cat("Ellipse(", l, ',', t, ',', r, ',', b, ')');
      break;
  }
  return Call{text, [=](Dc& dc) {
                dc.SelectPen(pen);
                dc.SelectBrush(brush);
                switch (shape) {
                  case Shape::Rectangle:
                    return Result(dc.Rectangle(l, t, r, b));
                  case Shape::RoundRect:
                    return Result(dc.RoundRect(l, t, r, b, cw, ch));
                  case Shape::Ellipse:
                    return Result(dc.Ellipse(l, t, r, b));
                }
                return -1LL;
              }};
}

TEST_F(DifferentialTest, Rectangle) {
  RunSurfaceRounds(303, 80, 4, [](Random& random) { return ShapeCall(random, Shape::Rectangle); });
}

TEST_F(DifferentialTest, RoundRect) {
  RunSurfaceRounds(304, 120, 4, [](Random& random) { return ShapeCall(random, Shape::RoundRect); });
}

TEST_F(DifferentialTest, Ellipse) {
  RunSurfaceRounds(305, 120, 4, [](Random& random) { return ShapeCall(random, Shape::Ellipse); });
}

TEST_F(DifferentialTest, Arc) {
  RunSurfaceRounds(404, 100, 4, [](Random& random) {
    const Pen pen = RandomPen(random, 1);
    int l = random.Coordinate();
    int t = random.Coordinate();
    int r = random.Coordinate();
    int b = random.Coordinate();
    if (random.Percent(30)) {  // tiny boxes
      r = l + random.Between(-4, 4);
      b = t + random.Between(-4, 4);
    }
    // Radial points anywhere, often near or on the centre.
    const Point centre{(l + r) / 2, (t + b) / 2};
    const int reach = random.Percent(40) ? 2 : 40;
    const Point start = random.Near(centre, reach);
    const Point end = random.Percent(10) ? start : random.Near(centre, reach);
    std::ostringstream text;
    text << "SelectPen(" << Text(pen) << "); Arc(" << l << "," << t << "," << r << "," << b << ", "
         << start.x << "," << start.y << ", " << end.x << "," << end.y << ")";
    return Call{text.str(), [=](Dc& dc) {
                  dc.SelectPen(pen);
                  return Result(dc.Arc(l, t, r, b, start.x, start.y, end.x, end.y));
                }};
  });
}

TEST_F(DifferentialTest, FillRect) {
  RunSurfaceRounds(505, 60, 5, [](Random& random) {
    const Brush brush = RandomBrush(random, 10);
    const int l = random.Coordinate();
    const int t = random.Coordinate();
    // Not reversed: Wine and Windows fill reversed rectangles differently.
    const Rect rect{l, t, l + random.Between(0, 30), t + random.Between(0, 30)};
    return Call{Cat("FillRect(", Text(rect), ", ", Text(brush), ')'),
                [=](Dc& dc) { return static_cast<long long>(dc.FillRect(rect, brush)); }};
  });
}

TEST_F(DifferentialTest, FrameRect) {
  RunSurfaceRounds(606, 60, 5, [](Random& random) {
    const Brush brush = RandomBrush(random, 10);
    const int l = random.Coordinate();
    const int t = random.Coordinate();
    const Rect rect{l, t, l + random.Between(-6, 30), t + random.Between(-6, 30)};
    return Call{Cat("FrameRect(", Text(rect), ", ", Text(brush), ')'),
                [=](Dc& dc) { return static_cast<long long>(dc.FrameRect(rect, brush)); }};
  });
}

TEST_F(DifferentialTest, GradientFill) {
  RunSurfaceRounds(707, 60, 5, [](Random& random) {
    const auto vertex = [&random] {
      TriVertex v;
      v.x = random.Coordinate();
      v.y = random.Coordinate();
      v.red = random.Channel();
      v.green = random.Channel();
      v.blue = random.Channel();
      v.alpha = random.Percent(50) ? 0 : random.Channel();
      return v;
    };
    const TriVertex v0 = vertex();
    const TriVertex v1 = vertex();
    const GradientMode mode =
        random.Percent(50) ? GradientMode::Horizontal : GradientMode::Vertical;
    return Call{Cat("GradientFill(", Text(v0), ", ", Text(v1), ", ",
                    (mode == GradientMode::Horizontal ? "H" : "V"), ')'),
                [=](Dc& dc) { return Result(dc.GradientFill(v0, v1, mode)); }};
  });
}

TEST_F(DifferentialTest, SetPixelAndGetPixel) {
  RunSurfaceRounds(808, 40, 25, [](Random& random) {
    const int x = random.Between(-2, kSize + 1);
    const int y = random.Between(-2, kSize + 1);
    const ColorRef color = random.Color();
    switch (random.Between(0, 2)) {
      case 0:
        return Call{Cat("SetPixel(", x, ',', y, ',', Hex(color), ')'),
                    [=](Dc& dc) { return static_cast<long long>(dc.SetPixel(x, y, color)); }};
      case 1:
        return Call{Cat("SetPixelV(", x, ',', y, ',', Hex(color), ')'),
                    [=](Dc& dc) { return Result(dc.SetPixelV(x, y, color)); }};
      default:
        return Call{Cat("GetPixel(", x, ',', y, ')'),
                    [=](Dc& dc) { return static_cast<long long>(dc.GetPixel(x, y)); }};
    }
  });
}

TEST_F(DifferentialTest, RegionsTheirDifferenceAndFillRgn) {
  constexpr std::uint32_t kSeed = 909;
  constexpr int kRounds = 500;
  int differing_rounds = 0;
  std::string first_report;
  for (int round = 0; round < kRounds; ++round) {
    Random random(kSeed * 7919u + static_cast<std::uint32_t>(round));
    const RegionRecipe a_recipe = RandomRegion(random);
    const RegionRecipe b_recipe = RandomRegion(random);
    const Brush brush = Brush::Solid(random.Color());
    std::string history = Cat("a = ", a_recipe.Describe(), "\n  b = ", b_recipe.Describe(), '\n');
    std::string difference;

    const std::unique_ptr<Region> soft_a = a_recipe.Make(soft_);
    const std::unique_ptr<Region> gdi_a = a_recipe.Make(gdi_);
    const std::unique_ptr<Region> soft_b = b_recipe.Make(soft_);
    const std::unique_ptr<Region> gdi_b = b_recipe.Make(gdi_);
    ASSERT_TRUE(soft_a && gdi_a && soft_b && gdi_b) << history;
    difference = DescribeRegionDifference(*soft_a, *gdi_a);
    if (difference.empty()) {
      history += "  region b:\n";
      difference = DescribeRegionDifference(*soft_b, *gdi_b);
    } else {
      history += "  region a:\n";
    }
    if (difference.empty()) {
      history += "  d = CombineRgn(a, b, RGN_DIFF):\n";
      const std::unique_ptr<Region> soft_d = soft_.CreateRectRgn(0, 0, 0, 0);
      const std::unique_ptr<Region> gdi_d = gdi_.CreateRectRgn(0, 0, 0, 0);
      ASSERT_TRUE(soft_d && gdi_d);
      const RegionKind soft_kind = soft_.CombineRgn(*soft_d, *soft_a, *soft_b, RegionOp::Diff);
      const RegionKind gdi_kind = gdi_.CombineRgn(*gdi_d, *gdi_a, *gdi_b, RegionOp::Diff);
      if (!KindsAgree(soft_kind, gdi_kind, *gdi_d)) {
        difference = Cat("CombineRgn returned ", soft_kind, " (soft) and ", gdi_kind, " (gdi)\n");
      }
      difference += DescribeRegionDifference(*soft_d, *gdi_d);
      if (difference.empty()) {
        history += Cat("  FillRgn(d, ", Text(brush), ") on white:\n");
        const std::unique_ptr<Dc> soft_dc = soft_.CreateSurface(kSize, kSize, kWhite);
        const std::unique_ptr<Dc> gdi_dc = gdi_.CreateSurface(kSize, kSize, kWhite);
        ASSERT_TRUE(soft_dc && gdi_dc);
        const bool soft_ok = soft_dc->FillRgn(*soft_d, brush);
        const bool gdi_ok = gdi_dc->FillRgn(*gdi_d, brush);
        if (soft_ok != gdi_ok) {
          difference = Cat("FillRgn returned ", soft_ok, " (soft) and ", gdi_ok, " (gdi)\n");
        }
        difference += DescribePixelDifference(*soft_dc, *gdi_dc, kWhite);
      }
    }
    if (difference.empty()) continue;
    if (++differing_rounds == 1) {
      first_report = Cat("seed ", kSeed, " round ", round, ": ", history, difference);
    }
  }
  std::printf("%d region pairs, %d differ\n", kRounds, differing_rounds);
  EXPECT_EQ(differing_rounds, 0) << first_report;
}

TEST(Win32DcTest, BitBltFromAnotherDevicesSurfaceFails) {
  soft::SoftGdiDevice soft;
  win32::Win32GdiDevice gdi;
  const std::unique_ptr<Dc> source = soft.CreateSurface(4, 4, 0x0000FF);
  const std::unique_ptr<Dc> dest = gdi.CreateSurface(4, 4, kWhite);
  ASSERT_TRUE(source && dest);
  EXPECT_FALSE(dest->BitBlt(0, 0, 4, 4, *source, 0, 0));
  EXPECT_EQ(dest->GetPixel(0, 0), kWhite);
}

}  // namespace
}  // namespace fw
