// The Button paint's mask: MaskColor is the surface background colour as it stands after the
// background step, MaskPicture a snapshot of the finished image, so that with BackStyle 0
// exactly the pixels nothing was drawn on are see-through.
#include <gtest/gtest.h>

#include <vector>

#include "tests/controls/button/paint/paint_test_support.h"

namespace fw::test::paint {
namespace {

class MaskTest : public PaintTest {
 protected:
  // The mask picture's pixels as COLORREFs, row by row.
  std::vector<ColorRef> MaskPixels() {
    const PicturePtr mask = Surface().MaskPicture();
    EXPECT_NE(mask, nullptr);
    if (!mask) return {};
    EXPECT_EQ(mask->width(), W());
    EXPECT_EQ(mask->height(), H());
    std::vector<ColorRef> pixels;
    for (std::uint32_t p : mask->image().color) {
      pixels.push_back(RGB(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                           static_cast<int>(p & 0xFF)));
    }
    return pixels;
  }
  std::vector<ColorRef> SurfacePixels() {
    std::vector<ColorRef> pixels;
    for (int y = 0; y < H(); ++y) {
      for (int x = 0; x < W(); ++x) pixels.push_back(Pixel(x, y));
    }
    return pixels;
  }
};

TEST_F(MaskTest, TransparentButtonShowsThroughExactlyWhereNothingWasDrawn) {
  Button& b = PlacePlain(60, 60, kNoRenderer);
  b.ButtonStyleColors(0);
  b.ForeColor(0x0000C0);
  b.Caption("Ag");
  EXPECT_EQ(Surface().BackStyle(), 0);
  EXPECT_EQ(Surface().MaskColor(), Surface().BackColor());
  const std::vector<ColorRef> mask = MaskPixels();
  ASSERT_EQ(mask, SurfacePixels());
  const ColorRef see_through = Resolved(Surface().MaskColor());
  const int cx = Extent("Ag").cx;
  const int cy = Extent("Ag").cy;
  const auto text =
      TextPixels("Ag", RoundHalfEven((60 - cx) / 2.0), RoundHalfEven((60 - cy) / 2.0));
  ASSERT_FALSE(text.empty());
  for (int y = 0; y < H(); ++y) {
    for (int x = 0; x < W(); ++x) {
      const bool drawn = text.count({x, y}) != 0;
      ASSERT_EQ(mask[static_cast<std::size_t>(y * W() + x)] == see_through, !drawn)
          << x << "," << y;
    }
  }
}

TEST_F(MaskTest, MaskColourFollowsTheBackgroundOfScheme1) {
  Button& b = PlacePlain(60, 40);
  b.BackColor(0x112233);
  b.BackColorHover(0x445566);
  b.ButtonStyleColors(1);
  EXPECT_EQ(Surface().MaskColor(), 0x112233u);
  MoveTo(30, 20);
  EXPECT_EQ(Surface().MaskColor(), 0x445566u);
  EXPECT_EQ(Surface().BackStyle(), 1);
  // The scheme then changes to a transparent one: the background colour stays as it stood.
  b.ButtonStyleColors(0);
  EXPECT_EQ(Surface().BackStyle(), 0);
  EXPECT_EQ(Surface().MaskColor(), 0x445566u);
  EXPECT_EQ(Pixel(30, 20), 0x445566u);
}

TEST_F(MaskTest, MaskPictureIsTheFinishedImageOfTheLatestPaint) {
  Button& b = PlacePlain(60, 40);
  b.ButtonStyleColors(2);
  b.BackColor(0x0000FF);
  b.DropDown(2);
  EXPECT_EQ(MaskPixels(), SurfacePixels());
  b.ButtonStyleColors(3);
  EXPECT_EQ(MaskPixels(), SurfacePixels());
}

TEST_F(MaskTest, PaintShowsTheImage) {
  Button& b = PlacePlain(60, 40);
  const int paints = b.PaintCount();
  b.Caption("x");
  EXPECT_EQ(b.PaintCount(), paints + 1);
  EXPECT_NE(Surface().MaskPicture(), nullptr);
}

}  // namespace
}  // namespace fw::test::paint
