// vbButton faces: the drawing primitives, and the looks of the fourteen ButtonTypes in the up,
// hover, down and disabled states. Captions are empty unless a test is about the caption, so
// that only the look's own lines and fills are on the surface. The classic palette (scheme 3)
// gives every colour a fixed value.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "controls/vbbutton/face_canvas.h"
#include "tests/controls/vbbutton/vbbutton_test_support.h"
#include "tests/platform/failing_device.h"

namespace fw::test {
namespace {

// The classic palette.
constexpr ColorRef kFace = 0xC0C0C0;
constexpr ColorRef kShadow = 0x808080;
constexpr ColorRef kLight = 0xDFDFDF;
constexpr ColorRef kHighlight = 0xFFFFFF;
constexpr ColorRef kDark = 0x000000;
constexpr ColorRef kSelection = 0x800000;
constexpr ColorRef kLightSelection = 0xD1ADAD;
constexpr ColorRef kFocus = 0xF0F0F0;

// Draws `draw` on a white w x h surface and returns it as rows of characters: '.' for white and
// the character `legend` gives a colour for every other pixel ('?' for an unknown colour).
template <class Draw, class Legend>
std::vector<std::string> Picture(GdiDevice& device, int w, int h, Draw draw, Legend legend) {
  auto dc = device.CreateSurface(w, h, 0xFFFFFF);
  draw(*dc);
  std::vector<std::string> rows;
  for (int y = 0; y < h; ++y) {
    std::string row;
    for (int x = 0; x < w; ++x) {
      const ColorRef c = dc->GetPixel(x, y);
      row += c == 0xFFFFFF ? '.' : legend(c);
    }
    rows.push_back(row);
  }
  return rows;
}

char Rings(ColorRef c) {
  switch (c) {
    case 0x000001:
      return '1';
    case 0x000002:
      return '2';
    case 0x000003:
      return '3';
    case 0x000004:
      return '4';
    default:
      return '?';
  }
}

class VbPrimitiveTest : public ::testing::Test {
 protected:
  std::unique_ptr<GdiDevice> device_ = CreatePlatformGdiDevice();
};

TEST_F(VbPrimitiveTest, ABevelAtTheEdgeDrawsTwoRings) {
  const auto rows = Picture(
      *device_, 10, 8, [](Dc& dc) { vbbutton::FaceCanvas(dc, 0, 10, 8).Bevel(1, 2, 3, 4, 0); },
      Rings);
  EXPECT_THAT(rows, ::testing::ElementsAre("1111111112",  //
                                           "1333333342",  //
                                           "13......42",  //
                                           "13......42",  //
                                           "13......42",  //
                                           "13......42",  //
                                           "1444444442",  //
                                           "2222222222"));
}

TEST_F(VbPrimitiveTest, ABevelAtMinusOneIsDrawnOnePixelIn) {
  const auto rows = Picture(
      *device_, 10, 8, [](Dc& dc) { vbbutton::FaceCanvas(dc, 0, 10, 8).Bevel(1, 2, 3, 4, -1); },
      Rings);
  EXPECT_THAT(rows, ::testing::ElementsAre("..........",  //
                                           ".11111112.",  //
                                           ".13333342.",  //
                                           ".13....42.",  //
                                           ".13....42.",  //
                                           ".14444442.",  //
                                           ".22222222.",  //
                                           ".........."));
}

TEST_F(VbPrimitiveTest, AnOuterOnlyBevelStopsAfterItsFirstRing) {
  const auto rows = Picture(
      *device_, 6, 4, [](Dc& dc) { vbbutton::FaceCanvas(dc, 0, 6, 4).Bevel(1, 2, 3, 4, 0, true); },
      Rings);
  EXPECT_THAT(rows, ::testing::ElementsAre("111112",  //
                                           "1....2",  //
                                           "1....2",  //
                                           "222222"));
}

// GDI's width-2 pen on an ellipse, as GDI draws Ellipse(2, 2, 17, 13).
TEST_F(VbPrimitiveTest, TheEllipseHasATwoPixelPenAndASolidBrush) {
  const auto rows = Picture(
      *device_, 20, 14,
      [](Dc& dc) { vbbutton::FaceCanvas(dc, 0, 20, 14).Ellipse(2, 2, 15, 11, 0x000001, 0x000002); },
      [](ColorRef c) { return c == 0x000001   ? '#'
                              : c == 0x000002 ? 'o'
                                              : '?'; });
  EXPECT_EQ(rows[1], "......######........");
  EXPECT_EQ(rows[2], "....##########......");
  EXPECT_EQ(rows[3], "..######oo######....");
  EXPECT_EQ(rows[4], "..####oooooo####....");
  EXPECT_EQ(rows[5], ".###oooooooooo###...");
  EXPECT_EQ(rows[7], ".##oooooooooooo##...");
  EXPECT_EQ(rows[11], "...############.....");
  EXPECT_EQ(rows[12], ".....########.......");
}

TEST_F(VbPrimitiveTest, TheEllipseGivesTheSurfaceItsPenAndBrushBack) {
  auto dc = device_->CreateSurface(20, 10, 0xFFFFFF);
  vbbutton::FaceCanvas canvas(*dc, 0x0000FF, 20, 10);
  canvas.Ellipse(0, 0, 10, 10, 0x00FF00, 0x00FF00);
  dc->Rectangle(12, 2, 18, 8);  // the surface's own pen, and a hollow brush
  EXPECT_EQ(dc->GetPixel(12, 2), 0x0000FFu);
  EXPECT_EQ(dc->GetPixel(15, 5), 0xFFFFFFu);
}

TEST_F(VbPrimitiveTest, FillFrameLineAndPixelFollowGdisEdges) {
  const auto rows = Picture(
      *device_, 8, 6,
      [](Dc& dc) {
        vbbutton::FaceCanvas canvas(dc, 0, 8, 6);
        canvas.Fill(0, 0, 3, 2, 0x000001);
        canvas.Frame(4, 0, 4, 4, 0x000002);
        canvas.Line(0, 5, 6, 5, 0x000003);
        canvas.Pixel(2, 3, 0x000004);
      },
      Rings);
  EXPECT_THAT(rows, ::testing::ElementsAre("111.2222",  //
                                           "111.2..2",  //
                                           "....2..2",  //
                                           "..4.2222",  //
                                           "........",  //
                                           "333333.."));
}

TEST_F(VbPrimitiveTest, ACoordinateSumBeyondThirtyTwoBitsIsAnOverflow) {
  auto dc = device_->CreateSurface(4, 4, 0xFFFFFF);
  vbbutton::FaceCanvas canvas(*dc, 0, 4, 4);
  EXPECT_THROW(canvas.Fill(2147483647, 0, 1, 1, 0), OverflowError);
  EXPECT_THROW(canvas.Frame(0, -2147483647 - 1, 1, -1, 0), OverflowError);
  EXPECT_NO_THROW(canvas.Fill(2147483646, 0, 1, 1, 0));
}

// ---- Looks ----

class VbLookTest : public VbButtonTest {
 protected:
  // A 100 x 30 control of `type` in the classic palette, with no caption.
  vbButton& Look(std::int32_t type, int width = 100, int height = 30) {
    vbButton& b = Place("vb1", width, height);
    b.Caption("");
    b.ColorScheme(3);
    b.ButtonType(type);
    return b;
  }
  // Every pixel of the surface that is not `color`.
  int CountNot(ColorRef color) {
    int n = 0;
    for (const ColorRef c : Image()) n += c != color ? 1 : 0;
    return n;
  }
};

TEST_F(VbLookTest, TypeOneUpHasARaisedBevelInsideADarkFrame) {
  Look(1);
  EXPECT_EQ(Pixel(0, 0), kDark);
  EXPECT_EQ(Pixel(99, 29), kDark);
  EXPECT_EQ(Pixel(1, 1), kHighlight);
  EXPECT_EQ(Pixel(1, 27), kHighlight);
  EXPECT_EQ(Pixel(1, 28), kShadow);  // the bottom line is drawn after the left one
  EXPECT_EQ(Pixel(98, 1), kShadow);
  EXPECT_EQ(Pixel(50, 28), kShadow);
  EXPECT_EQ(Pixel(2, 2), kHighlight);
  EXPECT_EQ(Pixel(97, 2), kShadow);
  EXPECT_EQ(Pixel(2, 27), kShadow);
  EXPECT_EQ(Pixel(50, 15), kFace);
}

TEST_F(VbLookTest, TypeOneDownSwapsTheBevelColours) {
  vbButton& b = Look(1);
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(Pixel(0, 0), kDark);
  EXPECT_EQ(Pixel(1, 1), kShadow);
  EXPECT_EQ(Pixel(98, 1), kHighlight);
  EXPECT_EQ(Pixel(2, 2), kShadow);
  EXPECT_EQ(Pixel(97, 27), kHighlight);
}

TEST_F(VbLookTest, TheFocusRectangleIsDrawnOnTheContentRectangle) {
  Look(1);
  host_.Focus("vb1");
  // Wine's focus pattern starts inverted at the top right corner of (4, 4)-(96, 26).
  EXPECT_EQ(Pixel(95, 4), 0x3F3F3Fu);
  EXPECT_EQ(Pixel(94, 4), kFace);
  EXPECT_EQ(Pixel(96, 4), kFace);
}

TEST_F(VbLookTest, TypeTwoUpWithoutTheDefaultFlagShowsNoFocusRectangle) {
  vbButton& b = Look(2);
  const auto unfocused = Image();
  host_.Focus("vb1");
  EXPECT_TRUE(b.FocusFlag());
  EXPECT_EQ(Image(), unfocused);
  EXPECT_EQ(Pixel(0, 0), kHighlight);
  EXPECT_EQ(Pixel(99, 0), kDark);
  EXPECT_EQ(Pixel(0, 29), kDark);
  EXPECT_EQ(Pixel(1, 1), kLight);
  EXPECT_EQ(Pixel(98, 1), kShadow);
  EXPECT_EQ(Pixel(1, 28), kShadow);
}

TEST_F(VbLookTest, TypeTwoAsTheDefaultButtonIsFramedAndFocused) {
  Look(2);
  host_.SetDisplayAsDefault("vb1", true);
  host_.Focus("vb1");
  EXPECT_EQ(Pixel(0, 0), kDark);
  EXPECT_EQ(Pixel(0, 15), kDark);
  EXPECT_EQ(Pixel(1, 1), kHighlight);
  EXPECT_EQ(Pixel(2, 2), kLight);
  EXPECT_EQ(Pixel(95, 4), 0x3F3F3Fu);
}

TEST_F(VbLookTest, TypeTwoDownAsTheDefaultButtonHasTwoFlatFrames) {
  vbButton& b = Look(2);
  host_.SetDisplayAsDefault("vb1", true);
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(Pixel(0, 0), kDark);
  EXPECT_EQ(Pixel(1, 1), kShadow);
  EXPECT_EQ(Pixel(98, 28), kShadow);
  EXPECT_EQ(Pixel(2, 2), kFace);
}

TEST_F(VbLookTest, TypeSixUsesALightenedLight) {
  Look(6);
  EXPECT_EQ(Pixel(0, 0), 0xE7E7E7u);
  EXPECT_EQ(Pixel(1, 1), 0xE7E7E7u);
  EXPECT_EQ(Pixel(99, 29), kShadow);
}

TEST_F(VbLookTest, TypeSevenAlwaysShowsItsRingTypeEightOnlyUnderTheMouse) {
  Look(7);
  EXPECT_EQ(Pixel(0, 0), kHighlight);
  EXPECT_EQ(Pixel(99, 29), kShadow);
  EXPECT_EQ(Pixel(1, 1), kFace);
  host_.Unload();
  vbButton& b = Look(8);
  EXPECT_EQ(CountNot(kFace), 0);
  MoveTo(50, 15);
  EXPECT_TRUE(b.MouseOverFlag());
  EXPECT_EQ(Pixel(0, 0), kHighlight);
  EXPECT_EQ(Pixel(99, 29), kShadow);
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(Pixel(0, 0), kShadow);
  EXPECT_EQ(Pixel(99, 29), kHighlight);
}

TEST_F(VbLookTest, TypeTenDrawsOnlyTheBackground) {
  vbButton& b = Look(10);
  b.Caption("Ten");
  host_.Focus("vb1");
  EXPECT_EQ(CountNot(kFace), 0);
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(CountNot(kFace), 0);
  b.Enabled(false);
  EXPECT_EQ(CountNot(kFace), 0);
}

TEST_F(VbLookTest, AStateOtherThanUpOrDownDrawsOnlyTheBackground) {
  vbButton& b = Look(1);
  b.Caption("One");
  b.Draw(1, true);
  EXPECT_EQ(CountNot(kFace), 0);
}

TEST_F(VbLookTest, AnUnknownTypeDrawsNoLook) {
  vbButton& b = Look(15);
  b.Caption("Fifteen");
  EXPECT_EQ(CountNot(kFace), 0);
}

TEST_F(VbLookTest, TypeTwelveShowsItsBevelUnderTheMouseAndWhenDown) {
  vbButton& b = Look(12);
  EXPECT_EQ(CountNot(kFace), 0);
  MoveTo(50, 15);
  EXPECT_EQ(Pixel(0, 0), kHighlight);
  EXPECT_EQ(Pixel(99, 29), kDark);
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(Pixel(0, 0), kDark);
  EXPECT_EQ(Pixel(1, 1), kShadow);
}

TEST_F(VbLookTest, TypeNineLightsUpUnderTheMouse) {
  vbButton& b = Look(9);
  EXPECT_EQ(CountNot(kFace), 0);
  MoveTo(50, 15);
  EXPECT_EQ(Pixel(0, 0), kSelection);
  EXPECT_EQ(Pixel(99, 29), kSelection);
  EXPECT_EQ(Pixel(50, 15), kLightSelection);
  // Down under the mouse: the selection lightened halfway to white, 128 + 127 * 128 / 255.
  b.MouseDown(kLeftButton, 0, 50, 15);
  EXPECT_EQ(Pixel(50, 15), 0xBF8080u);
  EXPECT_EQ(Pixel(0, 0), kSelection);
}

TEST_F(VbLookTest, TypeFiveIsARaisedPanel) {
  vbButton& b = Look(5);
  EXPECT_EQ(Pixel(50, 15), vbbutton::Shade(kFace, 12, false, false));
  EXPECT_EQ(Pixel(0, 0), vbbutton::Shade(kShadow, -26, false, false));
  EXPECT_EQ(Pixel(1, 1), kHighlight);
  EXPECT_EQ(Pixel(1, 28), vbbutton::Shade(kShadow, 26, false, false));
  EXPECT_EQ(Pixel(98, 1), vbbutton::Shade(kShadow, 26, false, false));
  EXPECT_EQ(Pixel(99, 29), kHighlight);
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(Pixel(50, 15), vbbutton::Shade(kShadow, 16, false, false));
  EXPECT_EQ(Pixel(99, 15), kHighlight);
  EXPECT_EQ(Pixel(50, 29), kHighlight);
  b.Enabled(false);
  EXPECT_EQ(Pixel(0, 0), kShadow);
  EXPECT_EQ(Pixel(99, 29), kShadow);
  EXPECT_EQ(Pixel(50, 15), kFace);
}

TEST_F(VbLookTest, TypeThirteenIsAnEllipse) {
  vbButton& b = Look(13);
  EXPECT_EQ(Pixel(50, 15), kFace);
  EXPECT_EQ(Pixel(0, 15), kFace);  // the pen is the face colour without the mouse
  MoveTo(50, 15);
  EXPECT_EQ(Pixel(0, 15), kShadow);
  EXPECT_EQ(Pixel(50, 0), kShadow);
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(Pixel(50, 15), vbbutton::Shade(kFace, -32, false, false));
  EXPECT_EQ(Pixel(0, 15), kDark);
}

TEST_F(VbLookTest, TypeFourIsAPlateWithSoftCorners) {
  vbButton& b = Look(4);
  EXPECT_EQ(Pixel(0, 0), kDark);
  EXPECT_EQ(Pixel(1, 28), kDark);
  EXPECT_EQ(Pixel(3, 3), kHighlight);
  EXPECT_EQ(Pixel(10, 2), kHighlight);
  EXPECT_EQ(Pixel(50, 15), kLight);
  EXPECT_EQ(Pixel(98, 10), kShadow);
  EXPECT_EQ(Pixel(97, 10), kFace);
  b.Draw(vbButton::kDown, true);
  const ColorRef pressed = vbbutton::Shade(kShadow, -16, false, false);
  EXPECT_EQ(Pixel(50, 15), pressed);
  EXPECT_EQ(Pixel(1, 10), vbbutton::Shade(kShadow, -64, false, false));
  EXPECT_EQ(Pixel(2, 10), vbbutton::Shade(kShadow, -32, false, false));
  // The down look gives the focus colour back as the colour-scheme routine has it.
  EXPECT_EQ(b.Colors().focus, kFocus);
}

// s = 25 / H: with H = 25 each row y is the focus colour shaded by -y.
TEST_F(VbLookTest, TypeThreeShadesEachRowOfItsUpLook) {
  vbButton& b = Look(3, 100, 25);
  b.Refresh();  // the focus colour of type 3 is proportional
  const ColorRef f = b.Colors().focus;
  EXPECT_EQ(f, 0xF0F0F0u);
  for (int y = 4; y <= 20; ++y) {
    EXPECT_EQ(Pixel(50, y), vbbutton::Shade(f, -y, true, false)) << y;
  }
  EXPECT_EQ(Pixel(0, 0), 0x733C00u);
  EXPECT_EQ(Pixel(1, 1), 0x7B4D10u);
}

// s = 0.5 with H = 50: rows 5 and 7 are shaded by r(-2.5) = -2 and r(-3.5) = -4.
TEST_F(VbLookTest, TypeThreeRoundsHalvesToEven) {
  vbButton& b = Look(3, 100, 50);
  b.Refresh();
  const ColorRef f = b.Colors().focus;
  EXPECT_EQ(Pixel(50, 5), vbbutton::Shade(f, -2, true, false));
  EXPECT_EQ(Pixel(50, 7), vbbutton::Shade(f, -4, true, false));
}

TEST_F(VbLookTest, TypeThreeHasAHotRimUnderTheMouseAndAFocusedRim) {
  vbButton& b = Look(3);
  b.ShowFocusRect(false);
  MoveTo(50, 15);
  EXPECT_EQ(Pixel(1, 5), 0x31B2FFu);
  EXPECT_EQ(Pixel(50, 1), 0xCEF3FFu);
  EXPECT_EQ(Pixel(50, 28), 0x0096E7u);
  MoveAway();
  host_.Advance(10);
  b.ShowFocusRect(true);
  host_.SetDisplayAsDefault("vb1", true);
  EXPECT_EQ(Pixel(1, 5), 0xE7AE8Cu);
  EXPECT_EQ(Pixel(50, 1), 0xFFE7CEu);
}

TEST_F(VbLookTest, TypeThreeDisabledIsFlat) {
  vbButton& b = Look(3);
  b.Enabled(false);
  const ColorRef f = b.Colors().focus;
  EXPECT_EQ(Pixel(50, 15), vbbutton::Shade(f, -24, true, false));
  EXPECT_EQ(Pixel(0, 0), vbbutton::Shade(f, -84, true, false));
  EXPECT_EQ(Pixel(98, 28), vbbutton::Shade(f, -72, true, false));
}

// t = 58 / H: with H = 29 each row y is the highlight shaded by -2y.
TEST_F(VbLookTest, TypeFourteenShadesItsRowsFromTheHighlight) {
  vbButton& b = Look(14, 100, 29);
  for (int y = 6; y <= 24; ++y) {
    EXPECT_EQ(Pixel(50, y), vbbutton::Shade(kHighlight, -2 * y, false, false)) << y;
  }
  EXPECT_EQ(Pixel(0, 0), vbbutton::Shade(kShadow, -50, false, false));
  EXPECT_EQ(Pixel(1, 1), vbbutton::Shade(kFace, -9, false, false));
  EXPECT_EQ(Pixel(2, 2), kHighlight);
  EXPECT_EQ(Pixel(3, 20), kHighlight);
  b.ShowFocusRect(false);
  MoveTo(50, 15);
  EXPECT_EQ(Pixel(50, 15), kLight);
  b.Draw(vbButton::kDown, true);
  EXPECT_EQ(Pixel(50, 15), vbbutton::Shade(kFace, -9, false, false));
  EXPECT_EQ(Pixel(0, 0), vbbutton::Shade(kShadow, -48, false, false));
  EXPECT_EQ(Pixel(98, 20), kHighlight);
}

TEST_F(VbLookTest, TypeElevenShowsTheParentsPixelsBehindIt) {
  host_.ParentDc().FillRect({0, 0, 395, 225}, Brush::Solid(0x123456));
  host_.ParentDc().FillRect({kVbLeft + 5, 0, kVbLeft + 8, 225}, Brush::Solid(0x00AA00));
  vbButton& b = Look(11);
  EXPECT_EQ(Pixel(50, 15), 0x123456u);
  EXPECT_EQ(Pixel(5, 10), 0x00AA00u);
  EXPECT_EQ(Pixel(7, 29), 0x00AA00u);
  EXPECT_EQ(Pixel(8, 10), 0x123456u);
  EXPECT_FALSE(b.Fields().capture_busy);
  // The control keeps its size through the capture.
  EXPECT_EQ(Window().Height(), 30 * 15);
  EXPECT_EQ(b.Fields().height, 30);
  // Refresh captures again.
  host_.ParentDc().FillRect({0, 0, 395, 225}, Brush::Solid(0x654321));
  EXPECT_EQ(Pixel(50, 15), 0x123456u);
  b.Refresh();
  EXPECT_EQ(Pixel(50, 15), 0x654321u);
}

TEST_F(VbLookTest, ALoadedTypeElevenCapturesWhenItIsShown) {
  host_.ParentDc().FillRect({0, 0, 395, 225}, Brush::Solid(0x0A0B0C));
  PropertyBag bag;
  bag.WriteInt32("BTYPE", 11, 0);
  PlaceLoaded(bag);
  EXPECT_EQ(Pixel(50, 15), 0x0A0B0Cu);
}

// ---- A step that fails ----

// The background capture of ButtonType 11 takes the control's height and sets its busy flag for
// a while; ButtonType 14's default-button caption switches drawing off and the font bold. A step
// that fails in between (here the drawing device) leaves all of them as they were before.
TEST(VbFailingStep, AFailedStepLeavesNothingChangedBehind) {
  const struct {
    std::int32_t type;
    void (FailingDevice::*fail)();
  } cases[] = {{11, &FailingDevice::FailNextSurface}, {14, &FailingDevice::FailNextText}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    FailingDevice device;
    headless::HeadlessHost host{device};
    vbButton& b = host.Place<vbButton>(
        {"vb1", {kVbLeft * 15, kVbTop * 15, (kVbLeft + 100) * 15, (kVbTop + 30) * 15}, nullptr});
    b.Caption("OK");
    b.ButtonType(c.type);
    host.SetDisplayAsDefault("vb1", true);
    // Height in twips, busy flag, drawing allowed, FontBold.
    const auto state = [&] {
      return std::tuple(host.WindowOf("vb1").Height(), b.Fields().capture_busy, b.DrawingAllowed(),
                        b.FontBold());
    };
    const auto before = state();
    (device.*c.fail)();
    EXPECT_THROW(b.Refresh(), DeviceFailure);
    EXPECT_EQ(state(), before);
  }
}

}  // namespace
}  // namespace fw::test
