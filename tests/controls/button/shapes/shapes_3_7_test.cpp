// The straight-edged shape renderers: diamond (3) and the triangles pointing up (4), left (5),
// right (6) and down (7).
//
// Every renderer is driven directly on a Button placed in the headless host, and its picture and
// window region are compared with a small reference of the test's own: the runs of each shape
// written out in run notation, drawn with GDI's closed-form line rule, and polygon regions
// sampled with GDI's WINDING rule. Hand-worked pixels pin the reference down.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "controls/button/button.h"
#include "controls/button/shapes/shape_frame.h"
#include "platform/headless/headless_host.h"
#include "tests/controls/button/shapes/shape_test_support.h"

namespace fw::button_shapes {
namespace {

constexpr ColorRef kBackground = 0x336699;
constexpr ColorRef kEntryPen = 0x0D7A2B;
constexpr ColorRef kRing = 0xD1D1D1;
constexpr ColorRef kBlack = 0x000000;

// ---------------------------------------------------------------------------------------------
// The reference.

// r(v / 2) for a whole v: halves go to the even neighbour.
int Half(int v) {
  if (v % 2 == 0) return v / 2;
  const int low = (v - 1) / 2;
  return low % 2 == 0 ? low : low + 1;
}

struct Vars {
  int w = 0;
  int h = 0;
  int xm = 0;
  int ym = 0;
  Vars(int width, int height) : w(width), h(height), xm(Half(width)), ym(Half(height)) {}
};

// A coordinate: a name (W, H, xm, ym) or a number, then optionally "-n" or "+n".
int Eval(std::string_view text, const Vars& v) {
  while (text.front() == ' ') text.remove_prefix(1);
  const std::size_t op = text.find_first_of("+-");
  const std::string base(text.substr(0, std::min(op, text.find(' '))));
  int value = base == "W" ? v.w : base == "H" ? v.h : base == "xm" ? v.xm : base == "ym" ? v.ym : 0;
  if (base[0] >= '0' && base[0] <= '9') {
    value = std::stoi(base);
  } else if (base != "W" && base != "H" && base != "xm" && base != "ym") {
    ADD_FAILURE() << "unknown name " << base;
  }
  if (op != std::string_view::npos) {
    const int n = std::stoi(std::string(text.substr(op + 1)));
    value += text[op] == '-' ? -n : n;
  }
  return value;
}

// Every "(a, b)" of `text`, in order.
std::vector<Point> Points(std::string_view text, const Vars& v) {
  std::vector<Point> points;
  for (std::size_t open = text.find('('); open != std::string_view::npos;
       open = text.find('(', open + 1)) {
    const std::size_t comma = text.find(',', open);
    const std::size_t close = text.find(')', open);
    points.push_back({Eval(text.substr(open + 1, comma - open - 1), v),
                      Eval(text.substr(comma + 1, close - comma - 1), v)});
  }
  return points;
}

// The colour a pen name stands for: "16", "20", "21" system colours, "c1".."c5" the lit set,
// "0x..." a plain colour. Returned as the surface would hold it (references stay references).
ColorValue PenValue(std::string_view name, const ColorValue* lit) {
  if (name.starts_with("0x"))
    return static_cast<ColorValue>(std::stoul(std::string(name), nullptr, 16));
  if (name.starts_with("c")) return lit[name[1] - '1'];
  return 0x80000000u + static_cast<ColorValue>(std::stoi(std::string(name)));
}

// The reference picture: a pen and the pixels of the surface.
class RefPicture {
 public:
  RefPicture(int w, int h, ColorRef fill)
      : w_(w), h_(h), px_(static_cast<std::size_t>(w * h), fill) {}
  ColorRef At(int x, int y) const { return px_[Index(x, y)]; }
  void Set(int x, int y, ColorRef c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[Index(x, y)] = c;
  }
  ColorValue pen = kEntryPen;

  // A line from a to b without b, by GDI's line rule.
  void Line(Point a, Point b) {
    for (const Point q : test::shapes::LinePixels(a, b)) Set(q.x, q.y, test::shapes::Resolve(pen));
  }
  // Runs in notation: "pen 16: (a, b) -> (c, d); (e, f) -> (g, h); pen c1: ...".
  void Runs(std::string_view text, const Vars& v, const ColorValue* lit = nullptr) {
    while (!text.empty()) {
      const std::size_t end = std::min(text.find(';'), text.size());
      std::string_view run = text.substr(0, end);
      text = end < text.size() ? text.substr(end + 1) : std::string_view();
      if (const std::size_t p = run.find("pen "); p != std::string_view::npos) {
        const std::size_t colon = run.find(':');
        pen = PenValue(run.substr(p + 4, colon - p - 4), lit);
        run = run.substr(colon + 1);
      }
      const std::vector<Point> pts = Points(run, v);
      for (std::size_t i = 1; i < pts.size(); ++i) Line(pts[i - 1], pts[i]);
    }
  }
  // A closed outline through every point, never filled.
  void Polygon(const std::vector<Point>& pts) {
    for (std::size_t i = 0; i < pts.size(); ++i) Line(pts[i], pts[(i + 1) % pts.size()]);
  }

