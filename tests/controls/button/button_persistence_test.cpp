// Button persistence: a fresh control, loading, saving and the thirty keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/json/property_bag_json.h"
#include "tests/controls/button/button_test_support.h"
#include "tests/platform/property_bag_test_support.h"

namespace fw::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr ColorValue kButtonFace = 0x8000000Fu;
// The border colours every paint of ButtonStyle 1 (the initial style) writes.
constexpr ColorValue k3dDarkShadow = 0x80000015u;
constexpr ColorValue kButtonHighlight = 0x80000014u;

const std::vector<std::string> kKeyOrder = {"ButtonShape",
                                            "ButtonStyle",
                                            "ButtonStyleColors",
                                            "ButtonTheme",
                                            "ButtonType",
                                            "CaptionAlignment",
                                            "CaptionEffect",
                                            "CaptionStyle",
                                            "DropDown",
                                            "PictureAlignment",
                                            "BackColor",
                                            "BackColorPressed",
                                            "BackColorHover",
                                            "BorderColor",
                                            "BorderColorPressed",
                                            "BorderColorHover",
                                            "ForeColor",
                                            "ForeColorPressed",
                                            "ForeColorHover",
                                            "EffectColor",
                                            "Caption",
                                            "FocusRect",
                                            "Value",
                                            "HandPointer",
                                            "Picture",
                                            "PictureGray",
                                            "Enabled",
                                            "Font",
                                            "MouseIcon",
                                            "MousePointer"};

// Gives every property a value other than its default, through the setters.
void SetAllOffDefault(Button& button) {
  button.ButtonStyle(0);  // first: presets would overwrite colours set before
  button.ButtonTheme(0);
  button.ButtonShape(3);
  button.ButtonStyleColors(4);
  button.ButtonTheme(11);
  button.ButtonType(1);
  button.CaptionAlignment(0);
  button.CaptionEffect(3);
  button.CaptionStyle(2);
  button.DropDown(1);
  button.PictureAlignment(4);
  button.BackColor(0x010101u);
  button.BackColorPressed(0x020202u);
  button.BackColorHover(0x030303u);
  button.BorderColor(0x040404u);
  button.BorderColorPressed(0x050505u);
  button.BorderColorHover(0x060606u);
  button.ForeColor(0x070707u);
  button.ForeColorPressed(0x080808u);
  button.ForeColorHover(0x090909u);
  button.EffectColor(0x0A0A0Au);
  button.Caption("Unlock");
  button.FocusRect(false);
  button.Value(true);
  button.HandPointer(true);
  button.Picture(SmallPicture(1));
  button.PictureGray(true);
  button.Enabled(false);
  button.Font({"Arial", 10.0, true, true, false, false});
  button.MouseIcon(SmallPicture(3));
  button.MousePointer(99);
}

// ---- A fresh control ----

TEST_F(ButtonTest, FreshControlIs1200By500TwipsCaptionedWithItsNameInTahoma) {
  host_.SetAmbientFont({"Courier New", 12.0, true, true, false, false});
  PlaceFresh("cmdLock");
  Button& button = PlaceFresh("cmdUnLock");
  UserControl& window = Window("cmdUnLock");
  EXPECT_EQ(window.Width(), 1200);
  // 500 twips as whole pixels (33 at 15 twips per pixel).
  EXPECT_NEAR(window.Height(), 500, kTwipsPerPixel / 2);
  EXPECT_EQ(window.ScaleWidth(), 80.0);
  EXPECT_EQ(window.ScaleHeight(), 33.0);
  EXPECT_EQ(button.Caption(), "cmdUnLock");
  // Only the font's name changes: size and style are the container's.
  EXPECT_EQ(button.Font(), (FontSpec{"Tahoma", 12.0, true, true, false, false}));
}

