// vbButton caption and picture: the layout, the caption modes and special effects, and the
// picture drawing with its mask colour, greyscale, blend, skip-bright and single-colour copies.
// Text pixels are compared with the same text drawn plainly by the control itself, so the tests
// hold for any font the platform draws.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/controls/vbbutton/vbbutton_test_support.h"

namespace fw::test {
namespace {

constexpr ColorRef kFace = 0xC0C0C0;
constexpr ColorRef kShadow = 0x808080;
constexpr ColorRef kLight = 0xDFDFDF;
constexpr ColorRef kHighlight = 0xFFFFFF;
constexpr ColorRef kRed = 0x0000FF;

using PixelSet = std::set<std::pair<int, int>>;

PixelSet Moved(const PixelSet& set, int dx, int dy) {
  PixelSet out;
  for (const auto& [x, y] : set) out.insert({x + dx, y + dy});
  return out;
}
PixelSet Minus(const PixelSet& a, const PixelSet& b) {
  PixelSet out;
  for (const auto& p : a) {
    if (b.count(p) == 0) out.insert(p);
  }
  return out;
}

class VbCaptionTest : public VbButtonTest {
 protected:
  // A 100 x 30 control of `type` in the classic palette with `caption`.
  vbButton& Make(std::int32_t type, const std::string& caption) {
    vbButton& b = Place();
    b.ColorScheme(3);
    b.Caption(caption);
    b.ButtonType(type);
    return b;
  }
  // The pixels of `color` away from the control's edges.
  PixelSet Inside(ColorRef color) {
    PixelSet out;
    for (int y = 3; y < 27; ++y) {
      for (int x = 3; x < 97; ++x) {
        if (Pixel(x, y) == color) out.insert({x, y});
      }
    }
    return out;
  }
};

TEST_F(VbCaptionTest, TheCaptionIsMeasuredAndCentred) {
  vbButton& b = Make(7, "Hello");
  Rect measured{1, 1, 98, 28};
  Window().hDC().DrawTextA("Hello", measured, DT_CALCRECT | DT_WORDBREAK);
  ASSERT_GT(measured.right, measured.left);
  const int dx = (100 - measured.right) / 2;
  const int dy = (30 - measured.bottom) / 2;
  const vbButtonLayout& l = b.LayoutState();
  EXPECT_EQ(l.caption, (Rect{measured.left + dx, measured.top + dy, measured.right + dx,
                             measured.bottom + dy}));
  EXPECT_EQ(l.offset_caption, (Rect{l.caption.left + 1, l.caption.top + 1, l.caption.right + 1,
                                    l.caption.bottom + 1}));
  EXPECT_EQ(l.caption_width, measured.right - measured.left);
  EXPECT_EQ(l.caption_height, measured.bottom - measured.top);
}

TEST_F(VbCaptionTest, ThePictureGoesBesideAboveBelowOrBehindTheCaption) {
  vbButton& b = Make(7, "Hi");
  b.PictureNormal(VbPicture(8, 6, [](int, int) { return kRed; }));
  EXPECT_EQ(b.Fields().picture_width, 8);
  EXPECT_EQ(b.Fields().picture_height, 6);
  const vbButtonLayout& l = b.LayoutState();
  b.PicturePosition(0);
  EXPECT_EQ(l.picture, (Point{l.caption.left - 12, 12}));
  b.PicturePosition(1);
  EXPECT_EQ(l.picture, (Point{l.caption.right + 4, 12}));
  b.PicturePosition(2);
  EXPECT_EQ(l.picture, (Point{46, l.caption.top - 8}));
  b.PicturePosition(3);
  EXPECT_EQ(l.picture, (Point{46, l.caption.bottom + 2}));
  b.PicturePosition(4);
  EXPECT_EQ(l.picture, (Point{46, 12}));
  b.PicturePosition(0);
  b.Caption("   ");
  EXPECT_EQ(l.picture, (Point{46, 12}));
}

TEST_F(VbCaptionTest, TheCaptionMakesRoomForThePicture) {
  vbButton& b = Make(7, "Hi");
  b.PictureNormal(VbPicture(8, 6, [](int, int) { return kRed; }));
  Rect measured{9, 1, 98, 28};  // picture left: the caption starts after it
  Window().hDC().DrawTextA("Hi", measured, DT_CALCRECT | DT_WORDBREAK);
  b.PicturePosition(0);
  EXPECT_EQ(b.LayoutState().caption.left, 9 + (100 - measured.right) / 2);
  Rect right{1, 1, 90, 28};  // picture right
  Window().hDC().DrawTextA("Hi", right, DT_CALCRECT | DT_WORDBREAK);
  b.PicturePosition(1);
  EXPECT_EQ(b.LayoutState().caption.left, 1 + (100 - right.right - 8 - 4) / 2);
  Rect below{1, 1, 98, 22};  // picture below
  Window().hDC().DrawTextA("Hi", below, DT_CALCRECT | DT_WORDBREAK);
  b.PicturePosition(3);
  EXPECT_EQ(b.LayoutState().caption.top, 1 + (30 - below.bottom - 6 - 4) / 2);
}

TEST_F(VbCaptionTest, TheUpCaptionIsTheTextColourAndTheDownCaptionMovesByOne) {
  vbButton& b = Make(7, "HIH");
  const PixelSet text = Inside(0x000000);
  ASSERT_GT(text.size(), 10u);
  EXPECT_EQ(b.LayoutState().caption_mode, 0);
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(b.LayoutState().caption_mode, 2);
  EXPECT_EQ(Inside(0x000000), Moved(text, 1, 1));
}

TEST_F(VbCaptionTest, TheDisabledCaptionIsEngraved) {
  vbButton& b = Make(7, "HIH");
  const PixelSet text = Inside(0x000000);
  b.Enabled(false);
  EXPECT_EQ(b.LayoutState().caption_mode, 3);
  EXPECT_EQ(Inside(kShadow), text);
  EXPECT_EQ(Inside(kHighlight), Minus(Moved(text, 1, 1), text));
}

TEST_F(VbCaptionTest, SpecialEffectThreeAddsADarkCopyBelowRight) {
  vbButton& b = Make(7, "HIH");
  const PixelSet text = Inside(0x000000);
  b.SpecialEffect(3);
  EXPECT_EQ(Inside(0x000000), text);
  EXPECT_EQ(Inside(0x989898), Minus(Moved(text, 1, 1), text));
  EXPECT_TRUE(Inside(0xE8E8E8).empty());
}

TEST_F(VbCaptionTest, SpecialEffectsOneAndTwoAddCopiesOnBothSides) {
  vbButton& b = Make(7, "HIH");
  const PixelSet text = Inside(0x000000);
  const PixelSet below_right = Moved(text, 1, 1);
  const PixelSet above_left = Moved(text, -1, -1);
  b.SpecialEffect(1);  // dark below right, light above left, drawn in that order
  EXPECT_EQ(Inside(0xE8E8E8), Minus(above_left, text));
  EXPECT_EQ(Inside(0x989898), Minus(Minus(below_right, above_left), text));
  b.SpecialEffect(2);  // the reverse
  EXPECT_EQ(Inside(0x989898), Minus(above_left, text));
  EXPECT_EQ(Inside(0xE8E8E8), Minus(Minus(below_right, above_left), text));
}

TEST_F(VbCaptionTest, ShadedTypesBaseTheirEffectsOnTheFocusColour) {
  vbButton& b = Make(14, "HIH");
  b.SpecialEffect(3);
  // The focus colour of the classic face is 0xF0F0F0; 40 darker is 0xC8C8C8.
  EXPECT_FALSE(Inside(0xC8C8C8).empty());
  EXPECT_TRUE(Inside(0x989898).empty());
}

TEST_F(VbCaptionTest, TypeFourDrawsItsPressedCaptionInTheLightColour) {
  vbButton& b = Make(4, "HIH");
  const PixelSet text = Inside(0x000000);
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(Inside(kLight), Moved(text, 1, 1));
}

TEST_F(VbCaptionTest, TypeFiveDownDrawsPlainTextInTheHoverTextColour) {
  vbButton& b = Make(5, "HIH");
  b.ColorScheme(2);
  b.BackColor(0x808080);
  b.ForeColor(0x0000FF);
  b.ForeOver(0x00FF00);
  b.SpecialEffect(1);
  const PixelSet text = Inside(0x0000FF);
  ASSERT_FALSE(text.empty());
  EXPECT_FALSE(Inside(0x585858).empty());  // the up look has its effect
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(Inside(0x00FF00), text);
  EXPECT_TRUE(Inside(0x585858).empty());
  EXPECT_TRUE(Inside(0xA8A8A8).empty());
  EXPECT_EQ(b.LayoutState().caption_mode, 0);  // not recorded
}

TEST_F(VbCaptionTest, TypeFiveBoxesTheFocusedCaption) {
  vbButton& b = Make(5, "HIH");
  host_.Focus("vb1");
  const vbButtonLayout& l = b.LayoutState();
  EXPECT_EQ(Pixel(l.caption.left - 2, l.caption.top - 1), 0xCC9999u);
  EXPECT_EQ(Pixel(l.caption.left + l.caption_width + 1, l.caption.top + l.caption_height),
            0xCC9999u);
}

TEST_F(VbCaptionTest, ThreeShadedCaptionModes) {
  vbButton& b = Make(14, "HIH");
  b.ShowFocusRect(false);
  const PixelSet text = Inside(0x000000);
  b.Enabled(false);  // mode 6: highlight below right, face on top
  EXPECT_EQ(b.LayoutState().caption_mode, 6);
  EXPECT_EQ(Inside(kFace), text);
  b.Enabled(true);
  b.Draw(vbButton::kDown, true);  // mode 7: a dark copy below right, highlight on top
  EXPECT_EQ(b.LayoutState().caption_mode, 7);
  EXPECT_EQ(Inside(0x4E4E4E), Minus(Moved(text, 1, 1), text));
  host_.Unload();
  vbButton& three = Make(3, "HIH");
  three.Enabled(false);  // mode 5
  EXPECT_EQ(three.LayoutState().caption_mode, 5);
  EXPECT_EQ(Inside(vbbutton::Shade(three.Colors().focus, -104, true, false)), text);
}

TEST_F(VbCaptionTest, TheDefaultButtonOfTypeFourteenHasABoldCaption) {
  vbButton& b = Make(14, "HIH");
  b.ShowFocusRect(false);
  const std::size_t plain = Inside(0x000000).size();
  const int draws = b.DrawCount();
  host_.SetDisplayAsDefault("vb1", true);
  EXPECT_GT(Inside(0x000000).size(), plain);
  EXPECT_FALSE(Window().Font().bold);  // the font is given back
  EXPECT_TRUE(b.DrawingAllowed());
  EXPECT_EQ(b.DrawCount(), draws + 1);  // the font changes drew nothing of their own
}

// ---- Pictures ----

class VbPictureTest : public VbButtonTest {
 protected:
  // A 100 x 30 control of `type` with a grey custom face (0x808080), no caption and `picture`
  // behind it, at (48, 13) for a 4 x 4 picture.
  vbButton& Make(std::int32_t type, PicturePtr picture) {
    vbButton& b = Place();
    b.Caption("");
    b.ColorScheme(2);
    b.BackColor(0x808080);
    b.BackOver(0x808080);
    b.ButtonType(type);
    b.PicturePosition(4);
    b.PictureNormal(std::move(picture));
    return b;
  }
  static constexpr ColorRef kGrey = 0x808080;
};

PicturePtr RedWithMaskCorner() {
  return VbPicture(4, 4, [](int x, int y) { return x == 0 && y == 0 ? 0xC0C0C0u : kRed; });
}

TEST_F(VbPictureTest, TheMaskColourIsSeeThrough) {
  vbButton& b = Make(7, RedWithMaskCorner());
  EXPECT_EQ(b.LayoutState().picture, (Point{48, 13}));
  EXPECT_EQ(Pixel(48, 13), kGrey);
  EXPECT_EQ(Pixel(49, 13), kRed);
  EXPECT_EQ(Pixel(51, 16), kRed);
  EXPECT_EQ(Pixel(52, 17), kGrey);
  b.UseMaskColor(false);
  EXPECT_EQ(Pixel(48, 13), 0xC0C0C0u);
  b.UseMaskColor(true);
  b.MaskColor(kRed);
  EXPECT_EQ(Pixel(48, 13), 0xC0C0C0u);
  EXPECT_EQ(Pixel(49, 13), kGrey);
}

TEST_F(VbPictureTest, GreyscaleRoundsTheRedTermOnItsOwn) {
  // 100 * 0.59 + r(200 * 0.3) + 50 * 0.11 = 124.5, which rounds to 124.
  vbButton& b = Make(7, VbPicture(4, 4, [](int, int) { return RGB(200, 100, 50); }));
  EXPECT_EQ(Pixel(50, 15), RGB(200, 100, 50));
  b.UseGreyscale(true);
  EXPECT_EQ(Pixel(50, 15), RGB(124, 124, 124));
}

TEST_F(VbPictureTest, TypeNineBlendsItsPictureIntoTheFace) {
  Make(9, VbPicture(4, 4, [](int, int) { return RGB(0, 30, 255); }));
  // (2 * picture + face) / 3 per component: 42, 62, 212.
  EXPECT_EQ(Pixel(50, 15), RGB(42, 62, 212));
}

TEST_F(VbPictureTest, TheDownPictureMovesByOne) {
  vbButton& b = Make(7, RedWithMaskCorner());
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(Pixel(49, 14), kGrey);
  EXPECT_EQ(Pixel(50, 14), kRed);
  EXPECT_EQ(Pixel(52, 17), kRed);
  EXPECT_EQ(Pixel(48, 13), kGrey);
}

TEST_F(VbPictureTest, TheHoverPictureShowsUnderTheMouse) {
  vbButton& b = Make(7, RedWithMaskCorner());
  b.PictureOver(VbPicture(4, 4, [](int, int) { return 0x00FF00u; }));
  EXPECT_EQ(Pixel(50, 15), kRed);
  MoveTo(10, 5);
  EXPECT_EQ(Pixel(50, 15), 0x00FF00u);
  b.Draw(vbButton::kDown, true);  // pressed: the hover picture, moved by one
  EXPECT_EQ(Pixel(48, 13), kGrey);
  EXPECT_EQ(Pixel(52, 17), 0x00FF00u);
}

// A dark picture with one bright pixel (sum above 384) in its bottom-right corner.
PicturePtr DarkWithBrightCorner() {
  return VbPicture(4, 4, [](int x, int y) { return x == 3 && y == 3 ? 0xFFFFFFu : 0x000080u; });
}

TEST_F(VbPictureTest, ADisabledPictureIsEmbossedWithoutItsBrightPixels) {
  vbButton& b = Make(7, DarkWithBrightCorner());
  b.Enabled(false);
  const vbbutton::SchemeColors& c = b.Colors();
  EXPECT_EQ(Pixel(48, 13), c.shadow);
  EXPECT_EQ(Pixel(51, 15), c.shadow);
  EXPECT_EQ(Pixel(52, 14), c.highlight);  // the highlight copy, one pixel below right
  EXPECT_EQ(Pixel(51, 16), c.highlight);  // under the bright pixel the shadow copy is skipped
  EXPECT_EQ(Pixel(52, 17), kGrey);        // the bright pixel's own copy is skipped too
}

TEST_F(VbPictureTest, FlatTypesDrawOneDisabledCopy) {
  vbButton& five = Make(5, DarkWithBrightCorner());
  five.Enabled(false);
  EXPECT_EQ(Pixel(48, 13), five.Colors().shadow);
  EXPECT_EQ(Pixel(52, 14), kGrey);
  EXPECT_EQ(Pixel(51, 16), kGrey);
  host_.Unload();
  vbButton& nine = Make(9, DarkWithBrightCorner());
  nine.Enabled(false);
  EXPECT_EQ(Pixel(48, 13), vbbutton::Shade(nine.Colors().shadow, 13, false, false));
}

TEST_F(VbPictureTest, TypeThreeGreysItsDisabledPicture) {
  vbButton& b = Make(3, VbPicture(4, 4, [](int, int) { return RGB(200, 100, 50); }));
  b.Enabled(false);
  EXPECT_EQ(Pixel(49, 14), RGB(124, 124, 124));
  EXPECT_EQ(Pixel(52, 17), RGB(124, 124, 124));
}

TEST_F(VbPictureTest, ThePictureEffectPutsShadedCopiesUnderThePicture) {
  vbButton& b = Make(7, VbPicture(4, 4, [](int, int) { return kRed; }));
  b.SpecialEffect(3);
  EXPECT_EQ(Pixel(48, 13), kRed);
  EXPECT_EQ(Pixel(52, 17), 0x585858u);  // Shade(face, -40), one pixel below right
  EXPECT_EQ(Pixel(47, 12), kGrey);
  b.SpecialEffect(1);
  EXPECT_EQ(Pixel(47, 12), 0xA8A8A8u);  // and Shade(face, +40) above left
  EXPECT_EQ(Pixel(52, 17), 0x585858u);
}

TEST_F(VbPictureTest, AnIconsSeeThroughPixelsShowTheFace) {
  // As icons are made: black in the colour image where the mask lets the background through.
  IconEntry entry{MakePattern(4, 4, 0), MakeMask(4, 4)};
  for (std::size_t i = 0; i < entry.mask.size(); ++i) {
    if (entry.mask[i]) entry.pixels.color[i] = 0;
  }
  const auto icon =
      std::make_shared<const Picture>(LoadPicture(MakeIconFile({entry}, false), "ico"));
  Make(7, icon);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const std::uint32_t rgb = entry.pixels.color[static_cast<std::size_t>(y * 4 + x)];
      const ColorRef expected =
          entry.mask[static_cast<std::size_t>(y * 4 + x)]
              ? kGrey
              : RGB(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                    static_cast<int>(rgb & 0xFF));
      EXPECT_EQ(Pixel(48 + x, 13 + y), expected) << x << "," << y;
    }
  }
}

TEST_F(VbPictureTest, ACaptionBehindThePictureIsDrawnAgainOnTop) {
  vbButton& b = Place();
  b.ColorScheme(3);
  b.ButtonType(7);
  b.Caption("HIH");
  PixelSet text;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (Pixel(x, y) == 0x000000) text.insert({x, y});
    }
  }
  b.PicturePosition(4);
  b.PictureNormal(VbPicture(40, 20, [](int, int) { return kRed; }));
  std::size_t on_top = 0;
  for (const auto& [x, y] : text) on_top += Pixel(x, y) == 0x000000 ? 1u : 0u;
  EXPECT_EQ(on_top, text.size());
  EXPECT_EQ(Pixel(32, 6), kRed);
}

}  // namespace
}  // namespace fw::test