 private:
  std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y * w_ + x); }
  int w_;
  int h_;
  std::vector<ColorRef> px_;
};

// CreatePolygonRgn membership, WINDING: the pixel's top-left corner sampled against half-open
// edges (an edge counts when its crossing lies at or left of x).
bool InPolygon(const std::vector<Point>& pts, int x, int y) {
  int winding = 0;
  for (std::size_t i = 0; i < pts.size(); ++i) {
    const Point p = pts[i];
    const Point q = pts[(i + 1) % pts.size()];
    if (p.y == q.y) continue;
    const Point top = p.y < q.y ? p : q;
    const Point bot = p.y < q.y ? q : p;
    if (y < top.y || y >= bot.y) continue;
    const long long cross = static_cast<long long>(top.x - x) * (bot.y - top.y) +
                            static_cast<long long>(y - top.y) * (bot.x - top.x);
    if (cross <= 0) winding += q.y > p.y ? 1 : -1;
  }
  return winding != 0;
}

// Each shape's coordinates, in run notation.
struct ShapeText {
  std::int32_t shape;
  const char* name;
  const char* region;
  const char* outline;
  const char* style1_pressed;
  const char* style1_other;
  const char* style2_pressed;  // style 3 pressed too
  const char* style2_other;    // style 3 hover too
  const char* style4_enabled;
  const char* style6_pressed;
  const char* style6_lit;
  const char* style7_ring;
  const char* focus;
};

