// The Button paint's style step: the border colours each ButtonStyle writes straight into the
// fields, and the overlay gradients A to D with their state colours and geometry.
#include <gtest/gtest.h>

#include "tests/controls/button/paint/paint_test_support.h"

namespace fw::test::paint {
namespace {

using ::testing::ElementsAre;

constexpr ColorRef kBack = 0x305070;
constexpr ColorRef kPressed = 0xC08040;
constexpr ColorRef kHover = 0x40E0A0;

struct Borders {
  ColorValue normal;
  ColorValue hover;
  ColorValue pressed;
  friend bool operator==(const Borders&, const Borders&) = default;
};

Borders BordersOf(const Button& b) {
  return {b.BorderColor(), b.BorderColorHover(), b.BorderColorPressed()};
}

class StyleOverlayTest : public PaintTest {
 protected:
  // An 80 x 33 rectangle in `style` with the test's own background colours (set after the
  // style's presets) and background scheme 1.
  Button& Place(std::int32_t style, std::int32_t shape = 0, const std::string& name = "Command1") {
    Button& b = PlacePlain(80, 33, shape, name);
    b.ButtonStyle(style);
    b.ButtonStyleColors(1);
    b.BackColor(kBack);
    b.BackColorPressed(kPressed);
    b.BackColorHover(kHover);
    return b;
  }
  void Hover() { MoveTo(40, 16); }
  void Press() {
    Hover();
    host_.MouseDown();
  }
};

// ---- Border colours ----

TEST_F(StyleOverlayTest, EachStyleWritesItsBorderColoursOnPaint) {
  const struct {
    std::int32_t style;
    Borders expected;
  } cases[] = {
      {1, {kSys21, kSys21, kSys20}},       {2, {kSys21, kSys21, kSys20}},
      {3, {kBack, kSys21, kSys20}},        {4, {kSys16, kSys16, kSys16}},
      {5, {kSys15, 0x000000, 0x000000}},   {6, {0x000000, 0x000000, 0x000000}},
      {7, {0x8F8F8E, 0xB17F3C, 0x5C411D}}, {8, {kBack, kHover, kPressed}},
  };
  for (const auto& c : cases) {
    Button& b = Place(c.style, 0, "Style" + std::to_string(c.style));
    b.BorderColor(0x123456);  // the paint this setter runs overwrites it again
    EXPECT_EQ(BordersOf(b), c.expected) << "style " << c.style;
  }
}

TEST_F(StyleOverlayTest, WritesAreNeitherNotifiedNorRepainted) {
  Button& b = Place(3);
  host_.ClearRecords();
  const int paints = b.PaintCount();
  b.BackColor(0x00FF00);
  EXPECT_EQ(b.BorderColor(), 0x00FF00u);
  EXPECT_THAT(Changed(), ElementsAre("BackColor"));
  EXPECT_EQ(b.PaintCount(), paints + 1);
}

TEST_F(StyleOverlayTest, OtherStylesLeaveTheLastWrittenColours) {
  Button& b = Place(7);
  b.ButtonStyle(0);
  EXPECT_EQ(BordersOf(b), (Borders{0x8F8F8E, 0xB17F3C, 0x5C411D}));
  b.BorderColorHover(0xABCDEF);
  b.ButtonStyle(9);
  EXPECT_EQ(BordersOf(b), (Borders{0x8F8F8E, 0xABCDEF, 0x5C411D}));
}

TEST_F(StyleOverlayTest, TheBorderPenFollowsTheStateAfterTheWrite) {
  Button& b = Place(7, kNoRenderer);
  EXPECT_EQ(Surface().ForeColor(), 0x8F8F8Eu);
  Hover();
  EXPECT_EQ(Surface().ForeColor(), 0xB17F3Cu);
  Press();
  EXPECT_EQ(Surface().ForeColor(), 0x5C411Du);
  EXPECT_TRUE(b.PressedFlag());
}

TEST_F(StyleOverlayTest, DisabledOverlaysSetBorderColor) {
  const struct {
    std::int32_t style;
    ColorValue border;
  } cases[] = {{6, 0x8DABAB}, {7, 0xB5B2AD}, {8, 0xA4B6B7}};
  for (const auto& c : cases) {
    Button& b = Place(c.style, kNoRenderer, "Style" + std::to_string(c.style));
    b.Enabled(false);
    EXPECT_EQ(b.BorderColor(), c.border) << "style " << c.style;
    EXPECT_EQ(Surface().ForeColor(), c.border) << "style " << c.style;  // the border pen
  }
}

TEST_F(StyleOverlayTest, WithoutBackgroundThereIsNoOverlayAndNoDisabledBorder) {
  Button& b = Place(6, kNoRenderer);
  b.ButtonStyleColors(0);
  b.Enabled(false);
  EXPECT_EQ(b.BorderColor(), 0x000000u);
  EXPECT_EQ(Pixel(40, 16), Resolved(Surface().BackColor()));
}

// ---- Overlay A (style 5) ----

TEST_F(StyleOverlayTest, OverlayANormalIsFlatBackColor) {
  Place(5);
  ExpectRows(3, [](int) { return kBack; });
}

TEST_F(StyleOverlayTest, OverlayAHoverAndPressed) {
  Place(5);
  Hover();
  ExpectRows(3, [](int y) { return GradientAt(kHover, 0xAC9891, y, 33); });
  Press();
  ExpectRows(3, [](int y) { return GradientAt(kPressed, 0xA57F71, y, 33); });
}

TEST_F(StyleOverlayTest, OverlayADisabledIsFlatBackColor) {
  Button& b = Place(5);
  b.Enabled(false);
  ExpectRows(3, [](int) { return kBack; });
}

// ---- Overlay B (style 6) ----

TEST_F(StyleOverlayTest, OverlayBNormalAndHoverShadeToBackColorPressed) {
  Place(6);
  ExpectRows(3, [](int y) { return GradientAt(kPressed, kBack, y, 33); });
  Hover();  // no hover look of its own
  ExpectRows(3, [](int y) { return GradientAt(kPressed, kBack, y, 33); });
}

TEST_F(StyleOverlayTest, OverlayBPressedAndDisabled) {
  Button& b = Place(6);
  Press();
  ExpectRows(3, [](int y) { return GradientAt(0xE0E6E6, kBack, y, 33); });
  host_.MouseUp();
  MoveAway();
  b.Enabled(false);
  ExpectRows(3, [](int) { return ColorRef{0xDBE7E7}; });
}

// ---- Overlay C (style 7) ----

// Rows above r(H/2) come from the first fill (second colour at the top, first at r(H/1.5));
// from r(H/2) on the second fill (first colour there, second at H + 25).
ColorRef OverlayC(ColorRef first, ColorRef second, int y, int h) {
  const int two_thirds = RoundHalfEven(h / 1.5);
  const int half = RoundHalfEven(h / 2.0);
  if (y < half) return GradientAt(second, first, y, two_thirds);
  return GradientAt(first, second, y - half, h + 25 - half);
}

TEST_F(StyleOverlayTest, OverlayCByState) {
  Button& b = Place(7);
  // H = 33: r(22) = 22 and r(16.5) = 16.
  ExpectRows(3, [](int y) { return OverlayC(kBack, 0xEFEFEF, y, 33); });
  Hover();
  ExpectRows(3, [](int y) { return OverlayC(kHover, 0xFEFCF7, y, 33); });
  Press();
  ExpectRows(3, [](int y) { return OverlayC(kPressed, 0xF8ECD5, y, 33); });
  host_.MouseUp();
  MoveAway();
  b.Enabled(false);
  ExpectRows(3, [](int y) { return OverlayC(0xF0F0F0, 0xF4F4F4, y, 33); });
}

TEST_F(StyleOverlayTest, OverlayCTurnsAQuarterForTheUpTriangle) {
  Place(7, 4);
  ASSERT_EQ(W(), 80);
  ASSERT_EQ(H(), 80);
  // Columns: second at the left edge to first at r(80 / 1.5) = 53; from r(40) = 40 on, first
  // to second at W + 25 = 105. Checked on a row where the triangle is wide.
  for (int x = 15; x < 65; ++x) {
    const ColorRef expected =
        x < 40 ? GradientAt(0xEFEFEF, kBack, x, 53) : GradientAt(kBack, 0xEFEFEF, x - 40, 65);
    ASSERT_EQ(Pixel(x, 70), expected) << x;
  }
}

// ---- Overlay D (style 8) ----

// The first fill runs from the second colour at r(-H/6) to the first at the bottom edge; from
// r(H/2) on the second fill runs from the first colour to the second at r(H + H/3).
ColorRef OverlayD(ColorRef first, ColorRef second, int y, int h) {
  const int top = RoundHalfEven(-h / 6.0);
  const int half = RoundHalfEven(h / 2.0);
  const int bottom = RoundHalfEven(h + h / 3.0);
  if (y < half) return GradientAt(second, first, y - top, h - top);
  return GradientAt(first, second, y - half, bottom - half);
}

TEST_F(StyleOverlayTest, OverlayDByState) {
  Button& b = Place(8);
  // H = 33: r(-5.5) = -6 (halves to even), r(16.5) = 16, r(44) = 44.
  ExpectRows(3, [](int y) { return OverlayD(kBack, 0xFFFFFF, y, 33); });
  EXPECT_EQ(Pixel(3, 1), GradientAt(0xFFFFFF, kBack, 7, 39));  // row 0 is the outline
  Hover();
  ExpectRows(3, [](int y) { return OverlayD(kHover, 0xFFFFFF, y, 33); });
  Press();
  ExpectRows(3, [](int y) { return OverlayD(kPressed, 0xFFFFFF, y, 33); });
  host_.MouseUp();
  MoveAway();
  b.Enabled(false);
  ExpectRows(3, [](int y) { return OverlayD(0xA4B6B7, 0xFFFFFF, y, 33); });
}

TEST_F(StyleOverlayTest, OverlayDTurnsAQuarterForTheDownTriangle) {
  Place(8, 7);
  ASSERT_EQ(W(), 80);
  // Columns: second at r(-80 / 6) = -13 to first at the right edge; from r(40) = 40 on, first
  // to second at r(80 + 80 / 3) = 107. Checked on a row where the triangle is wide.
  for (int x = 15; x < 65; ++x) {
    const ColorRef expected =
        x < 40 ? GradientAt(0xFFFFFF, kBack, x + 13, 93) : GradientAt(kBack, 0xFFFFFF, x - 40, 67);
    ASSERT_EQ(Pixel(x, 10), expected) << x;
  }
}

TEST_F(StyleOverlayTest, OverlaysUseTheSecondColumnOnlyForShapes4_7_8And11) {
  for (std::int32_t shape : {2, 3, 5, 6, 9, 10, kNoRenderer}) {
    Place(7, shape, "Shape" + std::to_string(shape));
    ASSERT_EQ(H(), 80);
    // A vertical ramp: one colour along each row (the middle row, clear of any outline).
    const int y = 60;
    EXPECT_EQ(Pixel(35, y), OverlayC(kBack, 0xEFEFEF, y, 80)) << "shape " << shape;
    EXPECT_EQ(Pixel(45, y), OverlayC(kBack, 0xEFEFEF, y, 80)) << "shape " << shape;
  }
}

}  // namespace
}  // namespace fw::test::paint