TEST_F(ButtonTest, FreshControlHasTheInitialValuesAndMarksNothingChanged) {
  Button& button = PlaceFresh();
  EXPECT_EQ(button.ButtonShape(), 0);
  EXPECT_EQ(button.ButtonStyle(), 1);
  EXPECT_EQ(button.ButtonStyleColors(), 1);
  EXPECT_EQ(button.ButtonTheme(), 0);
  EXPECT_EQ(button.ButtonType(), 0);
  EXPECT_EQ(button.CaptionAlignment(), 2);
  EXPECT_EQ(button.CaptionEffect(), 0);
  EXPECT_EQ(button.CaptionStyle(), 0);
  EXPECT_EQ(button.DropDown(), 0);
  EXPECT_EQ(button.PictureAlignment(), 2);
  EXPECT_EQ(button.BackColor(), kButtonFace);
  EXPECT_EQ(button.BackColorPressed(), kButtonFace);
  EXPECT_EQ(button.BackColorHover(), kButtonFace);
  // The border colours start at 0, but the paint that shows the control writes ButtonStyle 1's
  // own into them, marking nothing changed.
  EXPECT_EQ(button.BorderColor(), k3dDarkShadow);
  EXPECT_EQ(button.BorderColorPressed(), kButtonHighlight);
  EXPECT_EQ(button.BorderColorHover(), k3dDarkShadow);
  EXPECT_EQ(button.ForeColor(), 0x000000u);
  EXPECT_EQ(button.ForeColorPressed(), 0x0000FFu);
  EXPECT_EQ(button.ForeColorHover(), 0xFF0000u);
  EXPECT_EQ(button.EffectColor(), 0xFFFFFFu);
  EXPECT_TRUE(button.FocusRect());
  EXPECT_FALSE(button.Value());
  EXPECT_FALSE(button.HandPointer());
  EXPECT_EQ(button.Picture(), nullptr);
  EXPECT_FALSE(button.PictureGray());
  EXPECT_TRUE(button.Enabled());
  EXPECT_EQ(button.MousePointer(), 0);
  EXPECT_EQ(button.MouseIcon(), nullptr);
  EXPECT_FALSE(button.HoverFlag().has_value());
  EXPECT_FALSE(button.PressedFlag());
  EXPECT_FALSE(button.FocusFlag());
  EXPECT_TRUE(Changed().empty());
  EXPECT_TRUE(Events().empty());
  EXPECT_GE(button.PaintCount(), 1);
}

TEST_F(ButtonTest, SavingAFreshControlWritesOnlyItsCaptionAndFont) {
  Button& button = PlaceFresh();
  PropertyBag bag;
  button.WriteProperties(bag);
  // Besides Caption and Font, only the border colours that ButtonStyle 1's paint wrote over
  // their default 0.
  EXPECT_THAT(bag.Keys(), ElementsAre("BorderColor", "BorderColorPressed", "BorderColorHover",
                                      "Caption", "Font"));
  EXPECT_EQ(bag.ReadColor("BorderColor", 0), k3dDarkShadow);
  EXPECT_EQ(bag.ReadColor("BorderColorPressed", 0), kButtonHighlight);
  EXPECT_EQ(bag.ReadColor("BorderColorHover", 0), k3dDarkShadow);
  EXPECT_EQ(bag.ReadText("Caption", ""), "Command1");
  EXPECT_EQ(bag.ReadFont("Font", {}).name, "Tahoma");
}

// ---- Saving ----

TEST_F(ButtonTest, SavingAControlWithEveryPropertyAtItsDefaultWritesNoKey) {
  const PropertyBag empty;
  Button& button = PlaceLoaded(empty);
  PropertyBag bag;
  button.WriteProperties(bag);
  // Every property but the border colours is at its default: the paint that showed the control
  // wrote ButtonStyle 1's own over their default 0, and they alone are saved.
  EXPECT_THAT(bag.Keys(), ElementsAre("BorderColor", "BorderColorPressed", "BorderColorHover"))
      << PropertyBagToJsonText(bag);
  EXPECT_EQ(bag.ReadColor("BorderColor", 0), k3dDarkShadow);
  EXPECT_EQ(bag.ReadColor("BorderColorPressed", 0), kButtonHighlight);
  EXPECT_EQ(bag.ReadColor("BorderColorHover", 0), k3dDarkShadow);

  // ButtonStyle 6 paints its border colours black, their default: only the style is saved.
  const PropertyBag style6 = PropertyBagFromJson(R"({"ButtonStyle": 6})");
  Button& black = PlaceLoaded(style6, "Command2");
  PropertyBag saved;
  black.WriteProperties(saved);
  EXPECT_THAT(saved.Keys(), ElementsAre("ButtonStyle")) << PropertyBagToJsonText(saved);
  EXPECT_EQ(saved.ReadInt32("ButtonStyle", 1), 6);
}