constexpr ShapeText kShapes[] = {
    {3, "Diamond", "(W, ym), (xm, 0), (0, ym), (xm, H)",
     "(0, ym) -> (xm, H-1) -> (W-1, ym) -> (xm, 0) -> (0, ym)",
     "pen 21: (xm, 0) -> (0, ym) -> (xm, H-1); pen 16: (xm, 1) -> (1, ym) -> (xm, H-2)",
     "pen 16: (xm, H-2) -> (W-2, ym) -> (xm, 1); pen 20: (xm, 0) -> (0, ym) -> (xm, H-1)",
     "pen 21: (xm, 0) -> (0, ym) -> (xm, H-1)", "pen 20: (xm, 0) -> (0, ym) -> (xm, H-1)",
     "pen 16: (xm, 1) -> (W-2, ym) -> (xm, H-2); pen 20: (xm, 1) -> (1, ym) -> (xm, H-2); "
     "(xm, 0) -> (W-1, ym) -> (xm, H-1)",
     "pen 20: (xm, H-4) -> (W-4, ym) -> (xm, 3)",
     "pen c1: (xm, H-2) -> (W-2, ym); pen c2: (xm, H-3) -> (W-3, ym); (1, ym) -> (xm, H-2); "
     "(W-2, ym) -> (xm, 1); pen c3: (2, ym) -> (xm, H-3); (W-3, ym) -> (xm, 2); "
     "pen c4: (xm, 1) -> (1, ym); pen c5: (xm, 2) -> (2, ym)",
     "(1, ym) -> (xm, H-2) -> (W-2, ym) -> (xm, 1) -> (1, ym)",
     "(W-6, ym), (xm, 5), (5, ym), (xm, H-6)"},
    {4, "Up", "(0, H), (xm, 0), (W, H)", "(xm, 1) -> (1, H-1) -> (W-2, H-1) -> (xm, 1)",
     "pen 21: (xm, 1) -> (1, H-1); pen 16: (xm, 3) -> (3, H-3)",
     "pen 16: (1, H-2) -> (W-3, H-2) -> (xm, 3); pen 20: (xm, 2) -> (1, H-1)",
     "pen 21: (xm, 1) -> (1, H-1)", "pen 20: (xm, 2) -> (1, H-1)",
     "pen 16: (1, H-2) -> (W-3, H-2) -> (xm, 3); "
     "pen 20: (xm, 3) -> (2, H-1) -> (W-2, H-1) -> (xm, 1)",
     "pen 20: (4, H-3) -> (W-5, H-3) -> (xm, 5)",
     "pen c1: (2, H-2) -> (W-1, H-2); pen c2: (3, H-3) -> (W-4, H-3) -> (xm, 3); "
     "pen c3: (W-5, H-4) -> (xm, 5); pen c4: (xm, 3) -> (3, H-3); pen c5: (xm, 4) -> (3, H-3)",
     "(xm, 2) -> (2, H-2) -> (W-3, H-2) -> (xm, 2)", "(7, H-5), (xm, 9), (W-8, H-5)"},
    {5, "Left", "(0, ym), (W, 0), (W, H)", "(1, ym) -> (W-1, 1) -> (W-1, H-1) -> (1, ym)",
     "pen 21: (W-1, 1) -> (1, ym); pen 16: (W-3, 3) -> (3, ym)",
     "pen 16: (2, ym) -> (W-2, H-3) -> (W-2, 1); pen 20: (W-1, 1) -> (1, ym)",
     "pen 21: (W-1, 1) -> (1, ym)", "pen 20: (W-1, 1) -> (1, ym)",
     "pen 16: (W-2, 2) -> (W-2, H-3) -> (3, ym); "
     "pen 20: (3, ym) -> (W-1, 2) -> (W-1, H-1) -> (1, ym)",
     "pen 20: (W-3, 5) -> (W-3, H-5) -> (5, ym)",
     "pen c1: (W-2, 2) -> (W-2, H-1); pen c2: (W-3, 2) -> (W-3, H-3) -> (3, ym); "
     "pen c3: (W-3, H-4) -> (5, ym); pen c4: (3, ym) -> (W-3, 3); pen c5: (4, ym) -> (W-4, 4)",
     "(2, ym) -> (W-2, 2) -> (W-2, H-2) -> (2, ym)", "(9, ym), (W-5, 7), (W-5, H-8)"},
    {6, "Right", "(W, ym), (0, 0), (0, H)", "(W-2, ym) -> (0, 1) -> (0, H-1) -> (W-1, ym)",
     "pen 21: (W-2, ym) -> (0, 1) -> (0, H-1); pen 16: (W-5, ym) -> (1, 2) -> (1, H-2)",
     "pen 16: (1, H-3) -> (W-3, ym); pen 20: (W-3, ym) -> (0, 1) -> (0, H-1)",
     "pen 21: (W-2, ym) -> (0, 1) -> (0, H-1)", "pen 20: (W-3, ym) -> (0, 1) -> (0, H-1)",
     "pen 16: (1, H-3) -> (W-3, ym); pen 20: (W-5, ym) -> (1, 3) -> (1, H-2) -> (W-1, ym)",
     "pen 20: (2, 4) -> (2, H-5) -> (W-6, ym)",
     "pen c1: (1, 2) -> (1, H-1); pen c2: (2, 2) -> (2, H-3) -> (W-4, ym); "
     "pen c3: (3, H-5) -> (W-5, ym); pen c4: (W-4, ym) -> (4, 4); pen c5: (W-5, ym) -> (5, 5)",
     "(W-3, ym) -> (1, 2) -> (1, H-2) -> (W-2, ym)", "(W-10, ym), (4, 7), (4, H-8)"},
    {7, "Down", "(0, 1), (xm, H), (W, 1)", "(xm, H-1) -> (W-1, 1) -> (1, 1) -> (xm, H-1)",
     "pen 21: (xm, H-1) -> (1, 1) -> (W-1, 1); pen 16: (xm, H-4) -> (2, 2) -> (W-3, 2)",
     "pen 16: (W-2, 1) -> (xm, H-3); pen 20: (xm, H-2) -> (1, 1) -> (W-1, 1)",
     "pen 21: (xm, H-1) -> (1, 1) -> (W-1, 1)", "pen 20: (xm, H-2) -> (1, 1) -> (W-1, 1)",
     "pen 16: (W-3, 2) -> (xm, H-3); pen 20: (W-2, 2) -> (2, 2) -> (xm, H-4); "
     "(xm, H-1) -> (W-1, 1)",
     "pen 20: (4, 3) -> (W-5, 3) -> (xm, H-5)",
     "pen c1: (2, 2) -> (W-2, 2); pen c2: (3, 3) -> (W-3, 3) -> (xm, H-3); "
     "pen c3: (W-5, 4) -> (xm, H-4); pen c4: (xm, H-4) -> (3, 3); pen c5: (xm, H-5) -> (4, 4)",
     "(xm, H-2) -> (W-2, 2) -> (2, 2) -> (xm, H-2)", "(6, 4), (xm, H-10), (W-8, 4)"},
};

constexpr ColorValue kHoverLit[5] = {0x109ADC, 0x31B2F0, 0x90D6F7, 0xCEF3FF, 0x8CDBFF};
constexpr ColorValue kFocusLit[5] = {0xD98D59, 0xE2A981, 0xF0D1B5, 0xF7D7BD, 0xFFE7CE};

