// The Button paint's caption: the caption box by CaptionAlignment (measured with
// GetTextExtentPoint32A), the text draws by state, CaptionEffect and Enabled, and the colour
// ramp of CaptionStyle. Expected surfaces are the caption-less paint with the same text draws
// made on a copy.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/controls/button/paint/paint_test_support.h"

namespace fw::test::paint {
namespace {

constexpr ColorRef kPaper = 0xFFFFFF;
constexpr ColorRef kInk = 0x0000C0;
constexpr ColorRef kHoverInk = 0xC00000;
constexpr ColorRef kPressedInk = 0x00A000;
constexpr ColorRef kEffect = 0x00C0C0;
constexpr ColorRef kBorder = 0x808000;
const std::string kText = "Ag Wy";

class CaptionTest : public PaintTest {
 protected:
  // A `width` x `height` button on white paper with distinct text colours; the caption is set
  // by the tests once the caption-less look has been copied.
  Button& Place(int width, int height, std::int32_t shape = 0,
                const std::string& name = "Command1") {
    Button& b = PlacePlain(width, height, shape, name);
    b.ButtonStyleColors(1);
    b.BackColor(kPaper);
    b.BorderColor(kBorder);
    b.ForeColor(kInk);
    b.ForeColorHover(kHoverInk);
    b.ForeColorPressed(kPressedInk);
    b.EffectColor(kEffect);
    return b;
  }

