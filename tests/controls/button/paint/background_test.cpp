// The Button paint's background: the colour pair by state and the schemes of
// ButtonStyleColors. Expected pixels come from GDI's gradient rule (GradientAt).
#include <gtest/gtest.h>

#include "tests/controls/button/paint/paint_test_support.h"

namespace fw::test::paint {
namespace {

constexpr ColorRef kBack = 0x102030;
constexpr ColorRef kPressed = 0xF0E0D0;
constexpr ColorRef kHover = 0x20A0FF;

// An 80 x 33 rectangle with ButtonStyle 0 and three distinct background colours. Pixels are
// checked away from the outline the rectangle renderer draws on the edges.
class BackgroundTest : public PaintTest {
 protected:
  void SetUp() override {
    button_ = &PlacePlain(80, 33);
    button_->BackColor(kBack);
    button_->BackColorPressed(kPressed);
    button_->BackColorHover(kHover);
  }
  Button& button() { return *button_; }
  void Hover() { MoveTo(40, 16); }
  void Press() {
    Hover();
    host_.MouseDown();
  }

  Button* button_ = nullptr;
};

TEST_F(BackgroundTest, Scheme0IsTransparentAndDrawsNothing) {
  button().ButtonStyleColors(0);
  EXPECT_EQ(Window().BackStyle(), 0);
  const ColorRef surface = Resolved(Window().BackColor());
  EXPECT_EQ(Pixel(40, 16), surface);
  EXPECT_EQ(Pixel(2, 2), surface);
}

TEST_F(BackgroundTest, Scheme1ClearsToTheStateColour) {
  button().ButtonStyleColors(1);
  EXPECT_EQ(Window().BackStyle(), 1);
  EXPECT_EQ(Window().BackColor(), kBack);
  EXPECT_EQ(Pixel(40, 16), kBack);
  Hover();
  EXPECT_EQ(Window().BackColor(), kHover);
  EXPECT_EQ(Pixel(2, 2), kHover);
  Press();
  EXPECT_EQ(Window().BackColor(), kPressed);
  EXPECT_EQ(Pixel(77, 30), kPressed);
}

TEST_F(BackgroundTest, Scheme1KeepsASystemColourReference) {
  button().ButtonStyleColors(1);
  button().BackColor(kSys15);
  EXPECT_EQ(Window().BackColor(), kSys15);
  EXPECT_EQ(Pixel(40, 16), GetSysColor(15));
}

TEST_F(BackgroundTest, Scheme2ShadesFromBackColorLeftToTheSecondColourRight) {
  button().ButtonStyleColors(2);
  EXPECT_EQ(Window().BackStyle(), 1);
  ExpectColumns(2, [](int x) { return GradientAt(kBack, kPressed, x, 80); });
  Hover();
  ExpectColumns(2, [](int x) { return GradientAt(kBack, kHover, x, 80); });
  // Pressing gives the normal look again.
  Press();
  ExpectColumns(2, [](int x) { return GradientAt(kBack, kPressed, x, 80); });
}

TEST_F(BackgroundTest, Scheme3ShadesFromTheSecondColourTopToBackColorBottom) {
  button().ButtonStyleColors(3);
  ExpectRows(2, [](int y) { return GradientAt(kPressed, kBack, y, 33); });
  Hover();
  ExpectRows(2, [](int y) { return GradientAt(kHover, kBack, y, 33); });
}

TEST_F(BackgroundTest, Scheme4MeetsTheSecondColourAtTheRoundedMiddleRow) {
  // r(33 / 2) = r(16.5) = 16.
  button().ButtonStyleColors(4);
  ExpectRows(2, [](int y) {
    return y < 16 ? GradientAt(kBack, kPressed, y, 16) : GradientAt(kPressed, kBack, y - 16, 17);
  });
  Hover();
  ExpectRows(2, [](int y) {
    return y < 16 ? GradientAt(kBack, kHover, y, 16) : GradientAt(kHover, kBack, y - 16, 17);
  });
}

TEST_F(BackgroundTest, Scheme4OnAnOddMiddleRoundsUp) {
  // r(35 / 2) = r(17.5) = 18.
  Window().Height(35 * kTwipsPerPixel);
  button().ButtonStyleColors(4);
  ASSERT_EQ(H(), 35);
  ExpectRows(2, [](int y) {
    return y < 18 ? GradientAt(kBack, kPressed, y, 18) : GradientAt(kPressed, kBack, y - 18, 17);
  });
}

TEST_F(BackgroundTest, Scheme5HasTheSecondColourAtBothEdges) {
  button().ButtonStyleColors(5);
  ExpectRows(2, [](int y) {
    return y < 16 ? GradientAt(kPressed, kBack, y, 16) : GradientAt(kBack, kPressed, y - 16, 17);
  });
}

TEST_F(BackgroundTest, Scheme6MeetsTheSecondColourAtTheMiddleColumn) {
  Window().Width(81 * kTwipsPerPixel);  // r(81 / 2) = r(40.5) = 40
  button().ButtonStyleColors(6);
  ExpectColumns(2, [](int x) {
    return x < 40 ? GradientAt(kBack, kPressed, x, 40) : GradientAt(kPressed, kBack, x - 40, 41);
  });
  Hover();
  ExpectColumns(2, [](int x) {
    return x < 40 ? GradientAt(kBack, kHover, x, 40) : GradientAt(kHover, kBack, x - 40, 41);
  });
}

TEST_F(BackgroundTest, Scheme7HasTheSecondColourAtBothSides) {
  Window().Width(83 * kTwipsPerPixel);  // r(83 / 2) = r(41.5) = 42
  button().ButtonStyleColors(7);
  ExpectColumns(2, [](int x) {
    return x < 42 ? GradientAt(kPressed, kBack, x, 42) : GradientAt(kBack, kPressed, x - 42, 41);
  });
}

TEST_F(BackgroundTest, OtherSchemesDrawNothingAndKeepBackStyle) {
  button().ButtonStyleColors(0);
  button().ButtonStyleColors(8);
  EXPECT_EQ(Window().BackStyle(), 0);
  button().ButtonStyleColors(2);
  button().ButtonStyleColors(-1);
  EXPECT_EQ(Window().BackStyle(), 1);
  EXPECT_EQ(Pixel(40, 16), Resolved(Window().BackColor()));
}

TEST_F(BackgroundTest, SystemColoursAreTranslatedForTheGradient) {
  button().BackColor(kSys16);
  button().BackColorPressed(kSys20);
  button().ButtonStyleColors(2);
  const ColorRef from = GetSysColor(16);
  const ColorRef to = GetSysColor(20);
  ExpectColumns(2, [&](int x) { return GradientAt(from, to, x, 80); });
}

TEST_F(BackgroundTest, GradientsWriteAZeroAlphaByte) {
  button().ButtonStyleColors(3);
  for (std::uint32_t pixel : dc().Pixels()) ASSERT_EQ(pixel >> 24, 0u);
}

}  // namespace
}  // namespace fw::test::paint