// The picture a renderer should leave on a surface that holds `start`.
RefPicture Expected(const ShapeText& s, int w, int h, const ShapeState& st, RefPicture start) {
  const Vars v(w, h);
  RefPicture p = std::move(start);
  const bool diamond = s.shape == 3;
  const bool has_focus = st.focus_rect && st.focus;
  p.pen = kEntryPen;
  p.Runs(s.outline, v);
  if (diamond && st.style_colors != 0) p.Runs("(xm, 1) -> (xm, 0)", v);
  bool lit_drawn = false;
  if (st.style == 1) {
    p.Runs(st.pressed ? s.style1_pressed : s.style1_other, v);
  } else if (st.style == 2 || (st.style == 3 && (st.pressed || st.hover))) {
    p.Runs(st.pressed ? s.style2_pressed : s.style2_other, v);
  } else if (st.style == 4 && st.enabled) {
    p.Runs(s.style4_enabled, v);
  } else if (st.style == 6 && st.pressed) {
    p.Runs(s.style6_pressed, v);
    lit_drawn = true;
  } else if (st.style == 6 && (st.hover || has_focus)) {
    p.Runs(s.style6_lit, v, st.hover ? kHoverLit : kFocusLit);
    lit_drawn = true;
  } else if (st.style == 7) {
    const std::string ring = s.style7_ring;
    p.Runs(st.pressed ? "pen 0xCFB073: " + ring : "pen 0xFFFFFF: " + ring, v);
    if (!st.pressed && has_focus) p.Runs("pen 0xFECC04: " + ring, v);
  }
  if (diamond && lit_drawn) p.Set(v.xm, 1, kBlack);
  if (st.style != 4 && st.style != 6 && st.style != 7 && has_focus) {
    p.pen = kRing;
    p.Polygon(Points(s.focus, v));
    if (diamond) {
      for (int x = 2; x <= w - 2; ++x) {
        for (int y = 1; y <= h - 1; y += 2) {
          if (p.At(x, y) == kRing) p.Set(x, y, kBlack);
        }
      }
    }
  }
  return p;
}

// ---------------------------------------------------------------------------------------------
// The surface under test.

class Surface {
 public:
  Surface(int w, int h)
      : w_(w),
        h_(h),
        button_(
            host_.Place<Button>(headless::Placement{"Button1", {0, 0, w * 15, h * 15}, nullptr})) {
    // A fresh Button takes its design-time size; the surface is made w x h pixels.
    window().Width(w * kTwipsPerPixel);
    window().Height(h * kTwipsPerPixel);
    EXPECT_EQ(window().ScaleWidth(), w);
    EXPECT_EQ(window().ScaleHeight(), h);
  }
  explicit Surface(int size) : Surface(size, size) {}
  Button& button() { return button_; }
  UserControl& window() { return host_.WindowOf("Button1"); }
  const Region* region() const { return host_.RegionOf("Button1"); }

  // Clears the surface, applies `marks`, sets the entry pen and runs the renderer.
  void Render(std::int32_t shape, const ShapeState& state,
              const std::vector<std::pair<Point, ColorRef>>& marks = {}) {
    window().ScaleMode(kScalePixels);  // as the paint leaves it
    window().BackColor(kBackground);
    for (const auto& [pt, c] : marks) window().hDC().SetPixel(pt.x, pt.y, c);
    ShapeCanvas canvas(window());
    canvas.Pen(kEntryPen);
    RenderShape(shape, canvas, state);
  }
  ColorRef At(int x, int y) { return window().hDC().GetPixel(x, y); }

  // Differences from `want`, as "(x,y) want 0x.. got 0x.." lines (the first few).
  std::string Diff(const RefPicture& want) {
    const std::vector<ColorRef> got = test::shapes::SurfacePixels(window());
    std::ostringstream out;
    int count = 0;
    for (int y = 0; y < h_; ++y) {
      for (int x = 0; x < w_; ++x) {
        const ColorRef c = got[static_cast<std::size_t>(y * w_ + x)];
        if (c != want.At(x, y) && count++ < 8) {
          out << "(" << x << "," << y << ") want 0x" << std::hex << want.At(x, y) << " got 0x" << c
              << std::dec << "\n";
        }
      }
    }
    if (count > 8) out << "... " << count << " pixels differ\n";
    return out.str();
  }
  // Pixels where the window region differs from the polygon `pts`, one pixel around included.
  std::string RegionDiff(const std::vector<Point>& pts) {
    std::ostringstream out;
    if (region() == nullptr) return "no region\n";
    for (int y = -1; y <= h_ + 1; ++y) {
      for (int x = -1; x <= w_ + 1; ++x) {
        if (region()->PtInRegion(x, y) != InPolygon(pts, x, y)) out << "(" << x << "," << y << ") ";
      }
    }
    return out.str();
  }