  // A copy of the surface as it is now, set up to draw text as the control does.
  std::unique_ptr<Dc> Copy() {
    auto copy = host_.Device().CreateSurface(W(), H(), 0xFFFFFF);
    copy->BitBlt(0, 0, W(), H(), dc(), 0, 0);
    copy->SelectFont(Surface().Font());
    copy->SetBkMode(BkMode::Transparent);
    return copy;
  }
  static void Text(Dc& copy, ColorRef color, Point at, const std::string& text = kText) {
    copy.SetTextColor(color);
    copy.TextOutA(at.x, at.y, text);
  }
  void ExpectSurface(const Dc& expected) {
    const std::vector<std::uint32_t> want = expected.Pixels();
    const std::vector<std::uint32_t> got = dc().Pixels();
    ASSERT_EQ(got.size(), want.size());
    int differing = 0;
    for (std::size_t i = 0; i < got.size(); ++i) {
      if (got[i] != want[i] && ++differing <= 5) {
        ADD_FAILURE() << "pixel " << i % static_cast<std::size_t>(W()) << ","
                      << i / static_cast<std::size_t>(W()) << ": " << std::hex << got[i]
                      << " instead of " << want[i];
      }
    }
    EXPECT_EQ(differing, 0);
  }
  // The caption's top-left by alignment, written out from the layout rules.
  Point Expected(std::int32_t alignment, const std::string& text = kText) {
    const Size e = Extent(text);
    const double w = W();
    const double h = H();
    switch (alignment) {
      case 0:
        return {RoundHalfEven((w - e.cx) / 2), RoundHalfEven((h - e.cy) / h + 5)};
      case 1:
        return {RoundHalfEven((w - e.cx) / w + 5), RoundHalfEven((h - e.cy) / 2)};
      case 2:
        return {RoundHalfEven((w - e.cx) / 2), RoundHalfEven((h - e.cy) / 2)};
      case 3:
        return {W() - e.cx - 5, RoundHalfEven((h - e.cy) / 2)};
      default:
        return {RoundHalfEven((w - e.cx) / 2), H() - e.cy - 5};
    }
  }
};

// ---- Caption box ----

TEST_F(CaptionTest, EachAlignmentPlacesTheMeasuredText) {
  for (std::int32_t alignment = 0; alignment <= 4; ++alignment) {
    Button& b = Place(100, 40, 0, "Align" + std::to_string(alignment));
    b.CaptionAlignment(alignment);
    auto expected = Copy();
    b.Caption(kText);
    Text(*expected, kInk, Expected(alignment));
    ExpectSurface(*expected);
  }
}

TEST_F(CaptionTest, RightAndBottomMarginsAreFive) {
  Button& b = Place(100, 40);
  const Size e = Extent(kText);
  b.CaptionAlignment(3);
  auto expected = Copy();
  b.Caption(kText);
  Text(*expected, kInk, {100 - e.cx - 5, RoundHalfEven((40 - e.cy) / 2.0)});
  ExpectSurface(*expected);
  b.Caption("");
  b.CaptionAlignment(4);
  expected = Copy();
  b.Caption(kText);
  Text(*expected, kInk, {RoundHalfEven((100 - e.cx) / 2.0), 40 - e.cy - 5});
  ExpectSurface(*expected);
}

TEST_F(CaptionTest, LeftMarginIs6UpToHalfTheWidthAnd5Beyond) {
  Button& b = Place(100, 40);
  b.Caption(kText);
  b.CaptionAlignment(1);
  const int cx = Extent(kText).cx;
  ASSERT_GE(2 * cx - 1, 25);
  for (const auto& [width, x] : {std::pair{2 * cx, 6}, {2 * cx + 1, 6}, {2 * cx - 1, 5}}) {
    Surface().Width(width * kTwipsPerPixel);
    ASSERT_EQ(W(), width);
    b.Caption("");
    auto expected = Copy();
    b.Caption(kText);
    Text(*expected, kInk, {x, Expected(1).y});
    ExpectSurface(*expected);
  }
}

TEST_F(CaptionTest, TopMarginIs6UpToHalfTheHeightAnd5Beyond) {
  Button& b = Place(100, 40);
  b.CaptionAlignment(0);
  const int cy = Extent(kText).cy;
  ASSERT_GE(2 * cy - 1, 25);
  for (const auto& [height, y] : {std::pair{2 * cy, 6}, {2 * cy + 1, 6}, {2 * cy - 1, 5}}) {
    Surface().Height(height * kTwipsPerPixel);
    ASSERT_EQ(H(), height);
    b.Caption("");
    auto expected = Copy();
    b.Caption(kText);
    Text(*expected, kInk, {Expected(0).x, y});
    ExpectSurface(*expected);
  }
}

TEST_F(CaptionTest, OtherAlignmentsKeepTheWholeBoxOfThePreviousPaint) {
  Button& b = Place(100, 40);
  b.Caption(kText);
  b.CaptionAlignment(3);
  const Point right = Expected(3);
  b.CaptionAlignment(5);
  Surface().Width(130 * kTwipsPerPixel);
  b.Caption("");
  auto expected = Copy();
  b.Caption(kText);
  Text(*expected, kInk, right);
  ExpectSurface(*expected);
}

TEST_F(CaptionTest, OtherAlignmentBeforeAnyLayoutDrawsAtTheOrigin) {
  PropertyBag bag;
  bag.WriteInt32("ButtonShape", kNoRenderer, 0);
  bag.WriteInt32("CaptionAlignment", 5, 2);
  bag.WriteText("Caption", "Ag", "");
  Button& b = PlaceLoaded(bag);
  EXPECT_EQ(b.CaptionAlignment(), 5);
  current_ = "Command1";
  EXPECT_EQ(PixelsOf(0x000000), TextPixels("Ag", 0, 0));
}

// ---- Text by state and effect ----

TEST_F(CaptionTest, HoverAndPressedColoursAndThePressedOffset) {
  Button& b = Place(100, 40);
  b.Caption(kText);
  const Point at = Expected(2);
  MoveTo(90, 5);
  b.Caption("");
  auto expected = Copy();
  b.Caption(kText);
  Text(*expected, kHoverInk, at);
  ExpectSurface(*expected);
  host_.MouseDown();
  b.Caption("");
  expected = Copy();
  b.Caption(kText);
  Text(*expected, kPressedInk, {at.x + 1, at.y + 1});
  ExpectSurface(*expected);
}

TEST_F(CaptionTest, EffectsDrawCopiesInEffectColorFirst) {
  for (std::int32_t effect : {1, 2, 3}) {
    Button& b = Place(100, 40, kNoRenderer, "Effect" + std::to_string(effect));
    b.CaptionEffect(effect);
    auto expected = Copy();
    b.Caption(kText);
    const Point at = Expected(2);
    if (effect == 3) {
      for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
          Text(*expected, kEffect, {at.x + dx, at.y + dy});
          Text(*expected, kInk, at);
        }
      }
    } else {
      const int d = effect == 1 ? -1 : 1;
      Text(*expected, kEffect, {at.x + d, at.y + d});
      Text(*expected, kInk, at);
    }
    ExpectSurface(*expected);
    EXPECT_FALSE(PixelsOf(kEffect).empty()) << effect;
  }
}

TEST_F(CaptionTest, OtherEffectsDrawNoText) {
  Button& b = Place(100, 40);
  b.CaptionEffect(4);
  auto expected = Copy();
  b.Caption(kText);
  ExpectSurface(*expected);
  b.CaptionEffect(-1);
  ExpectSurface(*expected);
}

TEST_F(CaptionTest, DisabledCaptionIsEtchedInSystemColours) {
  Button& b = Place(100, 40, kNoRenderer);
  b.ButtonStyle(1);
  b.ButtonStyleColors(1);
  b.BackColor(kPaper);
  b.CaptionEffect(3);  // plays no part
  b.Enabled(false);
  auto expected = Copy();
  b.Caption(kText);
  const Point at = Expected(2);
  Text(*expected, GetSysColor(20), {at.x + 1, at.y + 1});
  Text(*expected, GetSysColor(16), at);
  ExpectSurface(*expected);
}

TEST_F(CaptionTest, DisabledCaptionIsFlatForStyles4_6_7And8) {
  for (std::int32_t style : {4, 6, 7, 8}) {
    Button& b = Place(100, 40, kNoRenderer, "Style" + std::to_string(style));
    b.ButtonStyle(style);
    b.ButtonStyleColors(0);
    b.Enabled(false);
    auto expected = Copy();
    b.Caption(kText);
    Text(*expected, GetSysColor(16), Expected(2));
    ExpectSurface(*expected);
  }
}

