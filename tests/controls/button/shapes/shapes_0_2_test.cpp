// The rectangle, rounded rectangle and ellipse renderers of the Button, driven directly on a
// cleared surface: their outlines, window regions, style lines per state and focus rings.
//
// Two kinds of check. Explicit ones name pixels and region points outright. The sweep writes
// each renderer's table out as calls of the reference painter (shape_test_support.h) and
// compares every pixel of the surface, the window region and the pen colour left selected,
// for every style, every state and several sizes.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/controls/button/shapes/shape_test_support.h"

namespace fw::test::shapes {
namespace {

using button_shapes::ShapeState;

constexpr ColorValue kSys16 = 0x80000000u + 16;  // button shadow
constexpr ColorValue kSys20 = 0x80000000u + 20;  // button highlight
constexpr ColorValue kSys21 = 0x80000000u + 21;  // dark 3D shadow
constexpr ColorValue kRing = 0xD1D1D1;
constexpr ColorValue kStyle7Pressed = 0xCFB073;
constexpr ColorValue kStyle7Ring = 0xFFFFFF;
constexpr ColorValue kStyle7Focus = 0xFECC04;

// c1..c5 of style 6.
struct Five {
  ColorValue c1, c2, c3, c4, c5;
};
constexpr Five kOrange{0x109ADC, 0x31B2F0, 0x90D6F7, 0xCEF3FF, 0x8CDBFF};
constexpr Five kBlue{0xD98D59, 0xE2A981, 0xF0D1B5, 0xF7D7BD, 0xFFE7CE};

int r(double x) {
  return RoundHalfEven(x);
}

enum class Look { Pressed, Hover, Normal };
Look LookOf(const ShapeState& s) {
  if (s.pressed) return Look::Pressed;
  if (s.hover) return Look::Hover;
  return Look::Normal;
}
bool Focused(const ShapeState& s) {
  return s.focus_rect && s.focus;
}
bool Ring(const ShapeState& s) {
  return s.style != 4 && s.style != 6 && s.style != 7 && Focused(s);
}
// The style-6 set for a state that is not pressed, or null.
const Five* Style6Set(const ShapeState& s) {
  if (LookOf(s) == Look::Hover) return &kOrange;
  if (LookOf(s) == Look::Normal && Focused(s)) return &kBlue;
  return nullptr;
}

// ---- The three tables, as reference calls ----------------------------------------------------

void ExpectRectangle(Sketch& k, const ShapeState& s) {
  const int W = k.W(), H = k.H();
  k.Continue({{0, H - 1}, {W - 1, H - 1}, {W - 1, 0}, {0, 0}});
  const Look look = LookOf(s);
  if (s.style == 1 && look == Look::Pressed) {
    k.Run(kSys21, {{W - 1, 0}, {0, 0}, {0, H - 1}});
    k.Run(kSys16, {{W - 1, 1}, {1, 1}, {1, H - 1}});
  } else if (s.style == 1) {
    k.Run(kSys16, {{W - 2, 0}, {W - 2, H - 2}, {0, H - 2}});
    k.Run(kSys20, {{W - 1, 0}, {0, 0}, {0, H - 1}});
  } else if ((s.style == 2 || s.style == 3) && look == Look::Pressed) {
    k.Run(kSys21, {{W - 1, 0}, {0, 0}, {0, H - 1}});
  } else if (s.style == 2 || (s.style == 3 && look == Look::Hover)) {
    k.Run(kSys20, {{W - 1, 0}, {0, 0}, {0, H - 1}});
  } else if (s.style == 4 && s.enabled) {
    k.Run(kSys16, {{W - 2, 1}, {W - 2, H - 2}, {2, H - 2}});
    k.Run(kSys20, {{W - 1, 1}, {1, 1}, {1, H - 1}, {W - 1, H - 1}, {W - 1, 1}});
  } else if (s.style == 6 && look == Look::Pressed) {
    k.Run(kSys20, {{2, H - 3}, {W - 3, H - 3}, {W - 3, 2}});
  } else if (s.style == 6 && Style6Set(s) != nullptr) {
    const Five& c = *Style6Set(s);
    k.Run(c.c1, {{W - 2, H - 2}, {0, H - 2}});
    k.Run(c.c2, {{1, 1}, {1, H - 3}, {W - 2, H - 3}, {W - 2, 1}});
    k.Run(c.c3, {{2, 2}, {2, H - 3}});
    k.Run({{W - 3, H - 4}, {W - 3, 2}});
    k.Run(c.c4, {{1, 1}, {W - 1, 1}});
    k.Run(c.c5, {{2, 2}, {W - 2, 2}});
  } else if (s.style == 7) {
    const ColorValue first = look == Look::Pressed ? kStyle7Pressed : kStyle7Ring;
    k.Run(first, {{1, 1}, {1, H - 2}, {W - 2, H - 2}, {W - 2, 1}, {1, 1}});
    if (look != Look::Pressed && Focused(s)) {
      k.Run(kStyle7Focus, {{1, 1}, {1, H - 2}, {W - 2, H - 2}, {W - 2, 1}, {1, 1}});
    }
  }
  if (Ring(s)) k.Run(kRing, {{4, 4}, {4, H - 5}, {W - 5, H - 5}, {W - 5, 4}, {4, 4}});
}

// Top edge, top-left corner, left edge, then one lower-left arc: styles 2 and 3.
void RoundedTopLeft(Sketch& k) {
  const int W = k.W(), H = k.H();
  k.Run({{10, 0}, {W - 8, 0}});
  k.Arc(17, 17, 0, 0, 10, 0, 0, 10);
  k.Run({{0, 10}, {0, H - 10}});
  k.Arc(17, H - 17, 0, H - 1, -16, H - 16, 9, H - 1);
}

void ExpectRoundedRectangle(Sketch& k, const ShapeState& s) {
  const int W = k.W(), H = k.H();
  k.RoundRect(0, 0, W - 1, H - 1, 16, 16);
  const Look look = LookOf(s);
  switch (s.style) {
    case 1:
      if (look == Look::Pressed) {
        k.Pen(kSys21);
        k.Run({{10, 0}, {W - 8, 0}});
        k.Arc(17, 17, 0, 0, 10, 0, 0, 10);
        k.Run({{0, 10}, {0, H - 10}});
        k.Arc(17, H - 17, 0, H - 1, -16, H - 16, 9, H);
        k.Arc(16, H - 16, 0, H - 2, -16, H - 16, 8, H);
        k.Pen(kSys16);
        k.Run({{10, 1}, {W - 8, 1}});
        k.Arc(17, 17, 1, 1, 10, 1, 1, 10);
        k.Run({{1, 10}, {1, H - 10}});
        k.Arc(17, H - 16, 1, H - 2, -16, H - 16, 9, H - 1);
      } else {
        k.Pen(kSys16);
        k.RoundRect(0, 0, W - 2, H - 2, 15, 15);
        k.Pen(kSys20);
        k.Run({{10, 0}, {W - 8, 0}});
        k.Arc(17, 17, 0, 0, 10, 0, 0, 10);
        k.Run({{0, 10}, {0, H - 10}});
        k.Arc(17, H - 17, 0, H - 2, -16, H - 16, 9, H - 1);
        k.Arc(17, H - 17, 0, H - 1, -16, H - 16, 9, H - 1);
      }
      break;
    case 2:
      k.Pen(look == Look::Pressed ? kSys21 : kSys20);
      RoundedTopLeft(k);
      break;
    case 3:
      if (look != Look::Normal) {
        k.Pen(look == Look::Pressed ? kSys21 : kSys20);
        RoundedTopLeft(k);
      }
      break;
    case 4:
      if (s.enabled) {
        k.Pen(kSys16);
        k.RoundRect(0, 0, W - 2, H - 2, 16, 16);
        k.Pen(kSys20);
        k.RoundRect(1, 1, W - 1, H - 1, 16, 16);
      }
      break;
    case 6:
      if (look == Look::Pressed) {
        k.Pen(kSys20);
        k.Arc(W - 17, H - 17, W - 3, H - 3, W - 10, H - 3, W - 2, H - 10);
        k.Run({{W - 9, H - 4}, {8, H - 4}});
        k.Run({{W - 4, 4}, {W - 4, H - 9}});
      } else if (const Five* c = Style6Set(s)) {
        k.Pen(c->c1);
        k.Arc(16, H - 17, 1, H - 2, -17, H, 8, H - 1);
        k.Run({{W - 8, H - 3}, {8, H - 3}});
        k.Arc(W - 17, H - 17, W - 2, H - 2, W - 10, H - 2, W - 1, H - 10);
        k.Pen(c->c2);
        k.Arc(17, H - 18, 1, H - 3, -18, H, 10, look == Look::Hover ? H - 1 : H);
        k.Run({{1, 6}, {1, H - 8}});
        k.Run({{W - 8, H - 4}, {8, H - 4}});
        k.Arc(W - 17, H - 17, W - 3, H - 3, W - 10, H - 2, W - 1, H - 10);
        k.Run({{W - 3, 6}, {W - 3, H - 8}});
        k.Pen(c->c3);
        k.Run({{2, 7}, {2, H - 7}});
        k.Run({{W - 4, 7}, {W - 4, H - 7}});
        k.Arc(17, 17, 1, 1, 8, 0, 0, 8);
        k.Arc(W - 17, 17, W - 2, 1, W - 1, 8, W - 12, 1);
        k.Arc(W - 17, 17, W - 3, 2, W - 1, 8, W - 12, 1);
        k.Arc(17, 17, 2, 2, 8, 0, 0, 8);
        k.Run(c->c4, {{10, 1}, {W - 7, 1}});
        k.Run(c->c5, {{10, 2}, {W - 8, 2}});
      }
      break;
    case 7:
      k.Pen(look == Look::Pressed ? kStyle7Pressed : kStyle7Ring);
      k.RoundRect(1, 1, W - 2, H - 2, 14, 14);
      if (look != Look::Pressed && Focused(s)) {
        k.Pen(kStyle7Focus);
        k.RoundRect(1, 1, W - 2, H - 2, 14, 14);
      }
      break;
    default:
      break;
  }
  if (Ring(s)) {
    k.Pen(kRing);
    k.RoundRect(4, 4, W - 5, H - 5, 15, 15);
  }
}

void ExpectEllipse(Sketch& k, const ShapeState& s) {
  const int W = k.W(), H = k.H();
  k.RoundRect(1, 1, W - 2, H - 2, W - 2, H - 2);
  const Look look = LookOf(s);
  switch (s.style) {
    case 1:
      if (look == Look::Pressed) {
        k.Pen(kSys21);
        k.Arc(W - 2, H - 2, 1, 1, W - 2, 1, 1, H - 2);
        k.Pen(kSys16);
        k.Arc(W - 3, H - 3, 2, 2, W - 3, 2, 2, H - 3);
      } else {
        k.Pen(kSys16);
        k.Arc(1, 1, W - 3, H - 3, r(W / 3.0), r(H / 2.0), W - 3, 1);
        k.Pen(kSys20);
        k.Arc(W - 2, H - 2, 1, 1, W - 2, 1, 1, H - 2);
      }
      break;
    case 2:
    case 3:
      if (s.style == 2 || look != Look::Normal) {
        k.Pen(look == Look::Pressed ? kSys21 : kSys20);
        k.Arc(W - 2, H - 2, 1, 1, W - 2, 1, 1, H - 2);
      }
      break;
    case 4:
      if (s.enabled) {
        k.Pen(kSys16);
        k.Arc(W - 3, H - 3, 2, 2, r(W / 2.0), H - 3, r(W / 2.0), 3);
        k.Pen(kSys20);
        k.Arc(W - 3, H - 3, 2, 2, r(W / 2.0), 2, r(W / 2.0), H - 2);
        k.Arc(W - 2, H - 2, 1, 1, r(W / 2.0), H - 2, r(W / 2.0), 2);
      }
      break;
    case 6:
      if (look == Look::Pressed) {
        k.Pen(kSys20);
        k.Arc(W - 4, H - 4, 3, 3, r(W / 2.0), H - 2, r(W / 2.0), 3);
      } else if (const Five* c = Style6Set(s)) {
        k.Pen(c->c1);
        k.Arc(2, 2, W - 3, H - 3, 2, H - 3, W - 3, H - 3);
        k.Pen(c->c2);
        k.Arc(2, 2, W - 3, H - 4, 3, 3, W - 2, 4);
        k.Pen(c->c3);
        k.Arc(3, 3, W - 4, H - 3, 2, 3, W - 2, 3);
        k.Pen(c->c4);
        k.Arc(W - 3, H - 2, 2, 2, W - 3, 3, 3, 3);
        k.Pen(c->c5);
        k.Arc(W - 3, H - 3, 3, 3, W - 3, 4, 4, 4);
      }
      break;
    case 7:
      k.Pen(look == Look::Pressed ? kStyle7Pressed : kStyle7Ring);
      k.RoundRect(2, 2, W - 3, H - 3, W - 3, H - 3);
      if (look != Look::Pressed && Focused(s)) {
        k.Pen(kStyle7Focus);
        k.RoundRect(2, 2, W - 3, H - 3, W - 3, H - 3);
      }
      break;
    default:
      break;
  }
  if (Ring(s)) {
    k.Pen(kRing);
    k.RoundRect(4, 4, W - 5, H - 5, W - 5, H - 5);
  }
}

Sketch Expected(std::int32_t shape, int w, int h, const ShapeState& s) {
  Sketch k = Expect(w, h);
  if (shape == 0) ExpectRectangle(k, s);
  if (shape == 1) ExpectRoundedRectangle(k, s);
  if (shape == 2) ExpectEllipse(k, s);
  return k;
}

std::string Describe(const ShapeState& s) {
  return "style " + std::to_string(s.style) + (s.pressed ? " pressed" : "") +
         (s.hover ? " hover" : "") + (s.focus ? " focus" : "") +
         (s.focus_rect ? "" : " FocusRect=False") + (s.enabled ? "" : " disabled");
}

// ---- The sweep ---------------------------------------------------------------------------------

struct Case {
  std::int32_t shape;
  int w;
  int h;
};

class ShapeSweepTest : public ShapeTest, public ::testing::WithParamInterface<Case> {};

TEST_P(ShapeSweepTest, EveryStyleAndStateDrawsItsTable) {
  const Case c = GetParam();
  int checked = 0;
  int failures = 0;
  for (std::int32_t style : {1, 2, 3, 4, 5, 6, 7, 8, 0, 9, -1}) {
    for (int bits = 0; bits < 32; ++bits) {
      const ShapeState s = StyleState(style, (bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0,
                                      (bits & 8) != 0, (bits & 16) != 0);
      UserControl& window = Render(c.w, c.h, c.shape, s);
      const Sketch expected = Expected(c.shape, c.w, c.h, s);
      const std::string diff = Differences(SurfacePixels(window), expected);
      ++checked;
      if (!diff.empty() || window.ForeColor() != expected.PenColor()) {
        if (++failures <= 5) {
          ADD_FAILURE() << Describe(s) << ": " << diff << " pen 0x" << std::hex
                        << window.ForeColor() << " expected 0x" << expected.PenColor();
        }
      }
    }
  }
  EXPECT_EQ(failures, 0) << "of " << checked << " pictures";
}

TEST_P(ShapeSweepTest, WindowRegionIsTheShape) {
  const Case c = GetParam();
  for (bool pressed : {false, true}) {
    Render(c.w, c.h, c.shape, StyleState(1, pressed));
    switch (c.shape) {
      case 0:
        EXPECT_EQ(WindowRegion(), nullptr);
        break;
      case 1:
        EXPECT_EQ(
            Differences(WindowRegion(), RoundRectRegionMask(c.w, c.h, 0, 0, c.w, c.h, 15, 15)), "");
        break;
      default:
        EXPECT_EQ(Differences(WindowRegion(), EllipticRegionMask(c.w, c.h)), "");
        EXPECT_EQ(
            Differences(WindowRegion(), RoundRectRegionMask(c.w, c.h, 0, 0, c.w, c.h, c.w, c.h)),
            "");
        break;
    }
  }
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  static const char* const kNames[] = {"Rectangle", "RoundedRectangle", "Ellipse"};
  return std::string(kNames[info.param.shape]) + "_" + std::to_string(info.param.w) + "x" +
         std::to_string(info.param.h);
}

INSTANTIATE_TEST_SUITE_P(Rectangle, ShapeSweepTest,
                         ::testing::Values(Case{0, 25, 25}, Case{0, 26, 26}, Case{0, 27, 27},
                                           Case{0, 40, 40}, Case{0, 100, 40}, Case{0, 31, 57}),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(RoundedRectangle, ShapeSweepTest,
                         ::testing::Values(Case{1, 25, 25}, Case{1, 26, 26}, Case{1, 27, 27},
                                           Case{1, 40, 40}, Case{1, 100, 40}, Case{1, 31, 57}),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(Ellipse, ShapeSweepTest,
                         ::testing::Values(Case{2, 25, 25}, Case{2, 26, 26}, Case{2, 27, 27},
                                           Case{2, 40, 40}, Case{2, 41, 41}),
                         CaseName);

// ---- Explicit pixels ---------------------------------------------------------------------------

class Shapes02Test : public ShapeTest {
 protected:
  ColorRef At(int x, int y) { return host_.WindowOf("Button1").hDC().GetPixel(x, y); }
  static ColorRef Sys(int n) { return GetSysColor(n); }
  // Every pixel of [x0, x1] x [y0, y1] has colour `c`.
  void ExpectBlock(int x0, int y0, int x1, int y1, ColorRef c) {
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        ASSERT_EQ(At(x, y), c) << "at (" << x << ", " << y << ")";
      }
    }
  }
};

TEST_F(Shapes02Test, RectangleOutlineCoversTheWholeOuterRing) {
  Render(100, 40, 0, StyleState(5));
  for (int x = 0; x < 100; ++x) {
    EXPECT_EQ(At(x, 0), kEntryPen) << x;
    EXPECT_EQ(At(x, 39), kEntryPen) << x;
  }
  for (int y = 0; y < 40; ++y) {
    EXPECT_EQ(At(0, y), kEntryPen) << y;
    EXPECT_EQ(At(99, y), kEntryPen) << y;
  }
  ExpectBlock(1, 1, 98, 38, kBackground);  // nothing inside is filled
  EXPECT_EQ(WindowRegion(), nullptr);
  EXPECT_EQ(host_.WindowOf("Button1").ForeColor(), kEntryPen);
}

TEST_F(Shapes02Test, RectangleAfterRoundedRectangleUnclipsTheWindow) {
  Render(60, 30, 1, StyleState(1));
  ASSERT_NE(WindowRegion(), nullptr);
  EXPECT_FALSE(WindowRegion()->PtInRegion(0, 0));
  Render(60, 30, 0, StyleState(1));
  EXPECT_EQ(WindowRegion(), nullptr);
}

TEST_F(Shapes02Test, EachPaintHandsTheWindowANewRegion) {
  Render(40, 40, 2, StyleState(1));
  const Region* first = WindowRegion();
  ASSERT_NE(first, nullptr);
  Render(40, 40, 2, StyleState(1));
  EXPECT_NE(WindowRegion(), nullptr);
  EXPECT_NE(WindowRegion(), first);
}

TEST_F(Shapes02Test, RectangleStyle1RaisedAndSunken) {
  const int W = 60, H = 30;
  Render(W, H, 0, StyleState(1));
  EXPECT_EQ(At(30, 0), Sys(20));  // top edge highlight
  EXPECT_EQ(At(0, 15), Sys(20));  // left edge highlight
  EXPECT_EQ(At(0, H - 2), Sys(20));
  EXPECT_EQ(At(0, H - 1), kEntryPen);  // the highlight's end point stays outline
  EXPECT_EQ(At(W - 1, 0), Sys(20));
  EXPECT_EQ(At(W - 1, 1), kEntryPen);
  EXPECT_EQ(At(W - 2, 15), Sys(16));  // inner right shadow
  EXPECT_EQ(At(30, H - 2), Sys(16));  // inner bottom shadow
  EXPECT_EQ(At(W - 2, H - 2), Sys(16));
  EXPECT_EQ(At(30, H - 1), kEntryPen);
  EXPECT_EQ(At(W - 3, H - 3), kBackground);

  Render(W, H, 0, StyleState(1, /*pressed=*/true));
  EXPECT_EQ(At(30, 0), Sys(21));
  EXPECT_EQ(At(0, 15), Sys(21));
  EXPECT_EQ(At(30, 1), Sys(16));
  EXPECT_EQ(At(1, 15), Sys(16));
  EXPECT_EQ(At(W - 2, 15), kBackground);
  EXPECT_EQ(At(30, H - 2), kBackground);
}

TEST_F(Shapes02Test, RectangleStyle3OnlyHoverAndPressedDrawLines) {
  const int W = 50, H = 30;
  Render(W, H, 0, StyleState(3));
  ExpectBlock(1, 0, W - 1, 0, kEntryPen);
  ExpectBlock(0, 1, 0, H - 1, kEntryPen);
  ExpectBlock(1, 1, W - 2, H - 2, kBackground);

  Render(W, H, 0, StyleState(3, false, /*hover=*/true));
  ExpectBlock(0, 0, W - 1, 0, Sys(20));
  ExpectBlock(0, 0, 0, H - 2, Sys(20));
  EXPECT_EQ(At(0, H - 1), kEntryPen);
  ExpectBlock(1, 1, W - 2, H - 2, kBackground);

  Render(W, H, 0, StyleState(3, /*pressed=*/true, /*hover=*/true));
  ExpectBlock(0, 0, W - 1, 0, Sys(21));
  ExpectBlock(0, 0, 0, H - 2, Sys(21));
}

TEST_F(Shapes02Test, RectangleStyle4FollowsEnabledNotTheState) {
  const int W = 50, H = 30;
  for (bool pressed : {false, true}) {
    Render(W, H, 0, StyleState(4, pressed, false, true));
    EXPECT_EQ(At(W - 2, 10), Sys(16));
    EXPECT_EQ(At(20, H - 2), Sys(16));
    EXPECT_EQ(At(3, H - 2), Sys(16));
    EXPECT_EQ(At(2, H - 2), kBackground);  // the shadow's end point is left out
    EXPECT_EQ(At(1, H - 2), Sys(20));
    EXPECT_EQ(At(20, 1), Sys(20));
    EXPECT_EQ(At(W - 1, 10), Sys(20));
    EXPECT_EQ(At(20, H - 1), Sys(20));
    EXPECT_EQ(At(W - 1, 0), kEntryPen);
    EXPECT_EQ(At(4, 4), kBackground);  // no focus ring for style 4
  }
  Render(W, H, 0, StyleState(4, false, false, false, true, /*enabled=*/false));
  ExpectBlock(1, 1, W - 2, H - 2, kBackground);
}

TEST_F(Shapes02Test, RectangleStyle6ColourSets) {
  const int W = 50, H = 30;
  const auto probe = [&](const Five& c) {
    EXPECT_EQ(At(25, H - 2), c.c1);
    EXPECT_EQ(At(1, 15), c.c2);
    EXPECT_EQ(At(25, H - 3), c.c2);
    EXPECT_EQ(At(W - 2, 15), c.c2);
    EXPECT_EQ(At(2, 15), c.c3);
    EXPECT_EQ(At(W - 3, 15), c.c3);
    EXPECT_EQ(At(25, 1), c.c4);
    EXPECT_EQ(At(25, 2), c.c5);
    EXPECT_EQ(At(25, 15), kBackground);
  };
  Render(W, H, 0, StyleState(6));
  ExpectBlock(1, 1, W - 2, H - 2, kBackground);
  Render(W, H, 0, StyleState(6, false, false, /*focus=*/true, /*focus_rect=*/false));
  ExpectBlock(1, 1, W - 2, H - 2, kBackground);
  Render(W, H, 0, StyleState(6, false, false, /*focus=*/true));
  probe(kBlue);
  Render(W, H, 0, StyleState(6, false, /*hover=*/true, /*focus=*/true));
  probe(kOrange);
  Render(W, H, 0, StyleState(6, false, /*hover=*/true));
  probe(kOrange);
  Render(W, H, 0, StyleState(6, /*pressed=*/true, true, true));
  EXPECT_EQ(At(25, H - 3), Sys(20));
  EXPECT_EQ(At(W - 3, 15), Sys(20));
  EXPECT_EQ(At(25, 1), kBackground);
  EXPECT_EQ(At(4, 4), kBackground);  // no focus ring for style 6
}

TEST_F(Shapes02Test, Style7InnerRing) {
  for (std::int32_t shape : {0, 1}) {
    const int W = 50, H = 30;
    // The rectangle's ring runs through (W - 2, H - 2); RoundRect(1, 1, W - 2, H - 2) stops a
    // pixel short of it.
    const int far = shape == 0 ? 2 : 3;
    Render(W, H, shape, StyleState(7));
    EXPECT_EQ(At(25, 1), kStyle7Ring) << shape;
    Render(W, H, shape, StyleState(7, false, false, /*focus=*/true));
    EXPECT_EQ(At(25, 1), kStyle7Focus) << shape;
    EXPECT_EQ(At(25, H - far), kStyle7Focus) << shape;
    EXPECT_EQ(At(1, 15), kStyle7Focus) << shape;
    EXPECT_EQ(At(W - far, 15), kStyle7Focus) << shape;
    EXPECT_EQ(At(25, 4), kBackground) << shape;  // no focus ring for style 7
    EXPECT_EQ(host_.WindowOf("Button1").ForeColor(), kStyle7Focus);
    Render(W, H, shape, StyleState(7, /*pressed=*/true, false, true));
    EXPECT_EQ(At(25, 1), kStyle7Pressed) << shape;
    EXPECT_EQ(host_.WindowOf("Button1").ForeColor(), kStyle7Pressed);
  }
  Render(40, 40, 2, StyleState(7, false, true, true));
  EXPECT_EQ(At(19, 2), kStyle7Focus);  // Ellipse(2, 2, 37, 37): top row at y = 2
  EXPECT_EQ(At(2, 19), kStyle7Focus);
}

TEST_F(Shapes02Test, FocusRingAtFourPixelsInside) {
  const int W = 60, H = 40;
  // Rectangle: the frame from (4, 4) to (W - 5, H - 5), every pixel of it.
  Render(W, H, 0, StyleState(1, false, false, true));
  ExpectBlock(4, 4, W - 5, 4, kRing);
  ExpectBlock(4, H - 5, W - 5, H - 5, kRing);
  ExpectBlock(4, 4, 4, H - 5, kRing);
  ExpectBlock(W - 5, 4, W - 5, H - 5, kRing);
  ExpectBlock(5, 5, W - 6, H - 6, kBackground);
  EXPECT_EQ(At(3, 20), kBackground);
  EXPECT_EQ(At(W - 4, 20), kBackground);
  EXPECT_EQ(host_.WindowOf("Button1").ForeColor(), kRing);

  // Rounded rectangle: RoundRect(4, 4, W - 5, H - 5) covers columns 4 .. W - 6.
  Render(W, H, 1, StyleState(5, false, false, true));
  EXPECT_EQ(At(30, 4), kRing);
  EXPECT_EQ(At(30, H - 6), kRing);
  EXPECT_EQ(At(4, 20), kRing);
  EXPECT_EQ(At(W - 6, 20), kRing);
  EXPECT_EQ(At(W - 5, 20), kBackground);
  EXPECT_EQ(At(30, 5), kBackground);
  EXPECT_EQ(At(4, 4), kBackground);  // a rounded corner

  // Ellipse: Ellipse(4, 4, 35, 35) on a 40-pixel circle, centre (19, 19).
  Render(40, 40, 2, StyleState(2, false, false, true));
  EXPECT_EQ(At(19, 4), kRing);
  EXPECT_EQ(At(4, 19), kRing);
  EXPECT_EQ(At(34, 19), kRing);
  EXPECT_EQ(At(19, 34), kRing);
  EXPECT_EQ(At(19, 19), kBackground);

  // FocusRect False, or no focus: no ring.
  Render(W, H, 0, StyleState(1, false, false, true, /*focus_rect=*/false));
  EXPECT_EQ(At(20, 4), kBackground);
  EXPECT_EQ(host_.WindowOf("Button1").ForeColor(), kSys20);
  Render(W, H, 0, StyleState(8, false, true, false));
  EXPECT_EQ(At(20, 4), kBackground);
  Render(W, H, 0, StyleState(8, false, true, true));
  EXPECT_EQ(At(20, 4), kRing);
}

TEST_F(Shapes02Test, RoundedRectangleOutline100x40) {
  // RoundRect(0, 0, 99, 39, 16, 16): drawn columns per row.
  Render(100, 40, 1, StyleState(5));
  const std::vector<std::vector<int>> rows = {{}, {4, 94}, {2, 3, 95, 96}, {2, 96}, {1, 97}};
  for (int y = 0; y < 40; ++y) {
    std::vector<int> want;
    if (y == 0 || y == 38) {
      for (int x = 5; x <= 93; ++x) want.push_back(x);
    } else if (y < 5) {
      want = rows[static_cast<std::size_t>(y)];
    } else if (y > 33 && y < 38) {
      want = rows[static_cast<std::size_t>(38 - y)];
    } else if (y <= 33) {
      want = {0, 98};
    }
    std::vector<int> got;
    for (int x = 0; x < 100; ++x) {
      if (At(x, y) == kEntryPen) got.push_back(x);
    }
    EXPECT_EQ(got, want) << "row " << y;
  }
}

TEST_F(Shapes02Test, EllipseOutline40) {
  // RoundRect(1, 1, 38, 38, 38, 38) = Ellipse(1, 1, 38, 38): drawn columns per row, upper half.
  Render(40, 40, 2, StyleState(5));
  const std::vector<std::pair<int, int>> half = {
      {-1, -1}, {15, 23}, {12, 26}, {10, 28}, {9, 29}, {8, 30}, {7, 31}, {6, 32}, {5, 33}, {4, 34},
      {3, 35},  {3, 35},  {2, 36},  {2, 36},  {2, 36}, {1, 37}, {1, 37}, {1, 37}, {1, 37}, {1, 37}};
  for (int y = 0; y < 40; ++y) {
    std::vector<int> want;
    const int mirror = y <= 19 ? y : 38 - y;
    if (y >= 1 && y <= 37) {
      const auto [a, b] = half[static_cast<std::size_t>(std::min(mirror, 19))];
      if (mirror == 1) {
        for (int x = a; x <= b; ++x) want.push_back(x);
      } else if (mirror == 2) {
        want = {12, 13, 14, 24, 25, 26};
      } else if (mirror == 3) {
        want = {10, 11, 27, 28};
      } else {
        want = {a, b};
      }
    }
    std::vector<int> got;
    for (int x = 0; x < 40; ++x) {
      if (At(x, y) == kEntryPen) got.push_back(x);
    }
    EXPECT_EQ(got, want) << "row " << y;
  }
}

TEST_F(Shapes02Test, RoundedRectangleStyle2TopLeftCorner) {
  // Arc(17, 17, 0, 0, 10, 0, 0, 10) draws (10,0) (9,0) (8,0) (7,0) (6,0) (5,1) (4,1) (3,2)
  // (2,3) (1,4) (1,5) (0,6) (0,7) (0,8) (0,9); the lines go on along row 0 and column 0.
  const int W = 100, H = 40;
  Render(W, H, 1, StyleState(2, false, true));
  const std::vector<Point> corner = {{9, 0}, {8, 0}, {7, 0}, {6, 0}, {5, 1}, {4, 1}, {3, 2},
                                     {2, 3}, {1, 4}, {1, 5}, {0, 6}, {0, 7}, {0, 8}, {0, 9}};
  for (const Point& p : corner) EXPECT_EQ(At(p.x, p.y), Sys(20)) << p.x << "," << p.y;
  ExpectBlock(10, 0, W - 9, 0, Sys(20));
  ExpectBlock(0, 10, 0, H - 11, Sys(20));
  EXPECT_EQ(At(5, 0), kEntryPen);      // the outline's first top pixel stays
  EXPECT_EQ(At(W - 8, 0), kEntryPen);  // the line's end point is left out
  EXPECT_EQ(At(2, 2), kEntryPen);
  EXPECT_EQ(At(W - 2, 20), kEntryPen);  // the right side is outline only
  EXPECT_EQ(At(50, 20), kBackground);
}

TEST_F(Shapes02Test, EllipseStyle2UpperLeftHalf) {
  Render(40, 40, 2, StyleState(2));
  // Arc(38, 38, 1, 1, 38, 1, 1, 38) over Ellipse(1, 1, 38, 38): the top, the left side.
  EXPECT_EQ(At(19, 1), Sys(20));
  EXPECT_EQ(At(1, 19), Sys(20));
  EXPECT_EQ(At(37, 19), kEntryPen);
  EXPECT_EQ(At(19, 37), kEntryPen);
  Render(40, 40, 2, StyleState(2, true));
  EXPECT_EQ(At(19, 1), Sys(21));
  EXPECT_EQ(At(1, 19), Sys(21));
}

TEST_F(Shapes02Test, StylesWithoutLinesDrawOnlyTheOutline) {
  for (std::int32_t shape : {0, 1, 2}) {
    for (std::int32_t style : {5, 8, 0, 12, -3}) {
      Render(40, 40, shape, StyleState(style, true, true));
      const Sketch outline = [&] {
        Sketch k = Expect(40, 40);
        if (shape == 0) k.Continue({{0, 39}, {39, 39}, {39, 0}, {0, 0}});
        if (shape == 1) k.RoundRect(0, 0, 39, 39, 16, 16);
        if (shape == 2) k.RoundRect(1, 1, 38, 38, 38, 38);
        return k;
      }();
      EXPECT_EQ(Differences(SurfacePixels(host_.WindowOf("Button1")), outline), "")
          << "shape " << shape << " style " << style;
      EXPECT_EQ(host_.WindowOf("Button1").ForeColor(), kEntryPen);
    }
  }
}

TEST_F(Shapes02Test, SystemColourEntryPenIsTranslated) {
  Render(40, 30, 0, StyleState(5), kSys21);
  EXPECT_EQ(At(0, 0), Sys(21));
  EXPECT_EQ(At(39, 29), Sys(21));
  EXPECT_EQ(host_.WindowOf("Button1").ForeColor(), kSys21);
}

// ---- Explicit region points ----------------------------------------------------------------

struct RegionCase {
  int w;
  int h;
};

class RegionPointsTest : public ShapeTest, public ::testing::WithParamInterface<RegionCase> {};

TEST_P(RegionPointsTest, RoundedRectangleCornersAndEdges) {
  const int W = GetParam().w, H = GetParam().h;
  Render(W, H, 1, StyleState(1));
  const Region* rgn = WindowRegion();
  ASSERT_NE(rgn, nullptr);
  // CreateRoundRectRgn(0, 0, W, H, 15, 15) lies in [0, W - 1) x [0, H - 1); its corner rows are
  // inset by 5, 3, 2, 1, 1 from the top and bottom.
  for (Point p :
       {Point{0, 0}, Point{W - 1, 0}, Point{0, H - 1}, Point{W - 1, H - 1}, Point{W - 1, H / 2},
        Point{W / 2, H - 1}, Point{4, 0}, Point{W - 6, 0}, Point{0, 4}, Point{W - 2, 4},
        Point{4, H - 2}, Point{W - 6, H - 2}, Point{0, H - 6}, Point{W - 2, H - 6}, Point{1, 1},
        Point{-1, H / 2}, Point{W / 2, -1}}) {
    EXPECT_FALSE(rgn->PtInRegion(p.x, p.y)) << p.x << "," << p.y;
  }
  for (Point p : {Point{5, 0}, Point{W - 7, 0}, Point{W / 2, 0}, Point{3, 1}, Point{W - 5, 1},
                  Point{2, 2}, Point{1, 3}, Point{1, 4}, Point{0, 5}, Point{W - 2, 5},
                  Point{0, H / 2}, Point{W - 2, H / 2}, Point{0, H - 7}, Point{1, H - 6},
                  Point{W / 2, H - 2}, Point{5, H - 2}, Point{W - 7, H - 2}}) {
    EXPECT_TRUE(rgn->PtInRegion(p.x, p.y)) << p.x << "," << p.y;
  }
}

class EllipseRegionPointsTest : public ShapeTest, public ::testing::WithParamInterface<int> {};

TEST_P(EllipseRegionPointsTest, CornersAndEdges) {
  const int W = GetParam();
  Render(W, W, 2, StyleState(1));
  const Region* rgn = WindowRegion();
  ASSERT_NE(rgn, nullptr);
  // CreateEllipticRgn(0, 0, W, W): a circle in [0, W - 1)^2; the top row spans
  // [9, 15) at 25, [9, 16) at 26, [10, 16) at 27.
  const int top_from = W == 27 ? 10 : 9;
  const int top_to = W == 25 ? 15 : 16;
  const int mid = (W - 1) / 2;
  for (Point p : {Point{0, 0}, Point{W - 1, 0}, Point{0, W - 1}, Point{W - 1, W - 1},
                  Point{W - 2, W - 2}, Point{W - 1, mid}, Point{mid, W - 1}, Point{top_from - 1, 0},
                  Point{top_to, 0}, Point{top_from - 1, W - 2}, Point{3, 3}}) {
    EXPECT_FALSE(rgn->PtInRegion(p.x, p.y)) << p.x << "," << p.y;
  }
  for (Point p : {Point{top_from, 0}, Point{top_to - 1, 0}, Point{0, mid}, Point{W - 2, mid},
                  Point{mid, W - 2}, Point{top_from, W - 2}, Point{mid, mid}, Point{5, 5}}) {
    EXPECT_TRUE(rgn->PtInRegion(p.x, p.y)) << p.x << "," << p.y;
  }
}

std::string RegionCaseName(const ::testing::TestParamInfo<RegionCase>& param) {
  return std::to_string(param.param.w) + "x" + std::to_string(param.param.h);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RegionPointsTest,
                         ::testing::Values(RegionCase{25, 25}, RegionCase{26, 26},
                                           RegionCase{27, 27}, RegionCase{100, 40}),
                         RegionCaseName);
INSTANTIATE_TEST_SUITE_P(Sizes, EllipseRegionPointsTest, ::testing::Values(25, 26, 27));

}  // namespace
}  // namespace fw::test::shapes