 private:
  int w_;
  int h_;
  std::unique_ptr<GdiDevice> device_ = CreatePlatformGdiDevice();
  headless::HeadlessHost host_{*device_};
  Button& button_;
};

RefPicture Blank(int w, int h) {
  return RefPicture(w, h, kBackground);
}

ShapeState State(std::int32_t style, bool pressed, bool hover, bool focus, bool focus_rect = true,
                 bool enabled = true, std::int32_t style_colors = 1) {
  ShapeState s;
  s.style = style;
  s.pressed = pressed;
  s.hover = hover;
  s.focus = focus;
  s.focus_rect = focus_rect;
  s.enabled = enabled;
  s.style_colors = style_colors;
  return s;
}

const ShapeText& Shape(std::int32_t shape) {
  return kShapes[shape - 3];
}

// The reference itself reproduces GDI's worked examples.
TEST(Shapes37Reference, ReproducesGdiLineAndRegionExamples) {
  const Vars v(20, 20);
  RefPicture p = Blank(20, 20);
  p.Runs("(10, 10) -> (14, 12); (10, 10) -> (6, 8); (10, 10) -> (12, 14); (10, 10) -> (8, 6)", v);
  std::vector<Point> drawn;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      if (p.At(x, y) != kBackground) drawn.push_back({x, y});
    }
  }
  const std::vector<Point> want = {{8, 7},   {7, 8},   {9, 8},   {8, 9},   {9, 9},   {10, 10},
                                   {11, 10}, {10, 11}, {12, 11}, {13, 11}, {11, 12}, {11, 13}};
  EXPECT_EQ(drawn, want);
  const std::vector<Point> tri = {{7, 1}, {13, 9}, {1, 9}};
  EXPECT_FALSE(InPolygon(tri, 7, 1));
  EXPECT_TRUE(InPolygon(tri, 7, 2));
  for (int x = 0; x < 16; ++x) EXPECT_EQ(InPolygon(tri, x, 8), x >= 2 && x <= 12) << x;
  EXPECT_EQ(Half(25), 12);
  EXPECT_EQ(Half(27), 14);
  EXPECT_EQ(Half(26), 13);
}

// Every style, every combination of the state flags and three ButtonStyleColors values against
// the reference, with the region and the pen colour left selected; square surfaces of odd and
// even size, and oblong ones, which show W and H kept apart.
class Shapes37Sweep : public ::testing::TestWithParam<std::tuple<std::int32_t, Point>> {};

