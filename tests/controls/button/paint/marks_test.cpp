// The Button paint's marks: the focus marking chequer over the lines in the pen colour the
// renderer left, the focus rectangle of ButtonStyle 4 and the drop-down chevrons.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "tests/controls/button/paint/paint_test_support.h"

namespace fw::test::paint {
namespace {

constexpr ColorRef kGreen = 0x00C000;

using PixelSet = std::set<std::pair<int, int>>;

// The grid the marking visits: odd columns and rows from 3 up to W-3 and H-3, even ones from
// 2 up to W-2 and H-2.
bool Visited(int x, int y, int w, int h) {
  if (x % 2 == 1 && y % 2 == 1) return x >= 3 && x <= w - 3 && y >= 3 && y <= h - 3;
  if (x % 2 == 0 && y % 2 == 0) return x >= 2 && x <= w - 2 && y >= 2 && y <= h - 2;
  return false;
}

class FocusMarkingTest : public PaintTest {
 protected:
  // A square without a renderer whose whole surface is in the border pen's colour.
  Button& Place(int size, const std::string& name = "Command1") {
    Button& b = PlacePlain(size, size, kNoRenderer, name);
    b.ButtonStyleColors(1);
    b.BackColor(kGreen);
    b.BorderColor(kGreen);
    return b;
  }
  void ExpectChequer() {
    for (int y = 0; y < H(); ++y) {
      for (int x = 0; x < W(); ++x) {
        ASSERT_EQ(Pixel(x, y), Visited(x, y, W(), H()) ? 0x000000u : kGreen) << x << "," << y;
      }
    }
  }
  void ExpectNoMarks() { EXPECT_TRUE(PixelsOf(0x000000).empty()); }
};

TEST_F(FocusMarkingTest, FocusedControlGetsTheChequerOverThePenColour) {
  Place(80);
  ExpectNoMarks();
  host_.Focus("Command1");
  ExpectChequer();
  host_.Focus("");
  ExpectNoMarks();
}

TEST_F(FocusMarkingTest, OddSizeLeavesColumnAndRowWMinus2Unvisited) {
  Place(81);
  host_.Focus("Command1");
  ExpectChequer();
  EXPECT_EQ(Pixel(79, 79), kGreen);
  EXPECT_EQ(Pixel(78, 78), 0x000000u);
  EXPECT_EQ(Pixel(77, 77), 0x000000u);
}

TEST_F(FocusMarkingTest, OnlyPixelsInThePenColourAreMarked) {
  Button& b = Place(60);
  b.BorderColor(0x123456);
  host_.Focus("Command1");
  ExpectNoMarks();
  // Pressed: the pen is BorderColorPressed.
  b.BackColorPressed(kGreen);
  b.BorderColorPressed(kGreen);
  MoveTo(30, 30);
  host_.MouseDown();
  ASSERT_TRUE(b.PressedFlag());
  ExpectChequer();
}

TEST_F(FocusMarkingTest, FocusRectFalseMarksNothing) {
  Button& b = Place(60);
  b.FocusRect(false);
  host_.Focus("Command1");
  ExpectNoMarks();
}

TEST_F(FocusMarkingTest, StyleThreeIsMarkedAndStyleSevenIsNot) {
  // Style 3 writes BackColor as the normal border colour: the background is in the pen colour.
  Button& b3 = Place(60, "Style3");
  b3.ButtonStyle(3);
  b3.BackColor(kGreen);
  host_.Focus("Style3");
  ExpectChequer();
  // Style 7's pen is 0x8F8F8E; with no background drawn the surface stays in that colour.
  Button& b7 = Place(60, "Style7");
  b7.ButtonStyle(7);
  b7.BackColor(0x8F8F8E);  // the surface background colour scheme 1 sets
  b7.ButtonStyleColors(0);
  host_.Focus("Style7");
  ASSERT_EQ(Surface().ForeColor(), 0x8F8F8Eu);
  ASSERT_EQ(Pixel(30, 30), 0x8F8F8Eu);
  ExpectNoMarks();
}

// ---- Focus rectangle of style 4 ----

class Style4FocusTest : public PaintTest {
 protected:
  Button& Place() {
    Button& b = PlacePlain(90, 90, kNoRenderer);
    b.ButtonStyle(4);
    b.Caption("Ag");
    return b;
  }
  // The caption box of the centred caption.
  Rect CaptionBox() {
    const Size e = Extent("Ag");
    const int x = RoundHalfEven((W() - e.cx) / 2.0);
    const int y = RoundHalfEven((H() - e.cy) / 2.0);
    return {x, y, x + e.cx, y + e.cy};
  }
  // The outline of [x - 3, x + cx + 2) x [y - 2, y + cy + 2).
  PixelSet Frame() {
    const Rect c = CaptionBox();
    const Rect f{c.left - 3, c.top - 2, c.right + 2, c.bottom + 2};
    PixelSet frame;
    for (int x = f.left; x < f.right; ++x) {
      frame.insert({x, f.top});
      frame.insert({x, f.bottom - 1});
    }
    for (int y = f.top; y < f.bottom; ++y) {
      frame.insert({f.left, y});
      frame.insert({f.right - 1, y});
    }
    return frame;
  }
};

TEST_F(Style4FocusTest, FocusedCaptionGetsAnUnfilledFrame) {
  Place();
  EXPECT_TRUE(PixelsOf(0xCC9999).empty());
  host_.Focus("Command1");
  EXPECT_EQ(PixelsOf(0xCC9999), Frame());
  EXPECT_EQ(Surface().ForeColor(), 0xCC9999u);
  // The caption inside is still there.
  EXPECT_FALSE(PixelsOf(0x000000).empty());
  // Style 4 has no focus marking.
  EXPECT_EQ(Pixel(CaptionBox().left - 3, CaptionBox().top), 0xCC9999u);
}

TEST_F(Style4FocusTest, NoFrameWithoutCaptionFocusRectOrStyle4) {
  Button& b = Place();
  host_.Focus("Command1");
  b.Caption("");
  EXPECT_TRUE(PixelsOf(0xCC9999).empty());
  b.Caption("Ag");
  b.FocusRect(false);
  EXPECT_TRUE(PixelsOf(0xCC9999).empty());
  b.FocusRect(true);
  b.ButtonStyle(5);
  EXPECT_TRUE(PixelsOf(0xCC9999).empty());
}

// ---- Drop-down arrow ----

// The pixels of MoveToEx(a) LineTo(b) for a 45-degree line: b itself is left out.
void AddDiagonal(PixelSet& set, Point a, Point b) {
  const int n = std::abs(b.x - a.x);
  ASSERT_EQ(n, std::abs(b.y - a.y));
  const int sx = b.x > a.x ? 1 : -1;
  const int sy = b.y > a.y ? 1 : -1;
  for (int i = 0; i < n; ++i) set.insert({a.x + i * sx, a.y + i * sy});
}

PixelSet Chevrons(int ox, int oy) {
  PixelSet set;
  const Point runs[4][3] = {
      {{6, 5}, {9, 8}, {13, 4}},
      {{7, 5}, {9, 7}, {12, 4}},
      {{6, 9}, {9, 12}, {13, 8}},
      {{7, 9}, {9, 11}, {12, 8}},
  };
  for (const auto& run : runs) {
    for (int i = 0; i < 2; ++i) {
      AddDiagonal(set, {ox + run[i].x, oy + run[i].y}, {ox + run[i + 1].x, oy + run[i + 1].y});
    }
  }
  return set;
}

class DropDownTest : public PaintTest {
 protected:
  Button& Place(int width, int height) {
    Button& b = PlacePlain(width, height);
    b.ButtonStyleColors(1);
    b.BackColor(0xFFFFFF);
    b.BorderColor(0x00FF00);  // the outline must not be black
    return b;
  }
};

TEST_F(DropDownTest, RightArrowOnA100By30Surface) {
  Button& b = Place(100, 30);
  EXPECT_TRUE(PixelsOf(0x000000).empty());
  b.DropDown(2);
  // Origin (79, 7): the first polyline runs (85, 12) -> (88, 15) -> (92, 11).
  const PixelSet expected = Chevrons(79, 7);
  EXPECT_EQ(PixelsOf(0x000000), expected);
  for (const auto& p : PixelSet{{85, 12}, {86, 13}, {87, 14}, {88, 15}, {89, 14}, {91, 12}}) {
    EXPECT_TRUE(expected.count(p)) << p.first << "," << p.second;
  }
  EXPECT_FALSE(expected.count({92, 11}));
  EXPECT_EQ(Surface().ForeColor(), 0x000000u);
}

TEST_F(DropDownTest, LeftArrowRoundsItsRowHalfToEven) {
  Button& b = Place(100, 33);
  b.DropDown(1);
  EXPECT_EQ(PixelsOf(0x000000), Chevrons(2, 8));  // r(16.5 - 8) = r(8.5) = 8
  Surface().Height(35 * kTwipsPerPixel);
  EXPECT_EQ(PixelsOf(0x000000), Chevrons(2, 10));  // r(9.5) = 10
}

TEST_F(DropDownTest, OtherValuesDrawAtTheOrigin) {
  Button& b = Place(100, 40);
  b.DropDown(3);
  EXPECT_EQ(PixelsOf(0x000000), Chevrons(0, 0));
  b.DropDown(-1);
  EXPECT_EQ(PixelsOf(0x000000), Chevrons(0, 0));
  b.DropDown(0);
  EXPECT_TRUE(PixelsOf(0x000000).empty());
}

}  // namespace
}  // namespace fw::test::paint
