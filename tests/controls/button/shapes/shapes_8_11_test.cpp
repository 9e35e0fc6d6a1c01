// Renderers 8 to 11, the block arrows, driven directly on a Button in the headless host.
//
// The expected pictures come from a small reference written from the arrows' coordinate tables
// in whole-number arithmetic (the nearest third of n is (n + 1) / 3, a half rounds to the even
// neighbour) and from GDI's line and polygon-region rules. Each case clears the surface, sets the
// entry pen colour, runs the renderer and compares every pixel of the surface, so outlines,
// style runs, their order, focus rings and the untouched interior are all checked at once.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "controls/button/button.h"
#include "controls/button/shapes/shape_frame.h"
#include "platform/color.h"
#include "platform/headless/headless_host.h"

namespace fw {
namespace {

using button_shapes::RenderShape;
using button_shapes::ShapeCanvas;
using button_shapes::ShapeState;
using Stretches = std::vector<std::vector<Point>>;

constexpr ColorRef kBack = 0x5A3C1E;
constexpr ColorValue kEntryPen = 0x2040F0;
constexpr ColorValue kHighlight = 0x80000014;
constexpr ColorValue kShadow = 0x80000010;
constexpr ColorValue kDark = 0x80000015;
constexpr ColorValue kRing = 0xD1D1D1;

// Reference geometry.

int EvenOf(int a, int b) {
  return a % 2 == 0 ? a : b;
}
// r(n / 2 + k) for whole k.
int HalfOf(int n, int k) {
  return n % 2 == 0 ? n / 2 + k : EvenOf((n - 1) / 2 + k, (n + 1) / 2 + k);
}
// r(n - k - 0.5): the even one of n - k - 1 and n - k.
int MinusHalf(int n, int k) {
  return EvenOf(n - k - 1, n - k);
}

struct Reference {
  std::vector<Point> region;
  std::map<std::string, Stretches> runs;
  std::vector<Point> ring;
};

// The tables, entry for entry; laid out by hand to read like them.
// clang-format off
Reference ArrowReference(int shape, int W, int H) {
  const int xm = HalfOf(W, 0), ym = HalfOf(H, 0);
  const int x1 = (W + 1) / 3, x2 = (2 * W + 1) / 3, y1 = (H + 1) / 3, y2 = (2 * H + 1) / 3;
  Reference r;
  auto& R = r.runs;
  switch (shape) {
    case 8:
      r.region = {{xm, 0}, {0, y2}, {x1, y2}, {x1, H}, {x2, H}, {x2, y2}, {W, y2}};
      R["outline"] = {{{xm, 1}, {1, y2 - 1}, {x1, y2 - 1}, {x1, H - 1},
                       {x2 - 1, MinusHalf(H, 1)}, {x2 - 1, y2 - 1}, {W - 1, y2 - 1}, {xm, 1}}};
      R["A"] = {{{xm, 1}, {1, y2 - 1}, {x1, y2 - 1}, {x1, H - 1}}};
      R["N"] = {{{x1, H - 2}, {x2 - 2, H - 2}, {x2 - 2, y2 - 2}, {W - 3, y2 - 2}, {xm, 2}}};
      R["P"] = {{{xm, 2}, {2, y2 - 1}}, {{2, y2 - 2}, {x1 + 1, y2 - 2}, {x1 + 1, H - 1}}};
      R["S"] = {{{x1, H - 2}, {x2 - 2, H - 2}, {x2 - 2, y2 - 2}, {W - 3, y2 - 2}, {xm, 3}}};
      R["L"] = {{{xm, 3}, {3, y2 - 2}, {x1 + 1, y2 - 2}, {x1 + 1, H - 1}, {x2 - 1, H - 1},
                 {x2 - 1, y2 - 1}, {W - 1, y2 - 1}, {xm, 1}}};
      R["Q"] = {{{x1 + 3, H - 3}, {x2 - 3, MinusHalf(H, 2)}, {x2 - 3, y2 - 3}, {W - 5, y2 - 3},
                 {xm, 4}}};
      R["F1"] = {{{x2 - 2, H - 2}, {x1, H - 2}}};
      R["F2"] = {{{x1 + 1, H - 3}, {x2 - 2, MinusHalf(H, 3)}, {x2 - 2, y2 - 2}, {W - 3, y2 - 2},
                  {xm, 3}}};
      R["F3"] = {{{x2 - 3, MinusHalf(H, 4)}, {x2 - 3, y2 - 3}, {W - 5, y2 - 3}, {xm, 5}}};
      R["F4"] = {{{xm, 3}, {3, y2 - 2}, {x1 + 1, y2 - 2}, {x1 + 1, H - 2}}};
      R["F5"] = {{{xm, 5}, {5, y2 - 3}, {x1 + 2, y2 - 3}, {x1 + 2, H - 3}}};
      R["G"] = {{{xm, 2}, {3, y2 - 2}, {x1 + 1, y2 - 2}, {x1 + 1, H - 2}, {x2 - 2, H - 2},
                 {x2 - 2, y2 - 2}, {W - 3, y2 - 2}, {xm, 2}}};
      r.ring = {{xm, 6}, {9, y2 - 5}, {x1 + 4, y2 - 5}, {x1 + 4, H - 5}, {x2 - 5, H - 5},
                {x2 - 5, y2 - 5}, {W - 10, y2 - 5}};
      break;
    case 9:
      r.region = {{0, ym}, {x2, 0}, {x2, y1}, {W, y1}, {W, y2}, {x2, y2}, {x2, H}};
      R["outline"] = {{{W - 1, y1}, {x2 - 1, y1}, {x2 - 1, 1}, {1, ym}, {x2 - 1, H - 1},
                       {x2 - 1, y2 - 1}, {W - 1, y2 - 1}, {W - 1, y1}}};
      R["A"] = {{{W - 1, y1}, {x2 - 1, y1}, {x2 - 1, 1}, {1, ym}}};
      R["N"] = {{{W - 2, y1 + 2}, {W - 2, y2 - 2}, {x2 - 2, y2 - 2}, {x2 - 2, H - 3}, {2, ym}}};
      R["P"] = {{{W - 1, y1 + 1}, {x2 - 2, y1 + 1}, {x2 - 2, 3}, {2, ym}}};
      R["S"] = {{{W - 2, y1 + 2}, {W - 2, y2 - 2}, {x2 - 2, y2 - 2}, {x2 - 2, H - 3}, {3, ym}}};
      R["L"] = {{{W - 1, y1 + 1}, {x2 - 2, y1 + 1}, {x2 - 2, 3}, {2, ym}},
                {{W - 1, y1 + 1}, {W - 1, y2 - 1}, {x2 - 1, y2 - 1}, {x2 - 1, H - 1}, {1, ym}}};
      R["Q"] = {{{W - 3, y1 + 2}, {W - 3, y2 - 3}, {x2 - 3, y2 - 3}, {x2 - 3, H - 5}, {5, ym}}};
      R["F1"] = {{{W - 2, y1 + 1}, {W - 2, y2 - 1}}};
      R["F2"] = {{{W - 3, y1 + 1}, {W - 3, y2 - 2}, {x2 - 2, y2 - 2}, {x2 - 2, H - 3}, {2, ym}}};
      R["F3"] = {{{W - 3, y2 - 3}, {x2 - 3, y2 - 3}, {x2 - 3, H - 5}, {4, ym}}};
      R["F4"] = {{{W - 3, y1 + 1}, {x2 - 2, y1 + 1}, {x2 - 2, 3}, {2, ym}}};
      R["F5"] = {{{W - 4, y1 + 2}, {x2 - 3, y1 + 2}, {x2 - 3, 5}, {3, ym}}};
      R["G"] = {{{W - 3, y1 + 1}, {x2 - 2, y1 + 1}, {x2 - 2, 3}, {2, ym}, {x2 - 2, H - 3},
                 {x2 - 2, y2 - 2}, {W - 2, y2 - 2}, {W - 2, y1}}};
      r.ring = {{6, ym}, {x2 - 5, 9}, {x2 - 5, y1 + 4}, {W - 5, y1 + 4}, {W - 5, y2 - 5},
                {x2 - 5, y2 - 5}, {x2 - 5, H - 10}};
      break;
    case 10:
      r.region = {{W, ym}, {x1, 0}, {x1, y1}, {0, y1}, {0, y2}, {x1, y2}, {x1, H}};
      R["outline"] = {{{0, y2 - 1}, {0, y1}, {x1, y1}, {x1, 1}, {W - 1, ym}, {x1, H - 1},
                       {x1, y2 - 1}, {0, y2 - 1}}};
      R["A"] = {{{0, y2 - 1}, {0, y1}, {x1, y1}, {x1, 1}, {W - 1, ym}}};
      R["N"] = {{{W - 2, ym}, {x1 + 1, H - 3}},
                {{W - 3, ym}, {x1 + 1, H - 3}, {x1 + 1, y2 - 2}, {1, y2 - 2}}};
      R["P"] = {{{1, y2 - 2}, {1, y1 + 1}, {x1 + 1, y1 + 1}, {x1 + 1, 3}, {W - 2, ym}}};
      R["S"] = {{{W - 3, ym}, {x1 + 1, H - 3}, {x1 + 1, y2 - 2}, {0, y2 - 2}}};
      R["L"] = {{{1, y2 - 2}, {1, y1 + 1}, {x1 + 1, y1 + 1}, {x1 + 1, 3}, {W - 3, ym}},
                {{W - 1, ym}, {x1, H - 1}, {x1, y2 - 1}, {0, y2 - 1}}};
      R["Q"] = {{{2, y1 + 2}, {2, y2 - 3}, {x1 + 2, y2 - 3}, {x1 + 2, H - 5}, {W - 5, ym}}};
      R["F1"] = {{{1, y2 - 2}, {1, y1}}};
      R["F2"] = {{{2, y1 + 1}, {2, y2 - 2}, {x1 + 1, y2 - 2}, {x1 + 1, H - 3}, {W - 2, ym}}};
      R["F3"] = {{{3, y2 - 3}, {x1 + 2, y2 - 3}, {x1 + 2, H - 5}, {W - 3, ym}}};
      R["F4"] = {{{3, y1 + 1}, {x1 + 1, y1 + 1}, {x1 + 1, 3}, {W - 3, ym}}};
      R["F5"] = {{{4, y1 + 2}, {x1 + 2, y1 + 2}, {x1 + 2, 5}, {W - 4, ym}}};
      R["G"] = {{{1, y2 - 2}, {1, y1 + 1}, {x1 + 1, y1 + 1}, {x1 + 1, 3}, {W - 2, HalfOf(H, -1)},
                 {x1 + 1, H - 3}, {x1 + 1, y2 - 2}, {1, y2 - 2}}};
      r.ring = {{W - 7, ym}, {x1 + 4, 9}, {x1 + 4, y1 + 4}, {4, y1 + 4}, {4, y2 - 5},
                {x1 + 4, y2 - 5}, {x1 + 4, H - 10}};
      break;
    default:  // 11
      r.region = {{xm, H}, {0, y1}, {x1, y1}, {x1, 0}, {x2, 0}, {x2, y1}, {W, y1}};
      R["outline"] = {{{x2, 0}, {x1, 0}, {x1, y1}, {1, y1}, {xm, H - 1}, {W - 1, y1},
                       {x2 - 1, y1}, {x2 - 1, 0}}};
      R["A"] = {{{x2, 0}, {x1, 0}, {x1, y1}, {1, y1}, {xm, H - 1}}};
      R["N"] = {{{x2 - 2, 1}, {x2 - 2, y1 + 1}, {W - 3, y1 + 1}, {xm, H - 2}},
                {{W - 3, y1 + 1}, {xm, H - 3}}};
      R["P"] = {{{x2 - 1, 1}, {x1 + 1, 1}, {x1 + 1, y1 + 1}, {3, y1 + 1}, {xm, H - 2}}};
      R["S"] = {{{x2 - 2, 2}, {x2 - 2, y1 + 1}, {W - 3, y1 + 1}, {xm, H - 3}}};
      R["L"] = {{{x1 + 1, 1}, {x2 + 1, 1}},
                {{x1 + 1, 2}, {x1 + 1, y1 + 1}, {3, y1 + 1}, {xm, H - 3}},
                {{x2 - 1, 2}, {x2 - 1, y1}, {W - 1, y1}, {xm, H - 1}}};
      R["Q"] = {{{x1 + 3, 2}, {x2 - 3, 2}, {x2 - 3, y1 + 2}, {W - 5, y1 + 2}, {xm, H - 4}}};
      R["F1"] = {{{x1 + 1, 1}, {x2 - 1, 1}}};
      R["F2"] = {{{x1 + 1, 1}, {x2 - 2, 1}, {x2 - 2, y1 + 1}, {W - 3, y1 + 1}, {xm, H - 2}}};
      R["F3"] = {{{x2 - 3, 2}, {x2 - 3, y1 + 2}, {W - 5, y1 + 2}, {xm, H - 4}}};
      R["F4"] = {{{x1 + 1, 2}, {x1 + 1, y1 + 1}, {3, y1 + 1}, {xm, H - 3}}};
      R["F5"] = {{{x1 + 2, 3}, {x1 + 2, y1 + 2}, {4, y1 + 2}, {xm, H - 4}}};
      R["G"] = {{{x2, 1}, {x1 + 1, 1}, {x1 + 1, y1 + 1}, {3, y1 + 1}, {HalfOf(W, -1), H - 2},
                 {W - 3, y1 + 1}, {x2 - 2, y1 + 1}, {x2 - 2, 1}}};
      r.ring = {{xm, H - 7}, {9, y1 + 4}, {x1 + 4, y1 + 4}, {x1 + 4, 4}, {x2 - 5, 4},
                {x2 - 5, y1 + 4}, {W - 10, y1 + 4}};
      break;
  }
  return r;
}
// clang-format on

// GDI's rules: a LineTo leaves out its end point; an exact half goes to the smaller minor
// coordinate. A polygon region holds the pixels whose top-left corner is inside (WINDING).

int CeilDiv(int num, int den) {  // den > 0
  return num >= 0 ? (num + den - 1) / den : -((-num) / den);
}

std::vector<Point> LinePixels(Point a, Point b) {
  std::vector<Point> out;
  const int dx = b.x - a.x, dy = b.y - a.y;
  const int adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  if (adx > ady) {
    for (int i = 0; i < adx; ++i) {
      out.push_back({a.x + (dx > 0 ? i : -i), a.y + CeilDiv(2 * dy * i - adx, 2 * adx)});
    }
  } else {
    for (int i = 0; i < ady; ++i) {
      out.push_back({a.x + CeilDiv(2 * dx * i - ady, 2 * ady), a.y + (dy > 0 ? i : -i)});
    }
  }
  return out;
}

std::vector<Point> RunPixels(const Stretches& run) {
  std::vector<Point> out;
  for (const auto& stretch : run) {
    for (std::size_t i = 1; i < stretch.size(); ++i) {
      for (Point p : LinePixels(stretch[i - 1], stretch[i])) out.push_back(p);
    }
  }
  return out;
}

std::vector<Point> PolygonPixels(std::vector<Point> vertices) {
  vertices.push_back(vertices.front());
  return RunPixels({vertices});
}

bool InWindingPolygon(const std::vector<Point>& v, int x, int y) {
  int winding = 0;
  for (std::size_t i = 0; i < v.size(); ++i) {
    const Point p = v[i], q = v[(i + 1) % v.size()];
    if (p.y == q.y) continue;
    const Point top = p.y < q.y ? p : q, bottom = p.y < q.y ? q : p;
    if (y < top.y || y >= bottom.y) continue;
    if ((top.x - x) * (bottom.y - top.y) + (y - top.y) * (bottom.x - top.x) <= 0) {
      winding += q.y > p.y ? 1 : -1;
    }
  }
  return winding != 0;
}

ColorRef Translate(ColorValue c) {
  return IsSystemColorReference(c) ? GetSysColor(static_cast<int>(c & 0xFF)) : c;
}

// Cases: a state and the runs the style table draws for it, named as in the tables.

struct Expect {
  ColorValue pen;
  std::string run;
};

struct Case {
  std::string name;
  ShapeState state;
  bool ring;                        // the focus ring is drawn last
  std::vector<Expect> runs;         // every arrow, or the up arrow when `others` is given
  std::vector<Expect> others = {};  // the left, right and down arrows, when they differ
};

std::vector<Case> Cases() {
  const std::vector<Expect> hover_set = {
      {0x109ADC, "F1"}, {0x31B2F0, "F2"}, {0x90D6F7, "F3"}, {0xCEF3FF, "F4"}, {0x8CDBFF, "F5"}};
  const std::vector<Expect> focus_set = {
      {0xD98D59, "F1"}, {0xE2A981, "F2"}, {0xF0D1B5, "F3"}, {0xF7D7BD, "F4"}, {0xFFE7CE, "F5"}};
  const std::vector<Expect> sunken = {{kDark, "A"}, {kShadow, "P"}};
  const std::vector<Expect> raised_up = {{kHighlight, "A"}, {kShadow, "N"}};
  const std::vector<Expect> raised_others = {{kShadow, "N"}, {kHighlight, "A"}};
  const std::vector<Expect> style4 = {{kShadow, "S"}, {kHighlight, "L"}};
  const std::vector<Expect> none;
  return {
      {"style1_pressed", {.style = 1, .pressed = true}, false, sunken},
      {"style1_normal", {.style = 1}, false, raised_up, raised_others},
      {"style1_hover_focus",
       {.style = 1, .hover = true, .focus = true},
       true,
       raised_up,
       raised_others},
      {"style1_no_focusrect",
       {.style = 1, .focus_rect = false, .focus = true},
       false,
       raised_up,
       raised_others},
      {"style1_pressed_focus", {.style = 1, .pressed = true, .focus = true}, true, sunken},
      {"style2_pressed", {.style = 2, .pressed = true}, false, {{kDark, "A"}}},
      {"style2_normal", {.style = 2}, false, {{kHighlight, "A"}}},
      {"style2_hover", {.style = 2, .hover = true}, false, {{kHighlight, "A"}}},
      {"style3_pressed", {.style = 3, .pressed = true}, false, {{kDark, "A"}}},
      {"style3_hover", {.style = 3, .hover = true}, false, {{kHighlight, "A"}}},
      {"style3_normal", {.style = 3}, false, none},
      {"style3_focus", {.style = 3, .focus = true}, true, none},
      {"style4_enabled", {.style = 4}, false, style4},
      {"style4_pressed_focus", {.style = 4, .pressed = true, .focus = true}, false, style4},
      {"style4_disabled", {.style = 4, .enabled = false}, false, none},
      {"style4_disabled_focus", {.style = 4, .focus = true, .enabled = false}, false, none},
      {"style5_pressed_hover", {.style = 5, .pressed = true, .hover = true}, false, none},
      {"style5_focus", {.style = 5, .focus = true}, true, none},
      {"style0_focus", {.style = 0, .focus = true}, true, none},
      {"style8_focus", {.style = 8, .focus = true}, true, none},
      {"style9_pressed", {.style = 9, .pressed = true}, false, none},
      {"style-1_focus", {.style = -1, .focus = true}, true, none},
      {"style6_pressed", {.style = 6, .pressed = true}, false, {{kHighlight, "Q"}}},
      {"style6_pressed_focus",
       {.style = 6, .pressed = true, .focus = true},
       false,
       {{kHighlight, "Q"}}},
      {"style6_hover", {.style = 6, .hover = true}, false, hover_set},
      {"style6_hover_focus", {.style = 6, .hover = true, .focus = true}, false, hover_set},
      {"style6_focus", {.style = 6, .focus = true}, false, focus_set},
      {"style6_no_focusrect", {.style = 6, .focus_rect = false, .focus = true}, false, none},
      {"style6_normal", {.style = 6}, false, none},
      {"style7_pressed", {.style = 7, .pressed = true}, false, {{0xCFB073, "G"}}},
      {"style7_pressed_focus",
       {.style = 7, .pressed = true, .focus = true},
       false,
       {{0xCFB073, "G"}}},
      {"style7_normal", {.style = 7}, false, {{0xFFFFFF, "G"}}},
      {"style7_hover", {.style = 7, .hover = true}, false, {{0xFFFFFF, "G"}}},
      {"style7_focus", {.style = 7, .focus = true}, false, {{0xFFFFFF, "G"}, {0xFECC04, "G"}}},
      {"style7_no_focusrect",
       {.style = 7, .focus_rect = false, .focus = true},
       false,
       {{0xFFFFFF, "G"}}},
  };
}

// Pictures.

using Image = std::vector<ColorRef>;  // row-major, W x H

struct Drawn {
  Image pixels;
  ColorValue pen;  // the pen colour the renderer left selected
};

Image ExpectedImage(const Reference& ref, const std::vector<Expect>& runs, bool ring, int W,
                    int H) {
  Image image(static_cast<std::size_t>(W * H), kBack);
  auto paint = [&](const std::vector<Point>& pixels, ColorValue pen) {
    for (Point p : pixels) {
      if (p.x >= 0 && p.y >= 0 && p.x < W && p.y < H) {
        image[static_cast<std::size_t>(p.y * W + p.x)] = Translate(pen);
      }
    }
  };
  paint(RunPixels(ref.runs.at("outline")), kEntryPen);
  for (const Expect& e : runs) paint(RunPixels(ref.runs.at(e.run)), e.pen);
  if (ring) paint(PolygonPixels(ref.ring), kRing);
  return image;
}

char Letter(ColorRef c) {
  static const std::map<ColorRef, char> kLetters = {{kBack, '.'},
                                                    {Translate(kEntryPen), 'o'},
                                                    {Translate(kShadow), 's'},
                                                    {0xD1D1D1, 'r'},
                                                    {0xCFB073, 'p'},
                                                    {0xFECC04, 'f'},
                                                    {0x109ADC, '1'},
                                                    {0x31B2F0, '2'},
                                                    {0x90D6F7, '3'},
                                                    {0xCEF3FF, '4'},
                                                    {0x8CDBFF, '5'},
                                                    {0xD98D59, 'a'},
                                                    {0xE2A981, 'b'},
                                                    {0xF0D1B5, 'c'},
                                                    {0xF7D7BD, 'd'},
                                                    {0xFFE7CE, 'e'},
                                                    {Translate(kDark), 'k'},
                                                    {Translate(kHighlight), 'h'}};
  const auto it = kLetters.find(c);
  return it == kLetters.end() ? '?' : it->second;
}

// Empty when equal; else the count of wrong pixels, the first one and both pictures.
std::string Compare(const Image& expected, const Image& actual, int W, int H) {
  int wrong = 0;
  std::ostringstream out;
  for (int i = 0; i < W * H; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (expected[k] == actual[k]) continue;
    if (wrong++ == 0) {
      out << "first wrong pixel (" << i % W << "," << i / W << "): expected 0x" << std::hex
          << expected[k] << ", actual 0x" << actual[k] << std::dec << "\n";
    }
  }
  if (wrong == 0) return "";
  out << wrong << " wrong pixels; expected | actual:\n";
  for (int y = 0; y < H; ++y) {
    std::string left, right;
    for (int x = 0; x < W; ++x) {
      left += Letter(expected[static_cast<std::size_t>(y * W + x)]);
      right += Letter(actual[static_cast<std::size_t>(y * W + x)]);
    }
    out << left << " | " << right << "\n";
  }
  return out.str();
}

// The control under test.

class ArrowHost {
 public:
  ArrowHost(int W, int H) : W_(W), H_(H) {
    host_.Place<Button>(headless::Placement{"Button1", {0, 0, W * 15, H * 15}, nullptr});
    // A fresh Button makes itself 1200 x 500 twips; the arrows need their own size (its paint
    // keeps either side at 25 pixels or more).
    window().Width(W * 15);
    window().Height(H * 15);
    window().ScaleMode(kScalePixels);
  }
  UserControl& window() { return host_.WindowOf("Button1"); }
  const Region* region() const { return host_.RegionOf("Button1"); }

