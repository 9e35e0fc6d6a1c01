#pragma once
// Test support for the Button's shape renderers: a Button placed in a headless host whose
// surface the tests clear and hand to a renderer directly, and a small reference painter that
// says which pixels GDI's rules give for the calls a renderer's tables list.
//
// The reference painter (`Sketch`) follows GDI's pixel rules for 1-pixel cosmetic pens on its
// own: lines leave out their end point, RoundRect/Ellipse outlines are Zingl's quadrant
// stepping mirrored into a closed polygon, arcs run counter-clockwise over the same points,
// CreateRoundRectRgn shrinks its box by one on the right and bottom. It knows nothing of the
// renderers; a test writes out the calls of a table and compares the picture with the surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "controls/button/button.h"
#include "controls/button/shapes/shape_frame.h"
#include "platform/color.h"
#include "platform/gdi.h"
#include "platform/headless/headless_host.h"

namespace fw::test::shapes {

// ---- GDI's pixel rules, written out ---------------------------------------------------------

// ceil(a / b) for b > 0.
inline long long CeilDiv(long long a, long long b) {
  return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

// LineTo from `a` to `b` with a 1-pixel pen: the start point is drawn, the end point is not;
// the minor coordinate is the exact value rounded to nearest, halves towards the smaller value.
inline std::vector<Point> LinePixels(Point a, Point b) {
  std::vector<Point> out;
  const long long dx = b.x - a.x;
  const long long dy = b.y - a.y;
  const long long adx = std::llabs(dx);
  const long long ady = std::llabs(dy);
  if (adx > ady) {
    for (long long i = 0; i < adx; ++i) {
      out.push_back({static_cast<int>(a.x + (dx > 0 ? i : -i)),
                     static_cast<int>(a.y + CeilDiv(2 * dy * i - adx, 2 * adx))});
    }
  } else {
    for (long long i = 0; i < ady; ++i) {
      out.push_back({static_cast<int>(a.x + CeilDiv(2 * dx * i - ady, 2 * ady)),
                     static_cast<int>(a.y + (dy > 0 ? i : -i))});
    }
  }
  return out;
}

// Segments p0 -> p1 -> ... each drawn with the line rule; with `closed` also back to p0.
inline std::vector<Point> PolyPixels(const std::vector<Point>& points, bool closed) {
  std::vector<Point> out;
  const std::size_t n = points.size();
  if (n < 2) return out;
  const std::size_t segments = closed ? n : n - 1;
  for (std::size_t i = 0; i < segments; ++i) {
    auto line = LinePixels(points[i], points[(i + 1) % n]);
    out.insert(out.end(), line.begin(), line.end());
  }
  return out;
}

// The lower-right quarter of the ellipse filling a w x h box, box-local, from the right end of
// the middle row to the bottom middle.
inline std::vector<Point> Quadrant(int w, int h) {
  const long long a = w - 1;
  const long long b = h - 1;
  const long long o = b % 2;
  long long step_x = 4 * b * b * (1 - a);
  long long step_y = 4 * a * a * (1 + o);
  long long err = step_x + step_y + a * a * o;
  long long x = a;
  long long y = h / 2;
  std::vector<Point> out;
  while (x >= w / 2) {
    out.push_back({static_cast<int>(x), static_cast<int>(y)});
    const long long t = 2 * err;
    if (t >= step_x) {
      --x;
      step_x += 8 * b * b;
      err += step_x;
    }
    if (t <= step_y) {
      ++y;
      step_y += 8 * a * a;
      err += step_y;
    }
  }
  return out;
}

struct Box {
  int l, t, r, b;
};
inline Box Normalised(int l, int t, int r, int b) {
  return {std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

// RoundRect(l, t, r, b, cw, ch) (and Ellipse, which is RoundRect with the box's own size).
inline std::vector<Point> RoundRectPixels(int l0, int t0, int r0, int b0, int cw, int ch) {
  const Box box = Normalised(l0, t0, r0, b0);
  const int l = box.l, t = box.t, r = box.r, b = box.b;
  if (r == l || b == t) return {};
  const int ew = std::min(r - l, std::abs(cw));
  const int eh = std::min(b - t, std::abs(ch));
  if (ew <= 2 || eh <= 2) {
    return PolyPixels({{r - 1, t}, {l, t}, {l, b - 1}, {r - 1, b - 1}}, true);
  }
  const std::vector<Point> q = Quadrant(ew, eh);
  std::vector<Point> top;
  for (const Point& p : q) top.push_back({r - ew + p.x, t + eh - 1 - p.y});
  const std::size_t upper_right = top.size();
  for (std::size_t i = upper_right; i-- > 0;) {
    if (i == upper_right - 1 && ew % 2 == 1 && ew == r - l) continue;
    top.push_back({l + r - 1 - top[i].x, top[i].y});
  }
  std::vector<Point> all = top;
  for (std::size_t i = top.size(); i-- > 0;) {
    if (i == top.size() - 1 && eh % 2 == 1 && eh == b - t) continue;
    all.push_back({top[i].x, t + b - 1 - top[i].y});
  }
  return PolyPixels(all, true);
}

// Arc(l, t, r, b, xs, ys, xe, ye), counter-clockwise from the start ray to the end ray.
inline std::vector<Point> ArcPixels(int l0, int t0, int r0, int b0, int xs, int ys, int xe,
                                    int ye) {
  const Box box = Normalised(l0, t0, r0, b0);
  const int l = box.l, t = box.t, r = box.r, b = box.b;
  if (r == l || b == t) return {};
  const int w = r - l;
  const int h = b - t;
  const std::vector<Point> q = Quadrant(w, h);
  const long long n = static_cast<long long>(q.size());
  std::vector<Point> p;
  for (const Point& v : q) p.push_back({v.x - w / 2, v.y - h / 2});
  const int cx = l + w / 2;
  const int cy = t + h / 2;
  auto first = [&](auto&& test) {
    long long k = 0;
    while (k < n && !test(p[static_cast<std::size_t>(k)])) ++k;
    return k;
  };
  auto index = [&](int x, int y) -> long long {
    const long long u = x - cx;
    const long long v = cy - y;
    if (v >= 0 && u >= 0) return first([&](Point s) { return s.x * v <= s.y * u; });
    if (v >= 0) return 2 * n - first([&](Point s) { return s.x * v < s.y * -u; });
    if (u < 0) return 2 * n + first([&](Point s) { return s.x * -v < s.y * -u; });
    return 4 * n - first([&](Point s) { return s.x * -v <= s.y * u; });
  };
  const long long s = index(xs, ys);
  long long e = index(xe, ye);
  if (e <= s) e += 4 * n;
  std::vector<Point> points;
  for (long long g = s; g < e; ++g) {
    const long long gm = g % (4 * n);
    const long long m = gm / n;
    const std::size_t j = static_cast<std::size_t>(gm % n);
    const std::size_t jr = static_cast<std::size_t>(n - 1) - j;
    switch (m) {
      case 0:
        points.push_back({l + w / 2 + p[j].x, b - 1 - h / 2 - p[j].y});
        break;
      case 1:
        points.push_back({r - 1 - w / 2 - p[jr].x, b - 1 - h / 2 - p[jr].y});
        break;
      case 2:
        points.push_back({r - 1 - w / 2 - p[j].x, t + h / 2 + p[j].y});
        break;
      default:
        points.push_back({l + w / 2 + p[jr].x, t + h / 2 + p[jr].y});
        break;
    }
  }
  return PolyPixels(points, false);
}

// A window region as a pixel mask over a width x height window.
struct Mask {
  int width = 0;
  int height = 0;
  std::vector<bool> inside;
  bool At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height &&
           inside[static_cast<std::size_t>(y * width + x)];
  }
};

// CreateRoundRectRgn(l, t, r, b, cw, ch) for boxes inside the window, corners of 2 and more.
inline Mask RoundRectRegionMask(int width, int height, int l0, int t0, int r0, int b0, int cw,
                                int ch) {
  Mask mask{width, height, std::vector<bool>(static_cast<std::size_t>(width * height), false)};
  const Box box = Normalised(l0, t0, r0, b0);
  const int l = box.l, t = box.t, r = box.r - 1, b = box.b - 1;
  const int ew = std::min(r - l, std::abs(cw));
  const int eh = std::min(b - t, std::abs(ch));
  auto span = [&](int y, int from, int to) {
    for (int x = from; x < to; ++x) {
      if (x >= 0 && y >= 0 && x < width && y < height) {
        mask.inside[static_cast<std::size_t>(y * width + x)] = true;
      }
    }
  };
  if (ew < 2 || eh < 2) {
    for (int y = t; y < b; ++y) span(y, l, r);
    return mask;
  }
  std::vector<int> inset(static_cast<std::size_t>(eh), 0);
  const long long a = ew - 1;
  const long long bb = eh - 1;
  const long long o = bb % 2;
  long long step_x = 4 * bb * bb * (1 - a);
  long long step_y = 4 * a * a * (1 + o);
  long long err = step_x + step_y + a * a * o;
  long long x = 0;
  long long y = eh / 2;
  while (x <= ew / 2) {
    const long long tt = 2 * err;
    if (tt >= step_x) {
      ++x;
      step_x += 8 * bb * bb;
      err += step_x;
    }
    if (tt <= step_y) {
      ++y;
      step_y += 8 * a * a;
      err += step_y;
      if (y < eh) inset[static_cast<std::size_t>(y)] = static_cast<int>(x);
    }
  }
  for (int i = 0; i < eh / 2; ++i) {
    inset[static_cast<std::size_t>(i)] = inset[static_cast<std::size_t>(eh - 1 - i)];
  }
  for (int i = 0; i < eh / 2; ++i) {
    const int in = inset[static_cast<std::size_t>(i)];
    span(t + i, l + in, r - in);
  }
  for (int row = t + eh / 2; row <= b - eh + eh / 2; ++row) span(row, l, r);
  for (int i = eh / 2 + 1; i < eh; ++i) {
    const int in = inset[static_cast<std::size_t>(i)];
    span(b - eh + i, l + in, r - in);
  }
  return mask;
}

// CreateEllipticRgn(0, 0, width, height) by the outline rule: the pixels on or between the
// outline pixels of Ellipse(0, 0, width - 1, height - 1), row by row.
inline Mask EllipticRegionMask(int width, int height) {
  Mask mask{width, height, std::vector<bool>(static_cast<std::size_t>(width * height), false)};
  std::vector<int> lo(static_cast<std::size_t>(height), width);
  std::vector<int> hi(static_cast<std::size_t>(height), -1);
  for (const Point& p : RoundRectPixels(0, 0, width - 1, height - 1, width - 1, height - 1)) {
    auto row = static_cast<std::size_t>(p.y);
    lo[row] = std::min(lo[row], p.x);
    hi[row] = std::max(hi[row], p.x);
  }
  for (int y = 0; y < height; ++y) {
    for (int x = lo[static_cast<std::size_t>(y)]; x <= hi[static_cast<std::size_t>(y)]; ++x) {
      mask.inside[static_cast<std::size_t>(y * width + x)] = true;
    }
  }
  return mask;
}

// ---- The reference painter ------------------------------------------------------------------

inline ColorRef Resolve(ColorValue value) {
  ColorRef rgb = 0;
  return OleTranslateColor(value, rgb) == 0 ? rgb : 0;
}

// A width x height picture painted the way the surface is: a pen colour, a current position,
// each call's pixels in the pen colour on top of what is there.
class Sketch {
 public:
  Sketch(int width, int height, ColorRef background, ColorValue pen)
      : width_(width),
        height_(height),
        pen_(pen),
        pixels_(static_cast<std::size_t>(width * height), background) {}

  int W() const { return width_; }
  int H() const { return height_; }
  ColorValue PenColor() const { return pen_; }
  ColorRef At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
  const std::vector<ColorRef>& Pixels() const { return pixels_; }

  void Pen(ColorValue color) { pen_ = color; }
  // MoveToEx to the first point, LineTo each next one.
  void Run(std::initializer_list<Point> points) {
    if (points.size() == 0) return;
    at_ = *points.begin();
    Continue(std::vector<Point>(points.begin() + 1, points.end()));
  }
  void Run(ColorValue color, std::initializer_list<Point> points) {
    Pen(color);
    Run(points);
  }
  // LineTo each point from the current position.
  void Continue(std::initializer_list<Point> points) {
    Continue(std::vector<Point>(points.begin(), points.end()));
  }
  void Continue(const std::vector<Point>& points) {
    for (const Point& p : points) {
      Paint(LinePixels(at_, p));
      at_ = p;
    }
  }
  void RoundRect(int l, int t, int r, int b, int cw, int ch) {
    Paint(RoundRectPixels(l, t, r, b, cw, ch));
  }
  void Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    Paint(ArcPixels(l, t, r, b, xs, ys, xe, ye));
  }

 private:
  void Paint(const std::vector<Point>& points) {
    const ColorRef c = Resolve(pen_);
    for (const Point& p : points) {
      if (p.x >= 0 && p.y >= 0 && p.x < width_ && p.y < height_) {
        pixels_[static_cast<std::size_t>(p.y * width_ + p.x)] = c;
      }
    }
  }

  int width_;
  int height_;
  ColorValue pen_;
  Point at_{0, 0};
  std::vector<ColorRef> pixels_;
};

// ---- The fixture ----------------------------------------------------------------------------

// The surface's pixels as COLORREFs (0x00BBGGRR), row by row.
inline std::vector<ColorRef> SurfacePixels(UserControl& surface) {
  std::vector<ColorRef> out = surface.hDC().Pixels();
  for (auto& p : out) p = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  return out;
}

// The differences between a surface and the expected picture: "" when there are none, else
// how many and the first few, with both colours.
inline std::string Differences(const std::vector<ColorRef>& actual, const Sketch& expected,
                               std::size_t shown = 8) {
  std::ostringstream out;
  std::size_t count = 0;
  if (actual.size() != expected.Pixels().size()) return "surface size differs";
  for (int y = 0; y < expected.H(); ++y) {
    for (int x = 0; x < expected.W(); ++x) {
      const ColorRef got = actual[static_cast<std::size_t>(y * expected.W() + x)];
      const ColorRef want = expected.At(x, y);
      if (got == want) continue;
      if (count++ < shown) {
        out << " (" << x << "," << y << ") is 0x" << std::hex << got << " not 0x" << want
            << std::dec;
      }
    }
  }
  if (count == 0) return "";
  return std::to_string(count) + " pixels differ:" + out.str();
}

// The differences between a window region and the expected mask, as above.
inline std::string Differences(const Region* region, const Mask& expected, std::size_t shown = 8) {
  if (region == nullptr) return "the window has no region";
  std::ostringstream out;
  std::size_t count = 0;
  // One pixel beyond the window on every side must be outside as well.
  for (int y = -1; y <= expected.height; ++y) {
    for (int x = -1; x <= expected.width; ++x) {
      const bool got = region->PtInRegion(x, y);
      if (got == expected.At(x, y)) continue;
      if (count++ < shown) out << " (" << x << "," << y << ")" << (got ? " inside" : " outside");
    }
  }
  if (count == 0) return "";
  return std::to_string(count) + " pixels differ:" + out.str();
}

// The colour the tests clear the surface to and the entry pen colour they hand a renderer; no
// renderer draws in either of its own accord.
inline constexpr ColorRef kBackground = 0x5A3C1E;
inline constexpr ColorValue kEntryPen = 0x2080F0;

// A fresh reference picture of the cleared surface with the entry pen.
inline Sketch Expect(int width, int height, ColorValue entry = kEntryPen) {
  return Sketch(width, height, kBackground, entry);
}

// One Button of a chosen size in a headless host, and its surface ready for a renderer.
class ShapeTest : public ::testing::Test {
 protected:
  // Places "Button1" (once per test) and makes it width x height pixels. A fresh Button sizes
  // itself in InitProperties, so the size is set again after the placement.
  UserControl& Surface(int width, int height) {
    if (!placed_) {
      host_.Place<Button>({"Button1", {0, 0, width * 15, height * 15}, nullptr});
      placed_ = true;
    }
    UserControl& window = host_.WindowOf("Button1");
    if (window.Width() != width * 15) window.Width(width * 15);
    if (window.Height() != height * 15) window.Height(height * 15);
    return window;
  }

  // Clears the surface to kBackground (which leaves the pen at the origin), sets the entry pen
  // colour and runs renderer `shape` with `state`.
  UserControl& Render(int width, int height, std::int32_t shape,
                      const button_shapes::ShapeState& state, ColorValue entry = kEntryPen) {
    UserControl& window = Surface(width, height);
    window.ScaleMode(kScalePixels);
    window.BackColor(kBackground);
    button_shapes::ShapeCanvas canvas(window);
    canvas.Pen(entry);
    button_shapes::RenderShape(shape, canvas, state);
    return window;
  }

  const Region* WindowRegion() const { return host_.RegionOf("Button1"); }

  std::unique_ptr<GdiDevice> device_ = CreatePlatformGdiDevice();
  headless::HeadlessHost host_{*device_};
  bool placed_ = false;
};

// Short names for the states a test draws in.
inline button_shapes::ShapeState StyleState(std::int32_t style, bool pressed = false,
                                            bool hover = false, bool focus = false,
                                            bool focus_rect = true, bool enabled = true) {
  button_shapes::ShapeState s;
  s.style = style;
  s.pressed = pressed;
  s.hover = hover;
  s.focus = focus;
  s.focus_rect = focus_rect;
  s.enabled = enabled;
  return s;
}

}  // namespace fw::test::shapes