TEST_F(ButtonTest, SavingWritesTheThirtyKeysInOrder) {
  Button& button = PlaceFresh();
  SetAllOffDefault(button);
  PropertyBag bag;
  button.WriteProperties(bag);
  EXPECT_THAT(bag.Keys(), ElementsAreArray(kKeyOrder));
  EXPECT_EQ(bag.ReadInt32("ButtonTheme", 0), 11);
  EXPECT_EQ(bag.ReadColor("BorderColorHover", 0), 0x060606u);
  EXPECT_EQ(bag.ReadText("Caption", ""), "Unlock");
  EXPECT_FALSE(bag.ReadBool("Enabled", true));
  EXPECT_EQ(bag.ReadInt16("MousePointer", 0), 99);
  EXPECT_EQ(bag.ReadFont("Font", {}).name, "Arial");
}

TEST_F(ButtonTest, SavingTakesTheWindowHeldPropertiesFromTheWindow) {
  Button& button = PlaceFresh();
  Window().Enabled(false);
  Window().MousePointer(7);
  Window().Font({"Arial", 9.0, false, false, false, false});
  const PicturePtr icon = SmallPicture(4);
  Window().MouseIcon(icon);
  PropertyBag bag;
  button.WriteProperties(bag);
  EXPECT_FALSE(bag.ReadBool("Enabled", true));
  EXPECT_EQ(bag.ReadInt16("MousePointer", 0), 7);
  EXPECT_EQ(bag.ReadFont("Font", {}).name, "Arial");
  ASSERT_NE(bag.ReadPicture("MouseIcon", nullptr), nullptr);
  EXPECT_TRUE(bag.ReadPicture("MouseIcon", nullptr)->SameSourceAs(*icon));
}

TEST_F(ButtonTest, SavedControlLoadsBackTheSame) {
  Button& first = PlaceFresh("Command1");
  SetAllOffDefault(first);
  PropertyBag bag;
  first.WriteProperties(bag);
  const PropertyBag reread = PropertyBagFromJson(PropertyBagToJsonText(bag));

  Button& second = PlaceLoaded(reread, "Command2");
  PropertyBag again;
  second.WriteProperties(again);
  EXPECT_EQ(PropertyBagToJsonText(again), PropertyBagToJsonText(bag));
  EXPECT_EQ(second.ButtonShape(), 3);
  EXPECT_EQ(second.ButtonTheme(), 11);
  EXPECT_EQ(second.Caption(), "Unlock");
  EXPECT_FALSE(second.Enabled());
  EXPECT_EQ(second.MousePointer(), 99);
  EXPECT_EQ(second.Font(), (FontSpec{"Arial", 10.0, true, true, false, false}));
}

// ---- Loading ----

TEST_F(ButtonTest, LoadingAnEmptyBagGivesEveryDefault) {
  host_.SetAmbientFont({"Courier New", 10.0, false, true, false, false});
  const PropertyBag empty;
  Button& button = PlaceLoaded(empty);
  EXPECT_EQ(button.ButtonShape(), 0);
  EXPECT_EQ(button.ButtonStyle(), 1);
  EXPECT_EQ(button.ButtonStyleColors(), 1);
  EXPECT_EQ(button.CaptionAlignment(), 2);
  EXPECT_EQ(button.PictureAlignment(), 2);
  EXPECT_EQ(button.BackColor(), kButtonFace);
  EXPECT_EQ(button.ForeColorPressed(), 0x0000FFu);
  EXPECT_EQ(button.ForeColorHover(), 0xFF0000u);
  EXPECT_EQ(button.EffectColor(), 0xFFFFFFu);
  // The caption defaults to the control's class name, the font to the container's.
  EXPECT_EQ(button.Caption(), "Button");
  EXPECT_EQ(button.Font(), (FontSpec{"Courier New", 10.0, false, true, false, false}));
  EXPECT_TRUE(button.FocusRect());
  EXPECT_TRUE(button.Enabled());
  EXPECT_EQ(button.MousePointer(), 0);
  // Loading does not size the control.
  EXPECT_EQ(Window().Width(), 1200);
  EXPECT_EQ(Window().Height(), 600);
}

TEST_F(ButtonTest, LoadingAppliesNoPresetAndKeepsTheSavedBorderColours) {
  // ButtonStyle 0: no paint rewrites the border colours afterwards.
  const PropertyBag bag = PropertyBagFromJson(R"({
    "ButtonStyle": 0, "ButtonTheme": 3,
    "BackColor": 1193046, "BackColorHover": 2, "BackColorPressed": 3,
    "BorderColor": 16, "BorderColorPressed": 32, "BorderColorHover": 48
  })");
  Button& button = PlaceLoaded(bag);
  EXPECT_EQ(button.ButtonTheme(), 3);
  EXPECT_EQ(button.BackColor(), 0x123456u);
  EXPECT_EQ(button.BackColorHover(), 2u);
  EXPECT_EQ(button.BackColorPressed(), 3u);
  EXPECT_EQ(button.BorderColor(), 16u);
  EXPECT_EQ(button.BorderColorPressed(), 32u);
  EXPECT_EQ(button.BorderColorHover(), 48u);
}