  Drawn Render(int shape, const ShapeState& state) {
    window().BackColor(kBack);
    ShapeCanvas canvas(window());
    canvas.Pen(kEntryPen);
    RenderShape(shape, canvas, state);
    Drawn drawn{Image(static_cast<std::size_t>(W_ * H_)), canvas.PenColor()};
    for (int y = 0; y < H_; ++y) {
      for (int x = 0; x < W_; ++x) {
        drawn.pixels[static_cast<std::size_t>(y * W_ + x)] = window().hDC().GetPixel(x, y);
      }
    }
    return drawn;
  }
  ColorRef Pixel(int x, int y) { return window().hDC().GetPixel(x, y); }

 private:
  int W_;
  int H_;
  std::unique_ptr<GdiDevice> device_ = CreatePlatformGdiDevice();
  headless::HeadlessHost host_{*device_};
};

// Every arrow, several sizes (odd, even, the smallest, not square), every case.

using ArrowParam = std::tuple<int, Size>;

class ArrowTest : public ::testing::TestWithParam<ArrowParam> {
 protected:
  int shape() const { return std::get<0>(GetParam()); }
  int W() const { return std::get<1>(GetParam()).cx; }
  int H() const { return std::get<1>(GetParam()).cy; }
  ArrowHost host_{W(), H()};
};

TEST_P(ArrowTest, DrawsOutlineStyleRunsAndFocusRingPixelExact) {
  const Reference ref = ArrowReference(shape(), W(), H());
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    const auto& runs = (shape() != 8 && !c.others.empty()) ? c.others : c.runs;
    const Drawn drawn = host_.Render(shape(), c.state);
    EXPECT_EQ(Compare(ExpectedImage(ref, runs, c.ring, W(), H()), drawn.pixels, W(), H()), "");
    const ColorValue last_pen = c.ring ? kRing : runs.empty() ? kEntryPen : runs.back().pen;
    EXPECT_EQ(drawn.pen, last_pen);
  }
}

TEST_P(ArrowTest, RegionIsTheWindingPolygonOfTheSevenCorners) {
  const Reference ref = ArrowReference(shape(), W(), H());
  host_.Render(shape(), {.style = 5});
  const Region* region = host_.region();
  ASSERT_NE(region, nullptr);
  int inside = 0;
  for (int y = -3; y < H() + 3; ++y) {
    for (int x = -3; x < W() + 3; ++x) {
      const bool expected = InWindingPolygon(ref.region, x, y);
      inside += expected ? 1 : 0;
      EXPECT_EQ(region->PtInRegion(x, y), expected) << "at (" << x << "," << y << ")";
    }
  }
  EXPECT_GT(inside, W() * H() / 3);
}

TEST_P(ArrowTest, LeavesTheInsideUnpainted) {
  const Reference ref = ArrowReference(shape(), W(), H());
  const Drawn drawn = host_.Render(shape(), {.style = 5});
  std::vector<bool> outline(static_cast<std::size_t>(W() * H()), false);
  for (Point p : RunPixels(ref.runs.at("outline"))) {
    if (p.x >= 0 && p.y >= 0 && p.x < W() && p.y < H()) {
      outline[static_cast<std::size_t>(p.y * W() + p.x)] = true;
    }
  }
  int interior = 0;
  for (int y = 0; y < H(); ++y) {
    for (int x = 0; x < W(); ++x) {
      const auto k = static_cast<std::size_t>(y * W() + x);
      if (outline[k] || !InWindingPolygon(ref.region, x, y)) continue;
      ++interior;
      EXPECT_EQ(drawn.pixels[k], kBack) << "interior pixel (" << x << "," << y << ") painted";
    }
  }
  EXPECT_GT(interior, W() * H() / 4);
}

TEST_P(ArrowTest, HandsTheWindowANewRegionOnEveryPaint) {
  host_.window().SetWindowRgn(host_.window().gdi().CreateRectRgn(0, 0, 2, 2), false);
  const Region* before = host_.region();
  host_.Render(shape(), {.style = 1});
  const Region* first = host_.region();
  ASSERT_NE(first, nullptr);
  EXPECT_NE(first, before);
  EXPECT_FALSE(first->PtInRegion(0, 0));  // every arrow leaves a corner out
  host_.Render(shape(), {.style = 1});
  EXPECT_NE(host_.region(), first);
}

std::string ParamName(const ::testing::TestParamInfo<ArrowParam>& info) {
  static const char* const kNames[] = {"Up", "Left", "Right", "Down"};
  const Size size = std::get<1>(info.param);
  return std::string(kNames[std::get<0>(info.param) - 8]) + "_" + std::to_string(size.cx) + "x" +
         std::to_string(size.cy);
}

INSTANTIATE_TEST_SUITE_P(Arrows, ArrowTest,
                         ::testing::Combine(::testing::Values(8, 9, 10, 11),
                                            ::testing::Values(Size{25, 25}, Size{26, 26},
                                                              Size{27, 27}, Size{40, 40},
                                                              Size{33, 26})),
                         ParamName);

// The documented corner cases, with explicit pixels.

TEST(ArrowUp, At25RegionAndOutlineFollowTheCorners) {
  ArrowHost host(25, 25);
  host.Render(8, {.style = 5});
  for (Point p : {Point{12, 1}, Point{1, 16}, Point{8, 16}, Point{8, 24}, Point{16, 24},
                  Point{16, 16}, Point{24, 16}, Point{12, 24}}) {
    EXPECT_EQ(host.Pixel(p.x, p.y), kEntryPen) << "(" << p.x << "," << p.y << ")";
  }
  EXPECT_EQ(host.Pixel(17, 24), kBack);
  EXPECT_EQ(host.Pixel(12, 12), kBack);
  const Region* region = host.region();
  ASSERT_NE(region, nullptr);
  for (Point p : {Point{12, 1}, Point{1, 16}, Point{24, 16}, Point{8, 17}, Point{16, 17},
                  Point{8, 24}, Point{16, 24}}) {
    EXPECT_TRUE(region->PtInRegion(p.x, p.y)) << "(" << p.x << "," << p.y << ")";
  }
  for (Point p : {Point{12, 0}, Point{0, 16}, Point{25, 16}, Point{7, 17}, Point{17, 17},
                  Point{8, 25}, Point{17, 24}}) {
    EXPECT_FALSE(region->PtInRegion(p.x, p.y)) << "(" << p.x << "," << p.y << ")";
  }
}

TEST(ArrowUp, At26TheShaftBottomRisesByOnePixel) {
  ArrowHost host(26, 26);
  host.Render(8, {.style = 5});
  // (9, 25) -> (16, 24): row 25 up to x = 12, then row 24.
  for (int x = 9; x <= 12; ++x) EXPECT_EQ(host.Pixel(x, 25), kEntryPen) << x;
  for (int x = 13; x <= 16; ++x) {
    EXPECT_EQ(host.Pixel(x, 24), kEntryPen) << x;
    EXPECT_EQ(host.Pixel(x, 25), kBack) << x;
  }
}

TEST(ArrowUp, Style1RaisedDrawsTheShadowOverTheHighlight) {
  ArrowHost host(25, 25);
  host.Render(8, {.style = 1});
  EXPECT_EQ(host.Pixel(8, 23), Translate(kShadow));  // A and N both pass (x1, H-2)
  EXPECT_EQ(host.Pixel(8, 22), Translate(kHighlight));
}

TEST(ArrowRightAndDown, At27Style7TurnsOnTheLowerHalf) {
  ArrowHost right(27, 27);
  right.Render(10, {.style = 7});
  EXPECT_EQ(right.Pixel(25, 12), ColorRef{0xFFFFFF});
  EXPECT_EQ(right.Pixel(26, 14), kEntryPen);  // the outline's tip on xm = ym = 14
  ArrowHost down(27, 27);
  down.Render(11, {.style = 7});
  EXPECT_EQ(down.Pixel(12, 25), ColorRef{0xFFFFFF});
  EXPECT_EQ(down.Pixel(14, 26), kEntryPen);
}

TEST(ArrowUp, At25TheFocusRingIsDegenerateButDrawn) {
  ArrowHost host(25, 25);
  const Drawn drawn = host.Render(8, {.style = 1, .focus = true});
  EXPECT_EQ(drawn.pen, kRing);
  // x1+4 = x2-5 = 12: the shaft of the ring is the single column 12 from row 12 to row 20.
  for (int y = 12; y <= 20; ++y) EXPECT_EQ(host.Pixel(12, y), kRing) << y;
}

}  // namespace
}  // namespace fw
