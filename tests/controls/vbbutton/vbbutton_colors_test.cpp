// vbButton colours and region: Shade, Lighten, the colour-scheme routine for each scheme, and the
// window region of each ButtonType.
#include "controls/vbbutton/vbbutton_colors.h"

#include <gtest/gtest.h>

#include <string>

#include "controls/vbbutton/vbbutton_region.h"
#include "tests/controls/vbbutton/vbbutton_test_support.h"

namespace fw::test {
namespace {

using vbbutton::ComputeSchemeColors;
using vbbutton::Lighten;
using vbbutton::SchemeInputs;
using vbbutton::Shade;

TEST(VbShade, MovesEachComponentByTheAmount) {
  EXPECT_EQ(Shade(0x102030, 16, false, false), 0x203040u);
  EXPECT_EQ(Shade(0x102030, -16, false, false), 0x001020u);
}

TEST(VbShade, ClampsInTheDirectionOfTheMove) {
  EXPECT_EQ(Shade(0xFFFFFF, 31, false, false), 0xFFFFFFu);
  EXPECT_EQ(Shade(0x000000, -64, false, false), 0x000000u);
  EXPECT_EQ(Shade(0xF01008, 40, false, false), 0xFF3830u);
  EXPECT_EQ(Shade(0x0830F0, -64, false, false), 0x0000B0u);
}

TEST(VbShade, SoftBevelHalvesTheAmountTowardZero) {
  EXPECT_EQ(Shade(0x101010, 47, false, true), 0x272727u);   // 47 becomes 23
  EXPECT_EQ(Shade(0x808080, -47, false, true), 0x696969u);  // -47 becomes -23, not -24
  EXPECT_EQ(Shade(0x808080, 1, false, true), 0x808080u);
}

TEST(VbShade, TheProportionalShadeScalesOnlyTheBlueMove) {
  // Blue 192 moves by the full amount; red and green always do.
  EXPECT_EQ(Shade(RGB(100, 100, 192), 48, true, false), RGB(148, 148, 240));
  EXPECT_EQ(Shade(RGB(0, 0, 96), 48, true, false), RGB(48, 48, 120));
  // -25 * 100 / 192 is -13.02, truncated toward zero to -13.
  EXPECT_EQ(Shade(RGB(50, 60, 100), -25, true, false), RGB(25, 35, 87));
  EXPECT_EQ(Shade(RGB(50, 60, 0), 40, true, false), RGB(90, 100, 0));
}

TEST(VbLighten, MapsBlackToTheBaseAndKeepsWhite) {
  EXPECT_EQ(Lighten(0x000000, 176), 0xB0B0B0u);
  EXPECT_EQ(Lighten(0xFFFFFF, 176), 0xFFFFFFu);
  // 128 + 127 * 100 / 255 = 128 + 49 (12700 / 255 = 49.8, truncated).
  EXPECT_EQ(Lighten(RGB(100, 0, 255), 128), RGB(177, 128, 255));
}

TEST(VbScheme, TheCustomSchemeDerivesEverythingFromTheFace) {
  SchemeInputs in;
  in.scheme = 2;
  in.back_color = 0x808080;
  in.back_over = 0x80000014;  // a system colour reference is translated
  in.fore_color = 0x0000FF;
  in.fore_over = 0x00FF00;
  in.mask_color = 0xFF00FF;
  const vbbutton::SchemeColors c = ComputeSchemeColors(in);
  EXPECT_EQ(c.face, 0x808080u);
  EXPECT_EQ(c.hover_face, GetSysColor(20));
  EXPECT_EQ(c.text, 0x0000FFu);
  EXPECT_EQ(c.hover_text, 0x00FF00u);
  EXPECT_EQ(c.shadow, 0x404040u);
  EXPECT_EQ(c.light, 0x9F9F9Fu);
  EXPECT_EQ(c.highlight, 0xAFAFAFu);
  EXPECT_EQ(c.dark_shadow, 0x000000u);
  EXPECT_EQ(c.selection, 0x000000u);
  EXPECT_EQ(c.light_selection, 0x808080u);
  EXPECT_EQ(c.mask, 0xFF00FFu);
  EXPECT_EQ(c.focus, 0xB0B0B0u);
}

TEST(VbScheme, SoftBevelSoftensTheCustomEdges) {
  SchemeInputs in;
  in.scheme = 2;
  in.back_color = 0x808080;
  in.soft_bevel = true;
  const vbbutton::SchemeColors c = ComputeSchemeColors(in);
  EXPECT_EQ(c.shadow, 0x606060u);     // Shade(face, -32)
  EXPECT_EQ(c.highlight, 0x979797u);  // 47 becomes 23
  EXPECT_EQ(c.light, 0x8F8F8Fu);      // 31 becomes 15
  EXPECT_EQ(c.focus, 0x989898u);      // 48 becomes 24
}

TEST(VbScheme, TheClassicPaletteIgnoresTheControlsColoursButNotTheMask) {
  for (const ColorValue back : {0x000000u, 0x123456u, 0x8000000Fu}) {
    SchemeInputs in;
    in.scheme = 3;
    in.back_color = back;
    in.back_over = back;
    in.fore_color = back;
    in.fore_over = back;
    in.mask_color = 0x00FF00;
    const vbbutton::SchemeColors c = ComputeSchemeColors(in);
    EXPECT_EQ(c.face, 0xC0C0C0u);
    EXPECT_EQ(c.hover_face, 0xC0C0C0u);
    EXPECT_EQ(c.text, 0x000000u);
    EXPECT_EQ(c.hover_text, 0x000000u);
    EXPECT_EQ(c.shadow, 0x808080u);
    EXPECT_EQ(c.light, 0xDFDFDFu);
    EXPECT_EQ(c.highlight, 0xFFFFFFu);
    EXPECT_EQ(c.dark_shadow, 0x000000u);
    EXPECT_EQ(c.selection, 0x800000u);
    EXPECT_EQ(c.light_selection, 0xD1ADADu);
    EXPECT_EQ(c.mask, 0x00FF00u);
    EXPECT_EQ(c.focus, 0xF0F0F0u);
  }
}

TEST(VbScheme, TheSystemSchemeReadsTheSystemColours) {
  for (const std::int32_t scheme : {1, 0, 7}) {
    SchemeInputs in;
    in.scheme = scheme;
    in.back_color = 0x123456;
    const vbbutton::SchemeColors c = ComputeSchemeColors(in);
    EXPECT_EQ(c.face, GetSysColor(15));
    EXPECT_EQ(c.hover_face, GetSysColor(15));
    EXPECT_EQ(c.text, GetSysColor(18));
    EXPECT_EQ(c.shadow, GetSysColor(16));
    EXPECT_EQ(c.light, GetSysColor(22));
    EXPECT_EQ(c.highlight, GetSysColor(20));
    EXPECT_EQ(c.dark_shadow, GetSysColor(21));
    EXPECT_EQ(c.selection, GetSysColor(13));
    EXPECT_EQ(c.light_selection, Lighten(GetSysColor(13), 176));
  }
}

TEST(VbScheme, TheFocusColourIsProportionalForButtonTypeThreeOnly) {
  SchemeInputs in;
  in.scheme = 2;
  in.back_color = 0x808080;
  in.button_type = 3;
  EXPECT_EQ(ComputeSchemeColors(in).focus, 0xA0B0B0u);  // blue 128 moves by 32
  in.button_type = 4;
  EXPECT_EQ(ComputeSchemeColors(in).focus, 0xB0B0B0u);
}

TEST_F(VbButtonTest, TheParentSchemeReadsTheParentWindowsContext) {
  host_.ParentDc().SetBkColor(0x204060);
  host_.ParentDc().SetTextColor(0x0000FF);
  vbButton& b = Place();
  b.ColorScheme(4);
  EXPECT_EQ(b.Colors().face, 0x204060u);
  EXPECT_EQ(b.Colors().hover_face, 0x204060u);
  EXPECT_EQ(b.Colors().text, 0x0000FFu);
  EXPECT_EQ(b.Colors().hover_text, 0x0000FFu);
  EXPECT_EQ(b.Colors().shadow, 0x000020u);
  EXPECT_EQ(b.Colors().selection, GetSysColor(13));
  // The face is drawn in the parent's colour.
  EXPECT_EQ(Pixel(50, 15), 0x204060u);
  // A change of the parent's colours shows at the next run of the routine.
  host_.ParentDc().SetBkColor(0x000080);
  b.Refresh();
  EXPECT_EQ(b.Colors().face, 0x000080u);
}

TEST_F(VbButtonTest, TheControlRecolorsWhenItsColourSettingsChange) {
  vbButton& b = Place();
  b.ColorScheme(2);
  b.BackColor(0x808080);
  EXPECT_EQ(b.Colors().shadow, 0x404040u);
  b.SoftBevel(true);
  EXPECT_EQ(b.Colors().shadow, 0x606060u);
  b.MaskColor(0x80000014);
  EXPECT_EQ(b.Colors().mask, GetSysColor(20));
  b.ForeOver(0x00AA00);
  EXPECT_EQ(b.Colors().hover_text, 0x00AA00u);
}

// With the custom scheme the hover look is drawn from BackOver, and the colours go back after.
TEST_F(VbButtonTest, TheCustomHoverLookIsDrawnFromBackOver) {
  vbButton& b = Place();
  b.ButtonType(10);  // the background alone
  b.ColorScheme(2);
  b.BackColor(0x0000C0);
  b.BackOver(0x00C000);
  EXPECT_EQ(Pixel(50, 15), 0x0000C0u);
  MoveTo(50, 15);
  EXPECT_EQ(Pixel(50, 15), 0x00C000u);
  EXPECT_EQ(Pixel(0, 0), 0x00C000u);
  EXPECT_EQ(b.Colors().face, 0x0000C0u);
  MoveAway();
  host_.Advance(10);
  EXPECT_EQ(Pixel(50, 15), 0x0000C0u);
}

// ---- Regions ----

class VbRegionTest : public VbButtonTest {
 protected:
  const Region& RegionFor(std::int32_t type, int width, int height) {
    host_.Unload();
    vbButton& b = Place("vb1", width, height);
    b.ButtonType(type);
    const Region* region = host_.RegionOf("vb1");
    EXPECT_NE(region, nullptr);
    return *region;
  }
};

TEST_F(VbRegionTest, TypesOneAndFourteenLoseTheirFourCornerPixels) {
  for (const std::int32_t type : {1, 14}) {
    const Region& r = RegionFor(type, 20, 10);
    EXPECT_FALSE(r.PtInRegion(0, 0));
    EXPECT_FALSE(r.PtInRegion(19, 0));
    EXPECT_FALSE(r.PtInRegion(0, 9));
    EXPECT_FALSE(r.PtInRegion(19, 9));
    EXPECT_TRUE(r.PtInRegion(1, 0));
    EXPECT_TRUE(r.PtInRegion(0, 1));
    EXPECT_TRUE(r.PtInRegion(18, 9));
    EXPECT_TRUE(r.PtInRegion(19, 8));
    EXPECT_FALSE(r.PtInRegion(20, 5));
  }
}

TEST_F(VbRegionTest, TypeFiveKeepsItsTopLeftAndBottomRightCorners) {
  const Region& r = RegionFor(5, 20, 10);
  EXPECT_TRUE(r.PtInRegion(0, 0));
  EXPECT_TRUE(r.PtInRegion(19, 9));
  EXPECT_FALSE(r.PtInRegion(0, 9));
  EXPECT_FALSE(r.PtInRegion(19, 0));
}

TEST_F(VbRegionTest, TypesThreeAndFourLoseThreePixelsAtEachCorner) {
  for (const std::int32_t type : {3, 4}) {
    const Region& r = RegionFor(type, 20, 10);
    for (const Point p :
         {Point{0, 0}, Point{1, 0}, Point{0, 1}, Point{18, 0}, Point{19, 0}, Point{19, 1},
          Point{0, 9}, Point{1, 9}, Point{0, 8}, Point{18, 9}, Point{19, 9}, Point{19, 8}}) {
      EXPECT_FALSE(r.PtInRegion(p.x, p.y)) << type << ": " << p.x << "," << p.y;
    }
    for (const Point p : {Point{1, 1}, Point{2, 0}, Point{0, 2}, Point{17, 0}, Point{18, 1},
                          Point{19, 2}, Point{1, 8}, Point{18, 8}, Point{2, 9}, Point{17, 9}}) {
      EXPECT_TRUE(r.PtInRegion(p.x, p.y)) << type << ": " << p.x << "," << p.y;
    }
  }
}

TEST_F(VbRegionTest, TypeThirteenIsTheInscribedEllipse) {
  // GDI's CreateEllipticRgn(0, 0, 12, 10): row 0 holds x 3 to 7, row 4 x 0 to 10.
  const Region& r = RegionFor(13, 12, 10);
  for (int x = 0; x < 12; ++x) {
    EXPECT_EQ(r.PtInRegion(x, 0), x >= 3 && x <= 7) << x;
    EXPECT_EQ(r.PtInRegion(x, 4), x <= 10) << x;
  }
  EXPECT_FALSE(r.PtInRegion(5, 9));
}

TEST_F(VbRegionTest, TypeThirteenOfTwentyByTenIsElliptic) {
  const Region& r = RegionFor(13, 20, 10);
  const auto ellipse = device_->CreateEllipticRgn(0, 0, 20, 10);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) EXPECT_EQ(r.PtInRegion(x, y), ellipse->PtInRegion(x, y));
  }
  EXPECT_FALSE(r.PtInRegion(0, 0));
  EXPECT_TRUE(r.PtInRegion(10, 5));
}

TEST_F(VbRegionTest, OtherTypesKeepTheWholeRectangle) {
  for (const std::int32_t type : {2, 6, 7, 8, 9, 10, 11, 12, 0, 15}) {
    const Region& r = RegionFor(type, 20, 10);
    EXPECT_TRUE(r.PtInRegion(0, 0)) << type;
    EXPECT_TRUE(r.PtInRegion(19, 9)) << type;
    EXPECT_TRUE(r.PtInRegion(0, 9)) << type;
    EXPECT_EQ(r.Box(), (Rect{0, 0, 20, 10})) << type;
  }
}

TEST_F(VbRegionTest, TheMouseFindsTheControlOnlyInsideItsRegion) {
  RegionFor(1, 20, 10);
  EXPECT_EQ(host_.ControlNameAt({kVbLeft, kVbTop}), "");
  EXPECT_EQ(host_.ControlNameAt({kVbLeft + 1, kVbTop}), "vb1");
}

}  // namespace
}  // namespace fw::test
