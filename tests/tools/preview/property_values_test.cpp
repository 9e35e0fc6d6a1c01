// The property table: every public property in interface order, value texts, and --dump's
// format (colours as 0x and eight upper-case hex digits, Booleans True/False, quoted text).
#include "tools/preview/property_values.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "controls/button/button.h"
#include "tools/preview/button_adapter.h"
#include "tools/preview/picture_files.h"
#include "tools/preview/render.h"

namespace fw::preview {
namespace {

PropertyTable ButtonProperties() {
  return ButtonAdapter().Properties();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class PropertyTableTest : public ::testing::Test {
 protected:
  std::unique_ptr<GdiDevice> device_ = CreatePlatformGdiDevice();
  PictureFiles pictures_;
  ButtonAdapter adapter_;
  ControlPreview preview_{adapter_, *device_, ControlRecipe{}, pictures_};
  Button& button_ = preview_.As<Button>();
};

TEST(PropertyTable, ListsTheThirtyPropertiesInInterfaceOrder) {
  const std::vector<std::string_view> expected = {"ButtonShape",
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
                                                  "MousePointer",
                                                  "MouseIcon"};
  const auto properties = ButtonProperties();
  ASSERT_EQ(properties.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(properties[i].name, expected[i]);
}

TEST(PropertyTable, FindsNamesWithoutRegardToCase) {
  ASSERT_NE(FindProperty(ButtonProperties(), "backcolorhover"), nullptr);
  EXPECT_EQ(FindProperty(ButtonProperties(), "backcolorhover")->name, "BackColorHover");
  EXPECT_EQ(FindProperty(ButtonProperties(), "CAPTION")->kind, PropertyKind::kText);
  EXPECT_EQ(FindProperty(ButtonProperties(), "hwnd"), nullptr);
  EXPECT_EQ(FindProperty(ButtonProperties(), "Back Color"), nullptr);
}

TEST(PropertyTable, Numbers) {
  EXPECT_EQ(ParseNumber("0"), 0);
  EXPECT_EQ(ParseNumber("-17"), -17);
  EXPECT_EQ(ParseNumber("0xff"), 255);
  EXPECT_EQ(ParseNumber("0XFFFFFFFF"), 0xFFFFFFFFll);
  EXPECT_FALSE(ParseNumber(""));
  EXPECT_FALSE(ParseNumber("0x"));
  EXPECT_FALSE(ParseNumber("+5"));
  EXPECT_FALSE(ParseNumber("-0x5"));
  EXPECT_FALSE(ParseNumber("0x123456789"));
  EXPECT_FALSE(ParseNumber(" 5"));
}

TEST_F(PropertyTableTest, DumpsAFreshControl) {
  const std::vector<std::string> lines =
      Lines(DumpProperties(ButtonProperties(), button_, pictures_));
  ASSERT_EQ(lines.size(), ButtonProperties().size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_TRUE(lines[i].starts_with(std::string(ButtonProperties()[i].name) + "=")) << lines[i];
  }
  EXPECT_EQ(lines[0], "ButtonShape=0");
  EXPECT_EQ(lines[1], "ButtonStyle=1");
  EXPECT_EQ(lines[5], "CaptionAlignment=2");
  EXPECT_EQ(lines[10], "BackColor=0x8000000F");
  EXPECT_EQ(lines[16], "ForeColor=0x00000000");
  EXPECT_EQ(lines[17], "ForeColorPressed=0x000000FF");
  EXPECT_EQ(lines[18], "ForeColorHover=0x00FF0000");
  EXPECT_EQ(lines[19], "EffectColor=0x00FFFFFF");
  EXPECT_EQ(lines[20], "Caption=\"Button1\"");
  EXPECT_EQ(lines[21], "FocusRect=True");
  EXPECT_EQ(lines[22], "Value=False");
  EXPECT_EQ(lines[24], "Picture=(none)");
  EXPECT_EQ(lines[26], "Enabled=True");
  EXPECT_EQ(lines[27], "Font=Tahoma,8.25");
  EXPECT_EQ(lines[28], "MousePointer=0");
  EXPECT_EQ(lines[29], "MouseIcon=(none)");
}

TEST_F(PropertyTableTest, FormatsEachType) {
  const auto format = [&](std::string_view name) {
    const PropertyRow& property = *FindProperty(ButtonProperties(), name);
    return FormatValue(property, property.get(button_), pictures_);
  };
  button_.BackColorHover(0x00ABCDEFu);
  button_.CaptionEffect(-12);
  button_.Caption("say \"hi\"");
  button_.HandPointer(true);
  button_.Font({"Courier New", 10.5, true, true, true, false});
  button_.MousePointer(-2);
  EXPECT_EQ(format("BackColorHover"), "0x00ABCDEF");
  EXPECT_EQ(format("CaptionEffect"), "-12");
  EXPECT_EQ(format("Caption"), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(format("HandPointer"), "True");
  EXPECT_EQ(format("Font"), "Courier New,10.5,bold,italic,underline");
  EXPECT_EQ(format("MousePointer"), "-2");
}

TEST_F(PropertyTableTest, SettersGoThroughTheControl) {
  FindProperty(ButtonProperties(), "ButtonTheme")->set(button_, std::int32_t{3});
  // The theme's presets come with it.
  EXPECT_EQ(button_.BackColor(), 0xB5A09Du);
  EXPECT_EQ(button_.BackColorHover(), 0xF7F5F4u);
  FindProperty(ButtonProperties(), "Enabled")->set(button_, false);
  EXPECT_FALSE(preview_.window().Enabled());
  FindProperty(ButtonProperties(), "Font")->set(button_, ParseFont("Arial,12,italic"));
  EXPECT_EQ(preview_.window().Font().face, "Arial");
  EXPECT_TRUE(preview_.window().Font().italic);
}

// What --dump prints, --set takes back: every property but the pictures survives the trip.
TEST_F(PropertyTableTest, PrintedValuesParseBackToTheSameValue) {
  button_.BackColor(0x80000005u);
  button_.Caption("a,b=c");
  button_.Font({"MS Sans Serif", 9.75, false, true, false, false});
  for (const PropertyRow& property : ButtonProperties()) {
    if (property.kind == PropertyKind::kPicture) continue;
    const SettingValue value = property.get(button_);
    std::string text = FormatValue(property, value, pictures_);
    if (property.kind == PropertyKind::kText) text = text.substr(1, text.size() - 2);
    EXPECT_EQ(ParseValue(property, text), value) << property.name << "=" << text;
  }
}

#ifndef _WIN32
TEST(PropertyTable, TextGoesBetweenUtf8AndWindows1252) {
  const PropertyRow& caption = *FindProperty(ButtonProperties(), "Caption");
  EXPECT_EQ(std::get<std::string>(ParseValue(caption, "caf\xC3\xA9 \xE2\x82\xAC")), "caf\xE9 \x80");
  EXPECT_THROW(ParseValue(caption, "\xE4\xB8\xAD"), ValueError);  // U+4E2D
  EXPECT_THROW(ParseValue(caption, "\xC3"), ValueError);
}
#endif

}  // namespace
}  // namespace fw::preview
