// The Button paint's picture step: placement by PictureAlignment with its 4-or-5-pixel top and
// left margins, drawing by state, and the grey pass with its extra column and row.
#include <gtest/gtest.h>

#include <vector>

#include "tests/controls/button/paint/paint_test_support.h"

namespace fw::test::paint {
namespace {

constexpr ColorRef kInk = 0x336699;     // the solid test picture
constexpr ColorRef kPlain = 0xF8F8F8;   // the background of the placement tests
constexpr ColorRef kBack = 0x405060;    // BackColor of the grey-pass tests
constexpr ColorRef kSecond = 0x10C0E0;  // BackColorPressed of the grey-pass tests

class PictureTest : public PaintTest {
 protected:
  // A `width` x `height` rectangle with a flat background and a solid picture.
  Button& Place(int width, int height, int pw, int ph, std::int32_t alignment) {
    Button& b = PlacePlain(width, height);
    b.ButtonStyleColors(1);
    b.BackColor(kPlain);
    b.PictureAlignment(alignment);
    b.Picture(SolidPicture(pw, ph, kInk));
    return b;
  }
  Rect Drawn() { return BoxOf(kInk); }
};

Rect At(int x, int y, int w, int h) {
  return Rect{x, y, x + w, y + h};
}

TEST_F(PictureTest, PlacementByAlignment) {
  Button& b = Place(100, 40, 10, 6, 0);
  EXPECT_EQ(Drawn(), At(45, 5, 10, 6));  // top: r(34 / 40 + 4) = r(4.85) = 5
  b.PictureAlignment(1);
  EXPECT_EQ(Drawn(), At(5, 17, 10, 6));  // left: r(90 / 100 + 4) = r(4.9) = 5
  b.PictureAlignment(2);
  EXPECT_EQ(Drawn(), At(45, 17, 10, 6));
  b.PictureAlignment(3);
  EXPECT_EQ(Drawn(), At(85, 17, 10, 6));  // right: W - pw - 5
  b.PictureAlignment(4);
  EXPECT_EQ(Drawn(), At(45, 29, 10, 6));  // bottom: H - ph - 5
}

TEST_F(PictureTest, LeftMarginIs4OnceThePictureTakesHalfTheWidth) {
  Button& b = Place(100, 40, 60, 6, 1);
  EXPECT_EQ(Drawn(), At(4, 17, 60, 6));  // r(40 / 100 + 4) = r(4.4) = 4
  b.Picture(SolidPicture(50, 6, kInk));
  EXPECT_EQ(Drawn(), At(4, 17, 50, 6));  // r(4.5) = 4, the half to even
  b.Picture(SolidPicture(49, 6, kInk));
  EXPECT_EQ(Drawn(), At(5, 17, 49, 6));  // r(4.51) = 5
}

TEST_F(PictureTest, TopMarginIs4OnceThePictureTakesHalfTheHeight) {
  Button& b = Place(100, 40, 10, 20, 0);
  EXPECT_EQ(Drawn(), At(45, 4, 10, 20));  // r(20 / 40 + 4) = r(4.5) = 4
  b.Picture(SolidPicture(10, 19, kInk));
  EXPECT_EQ(Drawn(), At(45, 5, 10, 19));  // r(4.525) = 5
}

TEST_F(PictureTest, CentreRoundsHalvesToEven) {
  Place(101, 41, 10, 6, 2);
  EXPECT_EQ(Drawn(), At(46, 18, 10, 6));  // r(45.5) = 46, r(17.5) = 18
  Surface().Width(103 * kTwipsPerPixel);
  Surface().Height(39 * kTwipsPerPixel);
  EXPECT_EQ(Drawn(), At(46, 16, 10, 6));  // r(46.5) = 46, r(16.5) = 16
}

TEST_F(PictureTest, LargerPictureKeepsItsPixelSize) {
  Place(100, 60, 37, 23, 3);
  EXPECT_EQ(Drawn(), At(58, 18, 37, 23));  // 100 - 37 - 5, r(18.5) = 18
}

TEST_F(PictureTest, OtherAlignmentsKeepThePreviousPosition) {
  Button& b = Place(100, 40, 10, 6, 3);
  b.PictureAlignment(5);
  EXPECT_EQ(Drawn(), At(85, 17, 10, 6));
  Surface().Width(120 * kTwipsPerPixel);
  b.Picture(SolidPicture(4, 3, kInk));
  EXPECT_EQ(Drawn(), At(85, 17, 4, 3));
  // Without a picture the box loses its size, not its position.
  b.Picture(nullptr);
  b.Picture(SolidPicture(7, 2, kInk));
  EXPECT_EQ(Drawn(), At(85, 17, 7, 2));
}

TEST_F(PictureTest, PressedDrawsOnePixelDownRight) {
  Place(100, 40, 10, 6, 2);
  MoveTo(20, 20);
  host_.MouseDown();
  EXPECT_EQ(Drawn(), At(46, 18, 10, 6));
}

TEST_F(PictureTest, ToggleWithValueTrueDrawsPressed) {
  Button& b = Place(100, 40, 10, 6, 2);
  b.ButtonType(1);
  b.Value(true);  // the toggle step comes before the picture step
  EXPECT_EQ(Drawn(), At(46, 18, 10, 6));
  EXPECT_TRUE(b.PressedFlag());
}

TEST_F(PictureTest, HoverDrawsOnceExceptStyle5WhichAddsACopyUpLeft) {
  Button& b = Place(100, 40, 10, 6, 2);
  MoveTo(20, 20);
  EXPECT_EQ(Drawn(), At(45, 17, 10, 6));
  b.ButtonStyle(5);
  b.ButtonStyleColors(1);
  b.BackColorHover(kPlain);
  EXPECT_EQ(Drawn(), At(44, 16, 11, 7));
  EXPECT_EQ(PixelsOf(kInk).size(), 2u * 10u * 6u - 9u * 5u);
}

TEST_F(PictureTest, NoPictureDrawsNothing) {
  Button& b = Place(100, 40, 10, 6, 2);
  b.Picture(nullptr);
  EXPECT_TRUE(PixelsOf(kInk).empty());
}

// ---- Grey pass ----

// A picture of distinct colours; pixel (1, 1) is the stored BackColor and (2, 1) pure white.
PicturePtr Colourful() {
  return MakePicture(8, 5, [](int x, int y) -> ColorRef {
    if (x == 1 && y == 1) return kBack;
    if (x == 2 && y == 1) return 0xFFFFFF;
    return RGB(20 + 25 * x, 200 - 30 * y, 90 + 7 * x + 11 * y);
  });
}

class GreyPassTest : public PaintTest {
 protected:
  // 60 x 40 with a vertical gradient that never equals BackColor, the 8 x 5 picture centred
  // at (26, 18): r(26) and r(17.5).
  Button& Place(std::int32_t scheme) {
    Button& b = PlacePlain(60, 40);
    b.BackColor(kBack);
    b.BackColorPressed(kSecond);
    b.ButtonStyleColors(scheme);
    b.Picture(Colourful());
    return b;
  }
  // Expects the surface to be `before` with every pixel of [26, 34] x [18, 23] (bounds
  // inclusive) that is not BackColor turned grey by `level`, and nothing else changed.
  template <class Level>
  void ExpectGrey(const std::vector<ColorRef>& before, Level level) {
    for (int y = 0; y < H(); ++y) {
      for (int x = 0; x < W(); ++x) {
        const ColorRef p = before[static_cast<std::size_t>(y * W() + x)];
        const bool inside = x >= 26 && x <= 26 + 8 && y >= 18 && y <= 18 + 5;
        ColorRef expected = p;
        if (inside && p != kBack) {
          const int g = level(p);
          expected = RGB(g, g, g);
        }
        ASSERT_EQ(Pixel(x, y), expected) << x << "," << y;
      }
    }
  }
  std::vector<ColorRef> Snapshot() {
    std::vector<ColorRef> pixels;
    for (int y = 0; y < H(); ++y) {
      for (int x = 0; x < W(); ++x) pixels.push_back(Pixel(x, y));
    }
    return pixels;
  }
};

TEST_F(GreyPassTest, PictureGrayTakesTheRedComponentIncludingOneColumnAndRowPast) {
  Button& b = Place(3);
  const std::vector<ColorRef> colour = Snapshot();
  ASSERT_EQ(Pixel(27, 19), kBack);  // the picture's own BackColor pixel
  b.PictureGray(true);
  ExpectGrey(colour, [](ColorRef p) { return GetRValue(p); });
  EXPECT_EQ(Pixel(27, 19), kBack);
  EXPECT_EQ(Pixel(28, 19), 0xFFFFFFu);
  // The extra column and row are the gradient's, greyed; one further is not.
  const int red = GetRValue(colour[23 * 60 + 34]);
  EXPECT_EQ(Pixel(34, 23), RGB(red, red, red));
  EXPECT_EQ(Pixel(35, 23), colour[23 * 60 + 35]);
  EXPECT_EQ(Pixel(34, 24), colour[24 * 60 + 34]);
}

TEST_F(GreyPassTest, DisabledTakesTheBlueComponentWithoutPictureGray) {
  Button& b = Place(3);
  const std::vector<ColorRef> colour = Snapshot();
  b.Enabled(false);
  ExpectGrey(colour, [](ColorRef p) { return GetBValue(p); });
  EXPECT_EQ(Pixel(28, 19), 0xFFFFFFu);  // white stays white
  EXPECT_EQ(Pixel(27, 19), kBack);      // BackColor keeps its colour
}

TEST_F(GreyPassTest, BackgroundEqualToBackColorIsLeftAlone) {
  Button& b = Place(1);  // the surface is cleared to BackColor
  const std::vector<ColorRef> colour = Snapshot();
  b.PictureGray(true);
  ExpectGrey(colour, [](ColorRef p) { return GetRValue(p); });
  EXPECT_EQ(Pixel(34, 22), kBack);
}

TEST_F(GreyPassTest, SystemColourBackColorNeverMatches) {
  Button& b = Place(1);
  b.BackColor(0x80000000u + 13);  // highlight: the background is its colour, the field a reference
  const std::vector<ColorRef> colour = Snapshot();
  b.PictureGray(true);
  const ColorRef highlight = GetSysColor(13);
  EXPECT_EQ(Pixel(34, 22), RGB(GetRValue(highlight), GetRValue(highlight), GetRValue(highlight)));
  EXPECT_EQ(Pixel(35, 22), highlight);
  EXPECT_EQ(Pixel(27, 19), RGB(GetRValue(kBack), GetRValue(kBack), GetRValue(kBack)));
  EXPECT_EQ(colour[22 * 60 + 34], highlight);
}

TEST_F(GreyPassTest, HoverAndPressedDrawInColour) {
  Button& b = Place(1);
  b.PictureGray(true);
  MoveTo(5, 5);
  EXPECT_EQ(Pixel(26, 18), RGB(20, 200, 90));
  host_.MouseDown();
  EXPECT_EQ(Pixel(27, 19), RGB(20, 200, 90));
}

}  // namespace
}  // namespace fw::test::paint