// ---- Colour ramp ----

struct Split {
  int r, g, b;
};
Split SplitOf(ColorRef c) {
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

// The ramp from c1 at t = 0 to c0 at t = span: red and green rounded as a whole, blue rounded
// in its step.
ColorRef RampAt(ColorRef c0, ColorRef c1, int t, int span) {
  const Split a = SplitOf(c0);
  const Split b = SplitOf(c1);
  const double s = span;
  const int red = RoundHalfEven(b.r + (a.r - b.r) / s * t);
  const int green = RoundHalfEven(b.g + (a.g - b.g) / s * t);
  const int blue = b.b + RoundHalfEven((a.b - b.b) / s * t);
  return RGB(red, green, blue);
}

TEST_F(CaptionTest, HorizontalRampRecoloursExactlyTheTextPixels) {
  Button& b = Place(100, 40, kNoRenderer);
  b.ForeColor(0x2040F0);
  b.ForeColorPressed(0xF02010);  // the normal state's ramp colour
  b.Caption(kText);
  b.CaptionStyle(1);
  const auto text = TextPixels(kText, Expected(2).x, Expected(2).y);
  ASSERT_FALSE(text.empty());
  for (int y = 0; y < H(); ++y) {
    for (int x = 0; x < W(); ++x) {
      const ColorRef want = text.count({x, y}) ? RampAt(0xF02010, 0x2040F0, x, 100) : kPaper;
      ASSERT_EQ(Pixel(x, y), want) << x << "," << y;
    }
  }
}

TEST_F(CaptionTest, VerticalRampRunsFromTheHoverColourAtTheTop) {
  Button& b = Place(100, 40);
  b.Caption(kText);
  b.CaptionStyle(2);
  MoveTo(90, 5);
  const Point at = Expected(2);
  for (const auto& [x, y] : TextPixels(kText, at.x, at.y)) {
    ASSERT_EQ(Pixel(x, y), RampAt(kInk, kHoverInk, y, 40)) << x << "," << y;
  }
  EXPECT_TRUE(PixelsOf(kHoverInk).empty());
}

TEST_F(CaptionTest, RampCoversTheWholeControlWhenTheCaptionIsWider) {
  Button& b = Place(100, 40, kNoRenderer);
  const std::string wide = "WWWWWWWWWWWWWWWWWWWWWWWWWWWW";
  ASSERT_GT(Extent(wide).cx, 100);
  b.ForeColor(0xFF00FF);
  b.ForeColorPressed(0x00FF00);
  b.Caption(wide);
  b.CaptionStyle(1);
  const Point at = Expected(2, wide);
  ASSERT_LT(at.x, 0);
  const auto text = TextPixels(wide, at.x, at.y);
  for (const auto& [x, y] : text) {
    ASSERT_EQ(Pixel(x, y), RampAt(0x00FF00, 0xFF00FF, x, 100)) << x << "," << y;
  }
  // Column 0 holds c1 itself.
  bool left_edge = false;
  for (const auto& [x, y] : text) left_edge = left_edge || x == 0;
  EXPECT_TRUE(left_edge);
}

TEST_F(CaptionTest, SystemColourForeColorIsNeverRecoloured) {
  Button& b = Place(100, 40, kNoRenderer);
  const ColorValue highlight = 0x80000000u + 13;
  b.ForeColor(highlight);
  b.Caption(kText);
  const std::vector<std::uint32_t> plain = dc().Pixels();
  b.CaptionStyle(1);
  EXPECT_EQ(dc().Pixels(), plain);
  EXPECT_FALSE(PixelsOf(GetSysColor(13)).empty());
}

TEST_F(CaptionTest, SystemColoursInTheRampAreTranslated) {
  Button& b = Place(100, 40, kNoRenderer);
  b.ForeColorPressed(0x80000000u + 13);
  b.Caption(kText);
  b.CaptionStyle(1);
  const Point at = Expected(2);
  for (const auto& [x, y] : TextPixels(kText, at.x, at.y)) {
    ASSERT_EQ(Pixel(x, y), RampAt(GetSysColor(13), kInk, x, 100)) << x << "," << y;
  }
}

TEST_F(CaptionTest, DisabledCaptionIsNeverRecoloured) {
  Button& b = Place(100, 40, kNoRenderer);
  b.Caption(kText);
  b.Enabled(false);
  const std::vector<std::uint32_t> plain = dc().Pixels();
  b.CaptionStyle(2);
  EXPECT_EQ(dc().Pixels(), plain);
}

TEST_F(CaptionTest, EffectCopiesKeepTheirColour) {
  Button& b = Place(100, 40, kNoRenderer);
  b.Caption(kText);
  b.CaptionEffect(2);
  const size_t effect_pixels = PixelsOf(kEffect).size();
  b.CaptionStyle(1);
  EXPECT_EQ(PixelsOf(kEffect).size(), effect_pixels);
  EXPECT_TRUE(PixelsOf(kInk).empty());
}

}  // namespace
}  // namespace fw::test::paint