TEST_F(ButtonTest, LoadingAStyleAppliesNoStylePreset) {
  const PropertyBag bag = PropertyBagFromJson(R"({
    "ButtonStyle": 6, "ButtonStyleColors": 5, "BackColorPressed": 1118481
  })");
  Button& button = PlaceLoaded(bag);
  EXPECT_EQ(button.ButtonStyle(), 6);
  EXPECT_EQ(button.ButtonStyleColors(), 5);
  EXPECT_EQ(button.BackColor(), kButtonFace);
  EXPECT_EQ(button.BackColorPressed(), 0x111111u);
}

TEST_F(ButtonTest, LoadingMarksOnlyFontAndMouseIconChangedAndRepaintsForThemAlone) {
  Button& source = PlaceFresh("Source");
  SetAllOffDefault(source);
  PropertyBag bag;
  source.WriteProperties(bag);
  host_.ClearRecords();

  Button& button = PlaceLoaded(bag);
  EXPECT_THAT(Changed(), ElementsAre("Font", "MouseIcon"));
  // Two repaints from the Font and MouseIcon setters, one from Show, and one more from the
  // Resize that the first of them runs when it makes the 1200 x 600 twip control square for
  // the saved ButtonShape 3.
  EXPECT_EQ(button.PaintCount(), 4);
  EXPECT_EQ(Window().Height(), Window().Width());
  EXPECT_TRUE(Events().empty());
}

TEST_F(ButtonTest, LoadingAnEmptyBagStillRunsTheFontAndMouseIconSetters) {
  const PropertyBag empty;
  Button& button = PlaceLoaded(empty);
  EXPECT_THAT(Changed(), ElementsAre("Font", "MouseIcon"));
  EXPECT_EQ(button.PaintCount(), 3);
}

TEST_F(ButtonTest, LoadingMatchesKeysWithoutRegardToCaseAndIgnoresUnknownOnes) {
  const PropertyBag bag = PropertyBagFromJson(R"({
    "_extentx": 2117, "_extenty": 873,
    "buttonshape": 1, "buttonstyle": 0, "buttonstylecolors": 4, "buttontheme": 2,
    "captionalignment": 1, "backcolor": -2147483633, "bordercolorhover": 255,
    "forecolor": 65280, "caption": " Lock USB Port", "focusrect": false, "value": true,
    "enabled": false, "font": {"name": "Verdana", "size": 9.75, "bold": true,
                               "italic": false, "underline": false},
    "mousepointer": 2, "somethingnew": [1, 2]
  })");
  Button& button = PlaceLoaded(bag);
  EXPECT_EQ(button.ButtonShape(), 1);
  // ButtonStyle 0 (not the default 1): no paint rewrites the loaded border colour.
  EXPECT_EQ(button.ButtonStyle(), 0);
  EXPECT_EQ(button.ButtonStyleColors(), 4);
  EXPECT_EQ(button.ButtonTheme(), 2);
  EXPECT_EQ(button.CaptionAlignment(), 1);
  EXPECT_EQ(button.BackColor(), kButtonFace);
  EXPECT_EQ(button.BorderColorHover(), 0x0000FFu);
  EXPECT_EQ(button.ForeColor(), 0x00FF00u);
  EXPECT_EQ(button.Caption(), " Lock USB Port");
  EXPECT_FALSE(button.FocusRect());
  EXPECT_TRUE(button.Value());
  EXPECT_FALSE(button.Enabled());
  EXPECT_EQ(button.Font(), (FontSpec{"Verdana", 9.75, true, false, false, false}));
  EXPECT_EQ(button.MousePointer(), 2);
}

TEST_F(ButtonTest, LoadingStoresPicturesAndTheMouseIcon) {
  const PicturePtr picture = SmallPicture(1);
  const PicturePtr icon = SmallPicture(2);
  PropertyBag bag;
  bag.WritePicture("Picture", picture, nullptr);
  bag.WritePicture("MouseIcon", icon, nullptr);
  Button& button = PlaceLoaded(bag);
  EXPECT_EQ(button.Picture(), picture);
  EXPECT_EQ(button.MouseIcon(), icon);
  EXPECT_EQ(Window().MouseIcon(), icon);
}

