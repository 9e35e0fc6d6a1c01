// Button properties: every setter stores what it is given, marks only itself changed and
// repaints; the ButtonStyle and ButtonTheme presets; the window-held properties.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/controls/button/button_test_support.h"

namespace fw::test {
namespace {

using ::testing::ElementsAre;

constexpr ColorValue kButtonFace = 0x8000000Fu;
constexpr ColorValue kDesktop = 0x80000001u;
constexpr ColorValue kButtonShadow = 0x80000010u;
constexpr ColorValue kButtonHighlight = 0x80000014u;
constexpr ColorValue k3dDarkShadow = 0x80000015u;

struct SetterCase {
  std::string name;
  std::function<void(Button&)> set;
  std::function<bool(const Button&)> holds;
  // The setter repaints once; a paint that changes the control's size runs Resize, which paints
  // once more.
  int paints = 1;
};

std::vector<SetterCase> FieldSetters() {
  const PicturePtr picture = SmallPicture(1);
  return {
      // -7 is neither the rectangle nor the rounded rectangle: the setter's paint makes the
      // 1200 x 500 twip control square, and the resize paints once more.
      {"ButtonShape", [](Button& b) { b.ButtonShape(-7); },
       [](const Button& b) { return b.ButtonShape() == -7; }, 2},
      {"ButtonStyleColors", [](Button& b) { b.ButtonStyleColors(42); },
       [](const Button& b) { return b.ButtonStyleColors() == 42; }},
      {"ButtonType", [](Button& b) { b.ButtonType(5); },
       [](const Button& b) { return b.ButtonType() == 5; }},
      {"CaptionAlignment", [](Button& b) { b.CaptionAlignment(77); },
       [](const Button& b) { return b.CaptionAlignment() == 77; }},
      {"CaptionEffect", [](Button& b) { b.CaptionEffect(-1); },
       [](const Button& b) { return b.CaptionEffect() == -1; }},
      {"CaptionStyle", [](Button& b) { b.CaptionStyle(2147483647); },
       [](const Button& b) { return b.CaptionStyle() == 2147483647; }},
      {"DropDown", [](Button& b) { b.DropDown(3); },
       [](const Button& b) { return b.DropDown() == 3; }},
      {"PictureAlignment", [](Button& b) { b.PictureAlignment(9); },
       [](const Button& b) { return b.PictureAlignment() == 9; }},
      {"BackColor", [](Button& b) { b.BackColor(0x010203u); },
       [](const Button& b) { return b.BackColor() == 0x010203u; }},
      {"BackColorPressed", [](Button& b) { b.BackColorPressed(0x80000010u); },
       [](const Button& b) { return b.BackColorPressed() == 0x80000010u; }},
      {"BackColorHover", [](Button& b) { b.BackColorHover(0xFFFFFFFFu); },
       [](const Button& b) { return b.BackColorHover() == 0xFFFFFFFFu; }},
      {"BorderColor", [](Button& b) { b.BorderColor(0x112233u); },
       [](const Button& b) { return b.BorderColor() == 0x112233u; }},
      {"BorderColorPressed", [](Button& b) { b.BorderColorPressed(0x445566u); },
       [](const Button& b) { return b.BorderColorPressed() == 0x445566u; }},
      {"BorderColorHover", [](Button& b) { b.BorderColorHover(0x778899u); },
       [](const Button& b) { return b.BorderColorHover() == 0x778899u; }},
      {"ForeColor", [](Button& b) { b.ForeColor(0xABCDEFu); },
       [](const Button& b) { return b.ForeColor() == 0xABCDEFu; }},
      {"ForeColorPressed", [](Button& b) { b.ForeColorPressed(0x000001u); },
       [](const Button& b) { return b.ForeColorPressed() == 0x000001u; }},
      {"ForeColorHover", [](Button& b) { b.ForeColorHover(0x800000FFu); },
       [](const Button& b) { return b.ForeColorHover() == 0x800000FFu; }},
      {"EffectColor", [](Button& b) { b.EffectColor(0x0F0F0Fu); },
       [](const Button& b) { return b.EffectColor() == 0x0F0F0Fu; }},
      {"Caption", [](Button& b) { b.Caption(" Lock USB Port "); },
       [](const Button& b) { return b.Caption() == " Lock USB Port "; }},
      {"FocusRect", [](Button& b) { b.FocusRect(false); },
       [](const Button& b) { return !b.FocusRect(); }},
      {"Value", [](Button& b) { b.Value(true); }, [](const Button& b) { return b.Value(); }},
      {"HandPointer", [](Button& b) { b.HandPointer(true); },
       [](const Button& b) { return b.HandPointer(); }},
      {"Picture", [picture](Button& b) { b.Picture(picture); },
       [picture](const Button& b) { return b.Picture() == picture; }},
      {"PictureGray", [](Button& b) { b.PictureGray(true); },
       [](const Button& b) { return b.PictureGray(); }},
  };
}

TEST_F(ButtonTest, EveryFieldSetterStoresTheValueMarksOnlyItselfAndRepaintsOnce) {
  for (const SetterCase& c : FieldSetters()) {
    SCOPED_TRACE(c.name);
    host_.Unload();
    Button& button = PlaceFresh();
    // ButtonStyle 1 to 8 rewrite the border colours on every paint; with 0 they stay as set.
    button.ButtonStyle(0);
    host_.ClearRecords();
    const int paints = button.PaintCount();
    c.set(button);
    EXPECT_TRUE(c.holds(button));
    EXPECT_THAT(Changed(), ElementsAre(c.name));
    EXPECT_EQ(button.PaintCount(), paints + c.paints);
    EXPECT_TRUE(Events().empty());
  }
}

TEST_F(ButtonTest, ASquareButtonShapeMakesTheControlSquareWithTheWidthWinning) {
  Button& button = PlaceFresh();
  ASSERT_NE(Window().Width(), Window().Height());
  const int width = Window().Width();
  button.ButtonShape(-7);
  EXPECT_EQ(Window().Width(), width);
  EXPECT_EQ(Window().Height(), width);
  // Once square, the next setter's paint changes no size and repaints only once.
  const int paints = button.PaintCount();
  button.ButtonShape(5);
  EXPECT_EQ(button.PaintCount(), paints + 1);
}

TEST_F(ButtonTest, CaptionKeepsItsOwnCopyOfTheText) {
  Button& button = PlaceFresh();
  std::string text = "Exit";
  button.Caption(text);
  text = "changed";
  EXPECT_EQ(button.Caption(), "Exit");
}

TEST_F(ButtonTest, PictureCanBeClearedAgain) {
  Button& button = PlaceFresh();
  button.Picture(SmallPicture(0));
  button.Picture(nullptr);
  EXPECT_EQ(button.Picture(), nullptr);
  EXPECT_THAT(Changed(), ElementsAre("Picture", "Picture"));
}

// ---- ButtonStyle presets ----

struct StyleColors {
  ColorValue back;
  ColorValue hover;
  ColorValue pressed;
};

constexpr std::array<StyleColors, 8> kStyleColors = {{
    {kButtonFace, kButtonFace, kButtonFace},
    {kButtonFace, kButtonFace, kButtonFace},
    {kButtonFace, kButtonFace, kButtonFace},
    {kButtonFace, kButtonFace, 0x999999u},
    {kButtonFace, 0xB6A59Fu, 0xAF8C80u},
    {0xD2DEDDu, 0xFFFFFFu, 0xFFFFFFu},
    {0xD8D8D8u, 0xF7DBA5u, 0xEFCE92u},
    {kDesktop, kDesktop, kDesktop},
}};

// The border colours the paint writes for ButtonStyle 1 to 8, from the background colours the
// style itself presets (style 3 borrows BackColor, style 8 all three).
struct StyleBorders {
  ColorValue border;
  ColorValue hover;
  ColorValue pressed;
};

constexpr std::array<StyleBorders, 8> kStyleBorders = {{
    {k3dDarkShadow, k3dDarkShadow, kButtonHighlight},
    {k3dDarkShadow, k3dDarkShadow, kButtonHighlight},
    {kButtonFace, k3dDarkShadow, kButtonHighlight},
    {kButtonShadow, kButtonShadow, kButtonShadow},
    {kButtonFace, 0x000000u, 0x000000u},
    {0x000000u, 0x000000u, 0x000000u},
    {0x8F8F8Eu, 0xB17F3Cu, 0x5C411Du},
    {kDesktop, kDesktop, kDesktop},
}};

// Gives the three background colours and the border colours values no preset uses.
void Scramble(Button& button) {
  button.BackColor(0x000101u);
  button.BackColorHover(0x000202u);
  button.BackColorPressed(0x000303u);
  button.BorderColor(0x000404u);
  button.BorderColorHover(0x000505u);
  button.BorderColorPressed(0x000606u);
}

TEST_F(ButtonTest, ButtonStyleOneToEightPresetsTheBackgroundColours) {
  Button& button = PlaceFresh();
  for (std::int32_t style = 1; style <= 8; ++style) {
    SCOPED_TRACE(style);
    Scramble(button);
    button.ButtonStyleColors(2);
    host_.ClearRecords();
    const int paints = button.PaintCount();
    button.ButtonStyle(style);
    const StyleColors& want = kStyleColors[static_cast<std::size_t>(style - 1)];
    EXPECT_EQ(button.ButtonStyle(), style);
    EXPECT_EQ(button.BackColor(), want.back);
    EXPECT_EQ(button.BackColorHover(), want.hover);
    EXPECT_EQ(button.BackColorPressed(), want.pressed);
    // Only ButtonStyle is marked changed, and the control repaints once.
    EXPECT_THAT(Changed(), ElementsAre("ButtonStyle"));
    EXPECT_EQ(button.PaintCount(), paints + 1);
    // The setter's paint replaced the scrambled border colours with the style's own, without
    // marking them changed.
    const StyleBorders& borders = kStyleBorders[static_cast<std::size_t>(style - 1)];
    EXPECT_EQ(button.BorderColor(), borders.border);
    EXPECT_EQ(button.BorderColorHover(), borders.hover);
    EXPECT_EQ(button.BorderColorPressed(), borders.pressed);
    // Only styles 4 and 6 change the background scheme.
    const std::int32_t scheme = style == 4 ? 1 : style == 6 ? 3 : 2;
    EXPECT_EQ(button.ButtonStyleColors(), scheme);
  }
}

TEST_F(ButtonTest, ButtonStyleFourAndSixLeaveBackgroundSchemeZeroAlone) {
  Button& button = PlaceFresh();
  for (std::int32_t style : {4, 6}) {
    SCOPED_TRACE(style);
    button.ButtonStyleColors(0);
    button.ButtonStyle(style);
    EXPECT_EQ(button.ButtonStyleColors(), 0);
  }
}

TEST_F(ButtonTest, ButtonStyleFourMakesAnyOtherSchemeOneAndSixMakesItThree) {
  Button& button = PlaceFresh();
  for (std::int32_t scheme : {1, 3, 5, 7, -2, 99}) {
    SCOPED_TRACE(scheme);
    button.ButtonStyleColors(scheme);
    button.ButtonStyle(4);
    EXPECT_EQ(button.ButtonStyleColors(), 1);
    button.ButtonStyleColors(scheme);
    button.ButtonStyle(6);
    EXPECT_EQ(button.ButtonStyleColors(), 3);
  }
}

TEST_F(ButtonTest, ButtonStyleOutsideOneToEightIsStoredAndChangesNoColour) {
  Button& button = PlaceFresh();
  for (std::int32_t style : {0, 9, -1, 1000}) {
    SCOPED_TRACE(style);
    Scramble(button);
    button.ButtonStyleColors(5);
    host_.ClearRecords();
    const int paints = button.PaintCount();
    button.ButtonStyle(style);
    EXPECT_EQ(button.ButtonStyle(), style);
    EXPECT_EQ(button.BackColor(), 0x000101u);
    EXPECT_EQ(button.BackColorHover(), 0x000202u);
    EXPECT_EQ(button.BackColorPressed(), 0x000303u);
    EXPECT_EQ(button.ButtonStyleColors(), 5);
    EXPECT_THAT(Changed(), ElementsAre("ButtonStyle"));
    EXPECT_EQ(button.PaintCount(), paints + 1);
  }
}

// ---- ButtonTheme presets ----

struct ThemeColors {
  ColorValue back;
  ColorValue hover;
  ColorValue pressed;
  ColorValue border;
};

constexpr std::array<ThemeColors, 8> kThemeColors = {{
    {0xF1B39Au, 0xFDF7F4u, 0xFAE6DDu, 0xF1B39Au},
    {0x3DB4A2u, 0xDFF4F2u, 0xB8E7E0u, 0x3DB4A2u},
    {0xB5A09Du, 0xF7F5F4u, 0xECE7E6u, 0xB5A09Du},
    {0xABC2C2u, 0xF2F8F8u, 0xE6EDEEu, 0xABC2C2u},
    {0x02C5F5u, 0xE2F9FFu, 0xAFEFFEu, 0x02C5F5u},
    {0x26368Bu, 0x4763FFu, 0x425CEEu, 0x0000FFu},
    {0x578B2Eu, 0x9FFF54u, 0x80CD43u, 0x00FF00u},
    {0x8B4027u, 0xFF7648u, 0xCD5F3Au, 0xFF0000u},
}};

// The paint pipeline rewrites the border colours of ButtonStyle 1 to 8 on every paint, so the
// theme tests use a style outside that range to see what the theme itself stored.
TEST_F(ButtonTest, ButtonThemeThreeGivesItsBackgroundAndBorderColours) {
  Button& button = PlaceFresh();
  button.ButtonStyle(0);
  Scramble(button);
  host_.ClearRecords();
  const int paints = button.PaintCount();
  button.ButtonTheme(3);
  EXPECT_EQ(button.ButtonTheme(), 3);
  EXPECT_EQ(button.BackColor(), 0xB5A09Du);
  EXPECT_EQ(button.BackColorHover(), 0xF7F5F4u);
  EXPECT_EQ(button.BackColorPressed(), 0xECE7E6u);
  EXPECT_EQ(button.BorderColor(), 0xB5A09Du);
  EXPECT_EQ(button.BorderColorPressed(), 0xB5A09Du);
  EXPECT_EQ(button.BorderColorHover(), 0xB5A09Du);
  EXPECT_THAT(Changed(), ElementsAre("ButtonTheme"));
  EXPECT_EQ(button.PaintCount(), paints + 1);
}

TEST_F(ButtonTest, ButtonThemeOneToEightPresetsBackgroundAndCommonBorderColour) {
  Button& button = PlaceFresh();
  button.ButtonStyle(0);
  for (std::int32_t theme = 1; theme <= 8; ++theme) {
    SCOPED_TRACE(theme);
    Scramble(button);
    host_.ClearRecords();
    button.ButtonTheme(theme);
    const ThemeColors& want = kThemeColors[static_cast<std::size_t>(theme - 1)];
    EXPECT_EQ(button.BackColor(), want.back);
    EXPECT_EQ(button.BackColorHover(), want.hover);
    EXPECT_EQ(button.BackColorPressed(), want.pressed);
    EXPECT_EQ(button.BorderColor(), want.border);
    EXPECT_EQ(button.BorderColorPressed(), want.border);
    EXPECT_EQ(button.BorderColorHover(), want.border);
    EXPECT_EQ(button.ButtonStyle(), 0);
    EXPECT_THAT(Changed(), ElementsAre("ButtonTheme"));
  }
}

TEST_F(ButtonTest, ButtonThemeZeroOrNineIsStoredAndChangesNoColour) {
  Button& button = PlaceFresh();
  button.ButtonStyle(0);
  for (std::int32_t theme : {0, 9, -3}) {
    SCOPED_TRACE(theme);
    button.ButtonTheme(3);
    Scramble(button);
    host_.ClearRecords();
    const int paints = button.PaintCount();
    button.ButtonTheme(theme);
    EXPECT_EQ(button.ButtonTheme(), theme);
    EXPECT_EQ(button.BackColor(), 0x000101u);
    EXPECT_EQ(button.BackColorHover(), 0x000202u);
    EXPECT_EQ(button.BackColorPressed(), 0x000303u);
    EXPECT_EQ(button.BorderColor(), 0x000404u);
    EXPECT_EQ(button.BorderColorHover(), 0x000505u);
    EXPECT_EQ(button.BorderColorPressed(), 0x000606u);
    EXPECT_THAT(Changed(), ElementsAre("ButtonTheme"));
    EXPECT_EQ(button.PaintCount(), paints + 1);
  }
}

TEST_F(ButtonTest, ButtonThemeLeavesStyleAndSchemeAlone) {
  Button& button = PlaceFresh();
  button.ButtonStyle(6);
  button.ButtonStyleColors(5);
  button.ButtonTheme(8);
  EXPECT_EQ(button.ButtonStyle(), 6);
  EXPECT_EQ(button.ButtonStyleColors(), 5);
}

// ---- Window-held properties ----

TEST_F(ButtonTest, EnabledIsTheWindowsAndItsSetterMarksAndRepaints) {
  Button& button = PlaceFresh();
  host_.ClearRecords();
  const int paints = button.PaintCount();
  button.Enabled(false);
  EXPECT_FALSE(Window().Enabled());
  EXPECT_FALSE(button.Enabled());
  EXPECT_THAT(Changed(), ElementsAre("Enabled"));
  EXPECT_EQ(button.PaintCount(), paints + 1);
  Window().Enabled(true);
  EXPECT_TRUE(button.Enabled());
}

TEST_F(ButtonTest, FontIsTheWindowsAndItsSetterMarksAndRepaints) {
  Button& button = PlaceFresh();
  host_.ClearRecords();
  const int paints = button.PaintCount();
  const FontSpec arial{"Arial", 12.0, true, false, true, false};
  button.Font(arial);
  EXPECT_EQ(Window().Font(), arial);
  EXPECT_EQ(button.Font(), arial);
  EXPECT_THAT(Changed(), ElementsAre("Font"));
  EXPECT_EQ(button.PaintCount(), paints + 1);
}

TEST_F(ButtonTest, MouseIconIsTheWindowsAndItsSetterMarksAndRepaints) {
  Button& button = PlaceFresh();
  host_.ClearRecords();
  const int paints = button.PaintCount();
  const PicturePtr icon = SmallPicture(2);
  button.MouseIcon(icon);
  EXPECT_EQ(Window().MouseIcon(), icon);
  EXPECT_EQ(button.MouseIcon(), icon);
  EXPECT_THAT(Changed(), ElementsAre("MouseIcon"));
  EXPECT_EQ(button.PaintCount(), paints + 1);
}

TEST_F(ButtonTest, MousePointerTakesEverySixteenBitValue) {
  Button& button = PlaceFresh();
  for (std::int32_t pointer : {-32768, -1, 0, 2, 99, 32767}) {
    SCOPED_TRACE(pointer);
    host_.ClearRecords();
    const int paints = button.PaintCount();
    button.MousePointer(pointer);
    EXPECT_EQ(Window().MousePointer(), pointer);
    EXPECT_EQ(button.MousePointer(), pointer);
    EXPECT_THAT(Changed(), ElementsAre("MousePointer"));
    EXPECT_EQ(button.PaintCount(), paints + 1);
  }
}

TEST_F(ButtonTest, MousePointerBeyondSixteenBitsThrowsOverflowAndChangesNothing) {
  Button& button = PlaceFresh();
  button.MousePointer(11);
  for (std::int32_t pointer : {32768, -32769, 65536, 2147483647, -2147483647 - 1}) {
    SCOPED_TRACE(pointer);
    host_.ClearRecords();
    const int paints = button.PaintCount();
    EXPECT_THROW(button.MousePointer(pointer), OverflowError);
    EXPECT_EQ(button.MousePointer(), 11);
    EXPECT_TRUE(Changed().empty());
    EXPECT_EQ(button.PaintCount(), paints);
  }
}

TEST_F(ButtonTest, HdcHwndAndRefreshAreTheWindows) {
  Button& button = PlaceFresh();
  EXPECT_EQ(button.hwnd(), Window().hWnd());
  EXPECT_NE(button.hwnd(), WindowHandle{0});
  EXPECT_EQ(&button.hdc(), &Window().hDC());
  const int paints = button.PaintCount();
  button.Refresh();
  EXPECT_EQ(button.PaintCount(), paints);
  EXPECT_TRUE(Changed().empty());
}

TEST_F(ButtonTest, PaintSetsUpThePersistentPixelSurface) {
  Button& button = PlaceFresh();
  Window().AutoRedraw(false);
  Window().ScaleMode(kScaleTwips);
  button.Paint();
  EXPECT_TRUE(Window().AutoRedraw());
  EXPECT_EQ(Window().ScaleMode(), kScalePixels);
}

}  // namespace
}  // namespace fw::test