TEST_P(Shapes37Sweep, PictureRegionAndPenMatchTheReference) {
  const auto [shape, extent] = GetParam();
  const auto [w, h] = extent;
  const ShapeText& s = Shape(shape);
  Surface surface(w, h);
  int failures = 0;
  for (const std::int32_t style : {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
    for (int flags = 0; flags < 32; ++flags) {
      for (const std::int32_t colors : {0, 1, 7}) {
        const ShapeState st = State(style, (flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0,
                                    (flags & 8) == 0, (flags & 16) == 0, colors);
        SCOPED_TRACE(testing::Message()
                     << s.name << " " << w << "x" << h << " style " << style << " colors " << colors
                     << " pressed " << st.pressed << " hover " << st.hover << " focus " << st.focus
                     << " rect " << st.focus_rect << " enabled " << st.enabled);
        surface.Render(shape, st);
        const RefPicture want = Expected(s, w, h, st, Blank(w, h));
        const std::string diff = surface.Diff(want);
        EXPECT_EQ(diff, "");
        EXPECT_EQ(surface.RegionDiff(Points(s.region, Vars(w, h))), "");
        EXPECT_EQ(surface.window().ForeColor(), want.pen);
        if (!diff.empty() && ++failures > 3) return;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllShapes, Shapes37Sweep,
                         ::testing::Combine(::testing::Values(3, 4, 5, 6, 7),
                                            ::testing::Values(Point{25, 25}, Point{26, 26},
                                                              Point{27, 27}, Point{40, 40},
                                                              Point{31, 26}, Point{26, 33})));

TEST(Shapes37, DiamondOn40Pixels) {
  Surface surface(40);
  surface.Render(3, State(5, false, false, true));
  // Region (40, 20), (20, 0), (0, 20), (20, 40): left and top edges in, right and bottom out.
  const Region* region = surface.region();
  ASSERT_NE(region, nullptr);
  EXPECT_FALSE(region->PtInRegion(20, 0));
  EXPECT_TRUE(region->PtInRegion(20, 1));
  EXPECT_TRUE(region->PtInRegion(0, 20));
  EXPECT_TRUE(region->PtInRegion(39, 20));
  EXPECT_FALSE(region->PtInRegion(40, 20));
  EXPECT_TRUE(region->PtInRegion(20, 39));
  EXPECT_FALSE(region->PtInRegion(20, 40));
  EXPECT_FALSE(region->PtInRegion(0, 19));
  // Outline corners (0, 20), (20, 39), (39, 20), (20, 0); the centre is not filled.
  for (const Point p : {Point{0, 20}, Point{20, 39}, Point{39, 20}, Point{20, 0}}) {
    EXPECT_EQ(surface.At(p.x, p.y), kEntryPen) << p.x << "," << p.y;
  }
  EXPECT_EQ(surface.At(39, 19), kBackground);
  EXPECT_EQ(surface.At(20, 20), kBackground);
  // The apex pixel (20, 1) in the entry pen colour; the outline itself passes (19, 1) and
  // (21, 1).
  EXPECT_EQ(surface.At(20, 1), kEntryPen);
  EXPECT_EQ(surface.At(19, 1), kEntryPen);
  EXPECT_EQ(surface.At(21, 1), kEntryPen);
  // Focus ring corners (34, 20), (20, 5), (5, 20), (20, 34): odd rows dotted black.
  EXPECT_EQ(surface.At(34, 20), kRing);
  EXPECT_EQ(surface.At(20, 5), kBlack);
  EXPECT_EQ(surface.At(5, 20), kRing);
  EXPECT_EQ(surface.At(20, 34), kRing);
}

TEST(Shapes37, MiddleRoundsHalvesToEven) {
  Surface odd25(25);
  odd25.Render(3, State(5, false, false, false, true, true, 0));
  EXPECT_EQ(odd25.At(12, 0), kEntryPen);   // xm = r(12.5) = 12
  EXPECT_EQ(odd25.At(0, 12), kEntryPen);   // ym = 12
  EXPECT_EQ(odd25.At(12, 24), kEntryPen);  // (xm, H-1)
  EXPECT_EQ(odd25.At(13, 0), kBackground);
  Surface odd27(27);
  odd27.Render(3, State(5, false, false, false, true, true, 0));
  EXPECT_EQ(odd27.At(14, 0), kEntryPen);  // xm = r(13.5) = 14
  EXPECT_EQ(odd27.At(0, 14), kEntryPen);
  EXPECT_EQ(odd27.At(26, 14), kEntryPen);
  EXPECT_EQ(odd27.At(13, 0), kBackground);
}

// Region membership worked out by hand from the half-open sampling rule: left and top edges
// are in, right and bottom edges out, and where two edges meet at one x they cancel out.
TEST(Shapes37, RegionVerticesAndEdgesOn25To27Pixels) {
  const struct {
    std::int32_t shape;
    const char* inside;
    const char* outside;
  } cases[] = {
      {3, "(xm, 1) (0, ym) (W-1, ym) (xm, H-1)", "(xm, 0) (W, ym) (xm, H) (0, ym-1)"},
      {4, "(xm, 1) (1, H-1) (W-1, H-1)", "(xm, 0) (xm-1, 1) (0, H-1) (W, H-1) (xm, H)"},
      {5, "(0, ym) (W-1, ym) (W-1, 1) (W-1, H-1)", "(W, ym) (W-1, 0) (W-1, H) (1, ym-1)"},
      {6, "(0, 1) (0, H-1) (W-1, ym)", "(0, 0) (0, H) (W, ym) (W-1, 0) (W-1, ym+1)"},
      {7, "(0, 1) (W-1, 1) (xm, H-1)", "(0, 0) (xm, 0) (W, 1) (xm, H) (xm-1, H-1)"},
  };
  for (const int n : {25, 26, 27}) {
    for (const auto& c : cases) {
      Surface surface(n);
      surface.Render(c.shape, State(1, false, false, false));
      ASSERT_NE(surface.region(), nullptr);
      for (const Point p : Points(c.inside, Vars(n, n))) {
        EXPECT_TRUE(surface.region()->PtInRegion(p.x, p.y))
            << c.shape << " " << n << " " << p.x << "," << p.y;
      }
      for (const Point p : Points(c.outside, Vars(n, n))) {
        EXPECT_FALSE(surface.region()->PtInRegion(p.x, p.y))
            << c.shape << " " << n << " " << p.x << "," << p.y;
      }
    }
  }
  // The up triangle's bottom row on 25 pixels: x 1 to 24; the row below is outside.
  Surface up(25);
  up.Render(4, State(1, false, false, false));
  for (int x = -1; x <= 26; ++x) EXPECT_EQ(up.region()->PtInRegion(x, 24), x >= 1 && x <= 24) << x;
  for (int x = -1; x <= 26; ++x) EXPECT_FALSE(up.region()->PtInRegion(x, 25)) << x;
}

TEST(Shapes37, EveryPaintHandsTheWindowANewRegion) {
  for (const std::int32_t shape : {3, 4, 5, 6, 7}) {
    Surface surface(25);
    surface.window().SetWindowRgn(nullptr, false);
    surface.Render(shape, State(1, false, false, false));
    const Region* first = surface.region();
    ASSERT_NE(first, nullptr) << shape;
    surface.Render(shape, State(1, false, false, false));
    EXPECT_NE(surface.region(), first) << shape;
    EXPECT_EQ(surface.RegionDiff(Points(Shape(shape).region, Vars(25, 25))), "") << shape;
  }
}

// The whole paint of a Button: the diamond draws its apex pixel (xm, 1) in the border colour
// only when ButtonStyleColors is not 0. ButtonStyle 0 draws no style lines and keeps the border
// colour as set; without a caption nothing else lands on (xm, 1).
TEST(Shapes37, ThePaintDrawsTheDiamondApexByButtonStyleColors) {
  const struct {
    std::int32_t style_colors;
    bool apex;
  } cases[] = {{0, false}, {1, true}, {7, true}, {-3, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "ButtonStyleColors " << c.style_colors);
    Surface surface(25);
    Button& button = surface.button();
    button.ButtonStyle(0);
    button.Caption("");
    button.BackColor(kBackground);
    button.BorderColor(kEntryPen);
    button.ButtonShape(3);
    button.ButtonStyleColors(c.style_colors);
    // xm = 12; (12, 0) is the outline's top corner, (12, 2) the background below the apex.
    EXPECT_EQ(surface.At(12, 0), kEntryPen);
    EXPECT_NE(surface.At(12, 2), kEntryPen);
    EXPECT_EQ(surface.At(12, 1), c.apex ? kEntryPen : surface.At(12, 2));
  }
}

TEST(Shapes37, DiamondStyle6BlackensTheApexPixelAfterItsRuns) {
  Surface surface(25);
  surface.Render(3, State(6, false, true, false));  // hover: the c4 run starts on (12, 1)
  EXPECT_EQ(surface.At(12, 1), kBlack);
  EXPECT_EQ(surface.At(11, 2), 0xCEF3FFu);  // c4 (xm, 1) -> (1, ym) goes on diagonally
  surface.Render(3, State(6, true, false, false));
  EXPECT_EQ(surface.At(12, 1), kBlack);
  surface.Render(3, State(6, false, false, true));  // focused colours
  EXPECT_EQ(surface.At(12, 1), kBlack);
  EXPECT_EQ(surface.At(11, 2), 0xF7D7BDu);
  surface.Render(3, State(6, false, false, false));  // normal without focus: nothing drawn
  EXPECT_EQ(surface.At(12, 1), kEntryPen);
  surface.Render(3, State(6, false, false, true, false));
  EXPECT_EQ(surface.At(12, 1), kEntryPen);
}

TEST(Shapes37, DiamondDotsItsFocusRingOnOddRows) {
  Surface surface(25);
  surface.Render(3, State(1, false, false, true));
  // Ring corners (19, 12), (12, 5), (5, 12), (12, 19).
  EXPECT_EQ(surface.At(19, 12), kRing);
  EXPECT_EQ(surface.At(12, 5), kBlack);
  EXPECT_EQ(surface.At(5, 12), kRing);
  EXPECT_EQ(surface.At(12, 19), kBlack);
  int ring_even = 0;
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 25; ++x) {
      if (surface.At(x, y) == kRing) {
        EXPECT_EQ(y % 2, 0) << x << "," << y;
        ++ring_even;
      }
    }
  }
  EXPECT_GT(ring_even, 0);
  EXPECT_EQ(surface.window().ForeColor(), kRing);
}

TEST(Shapes37, DottingBlackensAnyPixelOfTheRingColourInItsRows) {
  Surface surface(26);
  const std::vector<std::pair<Point, ColorRef>> marks = {{{13, 13}, kRing}, {{13, 12}, kRing},
                                                         {{24, 1}, kRing},  {{25, 1}, kRing},
                                                         {{1, 1}, kRing},   {{24, 25}, kRing}};
  surface.Render(3, State(5, false, false, true), marks);
  EXPECT_EQ(surface.At(13, 13), kBlack);  // odd row inside the columns 2..W-2
  EXPECT_EQ(surface.At(13, 12), kRing);   // even row
  EXPECT_EQ(surface.At(24, 1), kBlack);   // column W-2
  EXPECT_EQ(surface.At(25, 1), kRing);    // column W-1 is not visited
  EXPECT_EQ(surface.At(1, 1), kRing);     // nor column 1
  EXPECT_EQ(surface.At(24, 25), kBlack);  // row H-1
  // Without the focus ring there is no dotting.
  surface.Render(3, State(5, false, false, false), marks);
  EXPECT_EQ(surface.At(13, 13), kRing);
}

TEST(Shapes37, TriangleRingsAreSolidWhenTheRendererReturns) {
  for (const std::int32_t shape : {4, 5, 6, 7}) {
    Surface surface(25);
    const std::vector<std::pair<Point, ColorRef>> marks = {{{13, 13}, kRing}};
    surface.Render(shape, State(1, false, false, true), marks);
    for (const Point p : Points(Shape(shape).focus, Vars(25, 25))) {
      EXPECT_EQ(surface.At(p.x, p.y), kRing) << shape << ": " << p.x << "," << p.y;
    }
    EXPECT_EQ(surface.At(13, 13), kRing) << shape;
    for (int y = 0; y < 25; ++y) {
      for (int x = 0; x < 25; ++x) EXPECT_NE(surface.At(x, y), kBlack) << shape;
    }
    EXPECT_EQ(surface.window().ForeColor(), kRing);
  }
}

TEST(Shapes37, Style7PressedFocusedDrawsOnlyThePressedRing) {
  for (const std::int32_t shape : {3, 4, 5, 6, 7}) {
    Surface surface(27);
    surface.Render(shape, State(7, true, false, true));
    int pressed_ring = 0;
    for (int y = 0; y < 27; ++y) {
      for (int x = 0; x < 27; ++x) {
        const ColorRef c = surface.At(x, y);
        pressed_ring += c == 0xCFB073 ? 1 : 0;
        EXPECT_TRUE(c == kBackground || c == kEntryPen || c == 0xCFB073) << shape << ": " << c;
      }
    }
    EXPECT_GT(pressed_ring, 0) << shape;
    // Not pressed: the blue ring covers the white one.
    surface.Render(shape, State(7, false, false, true));
    for (int y = 0; y < 27; ++y) {
      for (int x = 0; x < 27; ++x) EXPECT_NE(surface.At(x, y), 0xFFFFFFu) << shape;
    }
  }
}

TEST(Shapes37, RightTriangleOutlineEndsOnePixelRightOfItsStart) {
  Surface surface(25);
  surface.Render(6, State(5, false, false, false));
  EXPECT_EQ(surface.At(23, 12), kEntryPen);    // (W-2, ym), the start
  EXPECT_EQ(surface.At(24, 12), kBackground);  // (W-1, ym), the end, left out
  EXPECT_EQ(surface.At(0, 1), kEntryPen);
  EXPECT_EQ(surface.At(0, 24), kEntryPen);
  EXPECT_EQ(surface.At(0, 0), kBackground);
}

TEST(Shapes37, DownTriangleTopRowIsOutsideAndTheOutlineTopIsRowOne) {
  Surface surface(25);
  surface.Render(7, State(5, false, false, false));
  for (int x = 0; x < 25; ++x) {
    EXPECT_FALSE(surface.region()->PtInRegion(x, 0)) << x;
    EXPECT_EQ(surface.At(x, 0), kBackground) << x;
    EXPECT_EQ(surface.At(x, 1), x >= 1 ? kEntryPen : kBackground) << x;
  }
  EXPECT_TRUE(surface.region()->PtInRegion(0, 1));
  EXPECT_EQ(surface.At(12, 24), kEntryPen);  // (xm, H-1)
}

TEST(Shapes37, OutlinesAreNeverFilled) {
  for (const std::int32_t shape : {3, 4, 5, 6, 7}) {
    for (const std::int32_t style : {1, 5, 6, 7}) {
      Surface surface(40);
      const std::vector<std::pair<Point, ColorRef>> marks = {{{20, 20}, 0x00FF00}};
      surface.Render(shape, State(style, false, true, true), marks);
      EXPECT_EQ(surface.At(20, 20), 0x00FF00u) << shape << " " << style;
      EXPECT_EQ(surface.At(20, 22), kBackground) << shape << " " << style;
      EXPECT_EQ(surface.At(19, 18), kBackground) << shape << " " << style;
    }
  }
}

}  // namespace
}  // namespace fw::button_shapes