TEST_F(ButtonTest, AKeyOfTheWrongTypeFailsNamingItAndLeavesTheControlAsItWas) {
  Button& button = PlaceFresh();
  button.ButtonShape(4);
  button.Caption("Before");
  const FontSpec font = button.Font();
  host_.ClearRecords();
  const int paints = button.PaintCount();

  const PropertyBag bag = PropertyBagFromJson(R"({
    "ButtonShape": 7, "BackColor": 255, "Caption": "After", "FocusRect": "maybe",
    "Enabled": false,
    "Font": {"name": "Arial", "size": 20, "bold": false, "italic": false, "underline": false}
  })");
  const PropertyBagError error = BagErrorOf([&] { button.ReadProperties(bag); });
  EXPECT_EQ(error.key(), "FocusRect");
  EXPECT_NE(std::string(error.what()).find("FocusRect"), std::string::npos);
  EXPECT_EQ(button.ButtonShape(), 4);
  EXPECT_EQ(button.BackColor(), kButtonFace);
  EXPECT_EQ(button.Caption(), "Before");
  EXPECT_TRUE(button.Enabled());
  EXPECT_EQ(button.Font(), font);
  EXPECT_TRUE(Changed().empty());
  EXPECT_EQ(button.PaintCount(), paints);
}

TEST_F(ButtonTest, AWrongLastKeyStillLeavesFontAndMouseIconUntouched) {
  Button& button = PlaceFresh();
  const FontSpec font = button.Font();
  host_.ClearRecords();
  const int paints = button.PaintCount();
  // MousePointer is 16 bits: 70000 does not fit.
  PropertyBag bag = PropertyBagFromJson(R"({
    "ButtonStyle": 3,
    "Font": {"name": "Arial", "size": 20, "bold": false, "italic": false, "underline": false},
    "MousePointer": 70000
  })");
  bag.WritePicture("MouseIcon", SmallPicture(1), nullptr);
  const PropertyBagError error = BagErrorOf([&] { button.ReadProperties(bag); });
  EXPECT_EQ(error.key(), "MousePointer");
  EXPECT_EQ(button.ButtonStyle(), 1);
  EXPECT_EQ(button.Font(), font);
  EXPECT_EQ(button.MouseIcon(), nullptr);
  EXPECT_TRUE(Changed().empty());
  EXPECT_EQ(button.PaintCount(), paints);
}

// A value of another type converts to the key's type; see the property bag for every rule.
TEST_F(ButtonTest, LoadingConvertsAValueToTheTypeOfItsKey) {
  const PropertyBag bag = PropertyBagFromJson(R"({
    "ButtonShape": 2.0, "CaptionEffect": "3", "BackColor": "255", "Caption": 12,
    "FocusRect": 0, "Value": -1, "HandPointer": 1.5, "MousePointer": "11"
  })");
  Button& button = PlaceLoaded(bag);
  EXPECT_EQ(button.ButtonShape(), 2);
  EXPECT_EQ(button.CaptionEffect(), 3);
  EXPECT_EQ(button.BackColor(), 0x0000FFu);
  EXPECT_EQ(button.Caption(), "12");
  EXPECT_FALSE(button.FocusRect());
  EXPECT_TRUE(button.Value());
  EXPECT_TRUE(button.HandPointer());
  EXPECT_EQ(button.MousePointer(), 11);
}

TEST_F(ButtonTest, AKeyWhoseValueCannotConvertIsNamedForEveryType) {
  struct Case {
    const char* json;
    const char* key;
  };
  const Case cases[] = {
      {R"({"ButtonType": "one"})", "ButtonType"},
      {R"({"EffectColor": "white"})", "EffectColor"},
      {R"({"FocusRect": "maybe"})", "FocusRect"},
      {R"({"Picture": "none"})", "Picture"},
      {R"({"Enabled": "yes"})", "Enabled"},
      {R"({"Font": 8})", "Font"},
      {R"({"MouseIcon": 3})", "MouseIcon"},
      {R"({"CaptionStyle": 4294967296})", "CaptionStyle"},
      {R"({"MousePointer": 32767.5})", "MousePointer"},
  };
  Button& button = PlaceFresh();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    const PropertyBag bag = PropertyBagFromJson(c.json);
    EXPECT_EQ(BagErrorOf([&] { button.ReadProperties(bag); }).key(), c.key);
  }
}

}  // namespace
}  // namespace fw::test
