// The Button paint's surface steps: set-up, the 375-twip minimum size, squaring, the hand
// cursor and the toggle state.
#include <gtest/gtest.h>

#include "tests/controls/button/paint/paint_test_support.h"

namespace fw::test::paint {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using SizeTest = PaintTest;

TEST_F(SizeTest, PaintSetsUpThePersistentSurfaceInPixels) {
  PlaceFresh();
  EXPECT_TRUE(Window().AutoRedraw());
  EXPECT_EQ(Window().ScaleMode(), kScalePixels);
  EXPECT_EQ(Window().ScaleWidth(), 80);
  EXPECT_EQ(Window().ScaleHeight(), 33);
}

TEST_F(SizeTest, NarrowControlGrowsTo375TwipsAndShape5SquaresIt) {
  Button& b = PlaceFresh();
  Window().Width(300);
  Window().Height(600);
  EXPECT_EQ(Window().Width(), 375);
  EXPECT_EQ(Window().Height(), 600);
  b.ButtonShape(5);
  EXPECT_EQ(Window().Width(), 375);
  EXPECT_EQ(Window().Height(), 375);
  EXPECT_EQ(Window().ScaleWidth(), 25);
  EXPECT_EQ(Window().ScaleHeight(), 25);
}

TEST_F(SizeTest, LowControlGrowsTo375TwipsHigh) {
  PlaceFresh();
  Window().Height(100);
  EXPECT_EQ(Window().Width(), 1200);
  EXPECT_EQ(Window().Height(), 375);
}

TEST_F(SizeTest, RectanglesKeepTheirAspectAndOtherShapesTakeTheWidth) {
  Button& b = PlaceFresh();
  for (std::int32_t shape : {0, 1}) {
    b.ButtonShape(shape);
    Window().Width(2000);
    Window().Height(400);
    EXPECT_EQ(Window().Width(), 2000) << shape;
    EXPECT_EQ(Window().Height(), 400) << shape;
  }
  b.ButtonShape(2);
  EXPECT_EQ(Window().Width(), 2000);
  EXPECT_EQ(Window().Height(), 2000);
  // The width wins also when the control is taller than wide, and for values past 11.
  Window().Height(3000);
  EXPECT_EQ(Window().Height(), 2000);
  b.ButtonShape(-3);
  Window().Width(900);
  EXPECT_EQ(Window().Height(), 900);
}

TEST_F(SizeTest, ClampingResizeLeavesWhatOnePaintAtTheNewSizeDraws) {
  Button& b = PlacePlain(60, 40, kNoRenderer);
  b.ButtonStyleColors(0);  // nothing drawn but the caption
  b.Caption("Ag");
  b.ForeColor(0x0000C0);
  // The resize paints; that paint clamps the width, which paints the control at 25 x 25
  // before the clamping paint goes on.
  const int paints = b.PaintCount();
  Window().Width(200);
  EXPECT_EQ(b.PaintCount(), paints + 3);  // the resize, the clamp, the squaring
  EXPECT_EQ(W(), 25);
  EXPECT_EQ(H(), 25);
  const std::vector<std::uint32_t> clamped = dc().Pixels();
  b.Caption("Ag");  // a plain repaint at 25 x 25
  EXPECT_EQ(dc().Pixels(), clamped);
  EXPECT_FALSE(PixelsOf(0x0000C0).empty());
}

TEST_F(SizeTest, ClampingResizeDrawsAnInvertingPictureOnce) {
  // An icon whose every pixel is see-through with a colour: each draw inverts what is under
  // it, so drawing it a second time over the resize's paint would take it away again.
  IconEntry entry;
  entry.pixels = MakePattern(6, 4, 0);
  entry.mask.assign(24, true);
  entry.bits = 24;
  const PicturePtr xor_icon =
      std::make_shared<const Picture>(LoadPicture(MakeIconFile({entry}, false), "ico"));
  Button& b = PlacePlain(60, 40);
  b.ButtonStyleColors(0);
  b.Picture(xor_icon);
  Surface().Width(200);
  ASSERT_EQ(W(), 25);
  ASSERT_EQ(H(), 40);
  const std::vector<std::uint32_t> clamped = dc().Pixels();
  b.Caption("");  // a plain repaint at 25 x 40
  EXPECT_EQ(dc().Pixels(), clamped);
  const ColorRef back = Resolved(Surface().BackColor());
  EXPECT_NE(Pixel(10, 18), back);  // the icon is there, at (r(9.5), r(18)) = (10, 18)
}

// ---- Hand cursor ----

class CursorTest : public PaintTest {
 protected:
  void SetUp() override {
    button_ = &PlaceFresh();
    host_.ClearRecords();
  }
  Button& button() { return *button_; }
  Button* button_ = nullptr;
};

TEST_F(CursorTest, HandCursorWhileHoveredAndNotPressed) {
  MoveTo(5, 5);
  EXPECT_THAT(Cursors(), IsEmpty());  // HandPointer False touches no cursor
  button().HandPointer(true);
  EXPECT_THAT(Cursors(), ElementsAre(std::to_string(kIdcHand)));
  EXPECT_EQ(host_.CurrentCursor(), static_cast<CursorHandle>(kIdcHand));
}

TEST_F(CursorTest, NoCursorChangeWhenNeitherFocusedNorHovered) {
  button().HandPointer(true);
  button().Caption("x");
  EXPECT_THAT(Cursors(), IsEmpty());
}

TEST_F(CursorTest, HandCursorWhileFocusedEvenWhenPressed) {
  button().HandPointer(true);
  host_.Focus("Command1");
  EXPECT_THAT(Cursors(), ElementsAre(std::to_string(kIdcHand)));
  MoveTo(5, 5);
  host_.MouseDown();
  ASSERT_TRUE(button().PressedFlag());
  // Focus got: one paint; hover: one; press: one.
  EXPECT_THAT(Cursors(), ElementsAre("32649", "32649", "32649"));
}

TEST_F(CursorTest, NoCursorChangeWhileHoveredAndPressedWithoutFocus) {
  MoveTo(5, 5);
  host_.MouseDown();
  host_.Focus("");
  ASSERT_TRUE(button().PressedFlag());
  ASSERT_EQ(button().HoverFlag(), true);
  ASSERT_FALSE(button().FocusFlag());
  host_.ClearRecords();
  button().HandPointer(true);
  EXPECT_THAT(Cursors(), IsEmpty());
  // The release clears the pressed flag: hovered and not pressed again, in the release's
  // paint and in the click's.
  host_.MouseUp();
  EXPECT_THAT(Cursors(), ElementsAre("32649", "32649"));
}

TEST_F(CursorTest, CursorStepComesBeforeTheToggleState) {
  MoveTo(5, 5);
  button().ButtonType(1);
  button().HandPointer(true);
  host_.ClearRecords();
  // Value True: the paint tests the cursor with the pressed flag still clear, then sets it.
  button().Value(true);
  EXPECT_THAT(Cursors(), ElementsAre("32649"));
  EXPECT_TRUE(button().PressedFlag());
  button().Caption("again");
  EXPECT_THAT(Cursors(), ElementsAre("32649"));
}

// ---- Toggle state ----

TEST_F(SizeTest, ToggleWithValueTruePaintsPressedAndKeepsTheFlag) {
  Button& b = PlacePlain(80, 40);
  b.ButtonStyleColors(1);
  b.BackColor(0x112233);
  b.BackColorPressed(0x445566);
  b.BackColorHover(0x778899);
  EXPECT_EQ(Pixel(40, 20), 0x112233u);
  b.ButtonType(1);
  EXPECT_FALSE(b.PressedFlag());  // Value is still False
  b.Value(true);
  EXPECT_TRUE(b.PressedFlag());
  EXPECT_EQ(Pixel(40, 20), 0x445566u);
  EXPECT_EQ(Window().BackColor(), 0x445566u);
  b.Value(false);
  EXPECT_TRUE(b.PressedFlag());  // only a release clears it
  EXPECT_EQ(Pixel(40, 20), 0x445566u);
}

TEST_F(SizeTest, PlainButtonWithValueTrueIsNotPressed) {
  Button& b = PlacePlain(80, 40);
  b.ButtonType(0);
  b.Value(true);
  EXPECT_FALSE(b.PressedFlag());
}

}  // namespace
}  // namespace fw::test::paint
