// Reading a window's stored design: what it holds, and every way it can be wrong.
#include "platform/form/form_design.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

constexpr std::string_view kSmallForm = R"({
  "name": "Main", "caption": "Caf\u00e9", "back_color": "0x80000005",
  "client_width": 3000, "client_height": 1500,
  "controls": [
    {"name": "Outer", "kind": "frame", "left": 60, "top": 90, "width": 2000, "height": 1000,
     "tab_index": 0, "caption": "Box", "font": {"name": "Arial", "size": 9.75, "bold": true}},
    {"name": "Inner", "kind": "frame", "inside": "Outer", "left": 30, "top": 45, "width": 900,
     "height": 600},
    {"name": "Status", "kind": "label", "inside": "Inner", "left": 15, "top": 30, "width": 300,
     "height": 240, "tab_index": 2, "visible": false, "caption": "Ready",
     "fore_color": "0xFF0000"},
    {"name": "Go", "kind": "control", "class": "Button", "left": 150, "top": 150, "width": 600,
     "height": 300, "tab_index": 1, "properties": {"caption": "Go", "buttonstyle": 7}},
    {"name": "Tick", "kind": "timer", "interval": 250}
  ]
})";

FormDesign Parse(std::string_view text) {
  return ParseFormDesign(text, {});
}

TEST(FormDesign, ReadsTheWindowAndEveryControlInOrder) {
  const FormDesign form = Parse(kSmallForm);
  EXPECT_EQ(form.name, "Main");
  EXPECT_EQ(form.caption, "Caf\xE9");  // single-byte text, as the window shows it
  EXPECT_EQ(form.back_color, 0x80000005u);
  EXPECT_EQ(form.client_width, 3000);
  ASSERT_EQ(form.controls.size(), 5u);
  const FormControlDesign& outer = form.controls[0];
  EXPECT_EQ(outer.kind, FormControlKind::Frame);
  EXPECT_EQ(outer.inside, "Main");
  EXPECT_EQ(outer.font.face, "Arial");
  EXPECT_DOUBLE_EQ(outer.font.points, 9.75);
  EXPECT_TRUE(outer.font.bold);
  const FormControlDesign& status = *form.Find("STATUS");
  EXPECT_FALSE(status.visible);
  EXPECT_EQ(status.caption, "Ready");
  EXPECT_EQ(status.fore_color, 0xFF0000u);
  EXPECT_EQ(status.tab_index, 2);
  EXPECT_EQ(form.Find("Inner")->tab_index, std::nullopt);
  const FormControlDesign& go = *form.Find("Go");
  EXPECT_EQ(go.control_class, "Button");
  EXPECT_EQ(go.properties.ReadText("Caption", ""), "Go");
  EXPECT_EQ(go.properties.ReadInt32("ButtonStyle", 0), 7);
  EXPECT_EQ(form.Find("Tick")->interval, 250);
  EXPECT_TRUE(form.Find("Tick")->enabled);
  EXPECT_EQ(form.Find("Nothing"), nullptr);
}

TEST(FormDesign, PositionsInsideFramesAddUpToTheWindowsClientArea) {
  const FormDesign form = Parse(kSmallForm);
  EXPECT_EQ(form.ClientTwips(*form.Find("Outer")), (Rect{60, 90, 2060, 1090}));
  EXPECT_EQ(form.ClientTwips(*form.Find("Inner")), (Rect{90, 135, 990, 735}));
  EXPECT_EQ(form.ClientTwips(*form.Find("Status")), (Rect{105, 165, 405, 405}));
  EXPECT_EQ(form.ClientTwips(*form.Find("Go")), (Rect{150, 150, 750, 450}));
}

// Replaces the first occurrence of `from` in the small form.
std::string With(std::string_view from, std::string_view to) {
  std::string text(kSmallForm);
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
  return text;
}

TEST(FormDesign, ErrorsNameTheControlAndWhatIsWrong) {
  struct Case {
    std::string text;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"{", "malformed JSON"},
      // A number no type can hold, and nesting deep enough to exhaust the stack.
      {With(R"("client_width": 3000)", R"("client_width": 2e651)"), "malformed JSON"},
      {"{\"name\":" + std::string(100000, '[') + std::string(100000, ']') + "}",
       "nested deeper than 64 levels"},
      {"[]", "form design is not a JSON object"},
      {With(R"("name": "Main", )", ""), "has no \"name\""},
      {With(R"("client_width": 3000)", R"("client_width": 0)"), "\"client_width\" is 0"},
      {With(R"("kind": "label")", R"("kind": "slider")"), "(Status) has the unknown kind"},
      {With(R"("inside": "Inner")", R"("inside": "Status")"), "(Status) lies inside \"Status\""},
      {With(R"("inside": "Outer")", R"("inside": "Later")"), "(Inner) lies inside \"Later\""},
      {With(R"("name": "Go")", R"("name": "outer")"), "(outer) has a name already used"},
      {With(R"("fore_color": "0xFF0000")", R"("fore_color": 255)"),
       "(Status) \"fore_color\" is not a colour"},
      {With(R"("fore_color": "0xFF0000")", R"("fore_color": "0x1FF000000")"),
       "\"fore_color\" is not a colour"},
      {With(R"("top": 30)", R"("top": 1.5)"), "(Status) \"top\" is not a whole number"},
      {With(R"("width": 900)", R"("width": -1)"), "(Inner) \"width\" is -1"},
      {With(R"("size": 9.75)", R"("size": 0)"), "\"size\" is not a point size"},
      {With(R"("visible": false)", R"("visible": "no")"), "\"visible\" is not true or false"},
      {With(R"("class": "Button", )", ""), "(Go) has no \"class\""},
      {With(R"("buttonstyle": 7)", R"("ButtonStyle": 7, "buttonstyle": 8)"),
       "(Go) has properties that cannot be read"},
      {With(R"("interval": 250)", R"("interval": 70000)"), "(Tick) \"interval\" is 70000"},
      {With(R"("caption": "Ready")", R"("caption": "\u20ac\u4e00")"),
       "(Status) \"caption\" cannot be shown"},
  };
  for (const Case& c : cases) {
    try {
      Parse(c.text);
      ADD_FAILURE() << "accepted: " << c.message;
    } catch (const FormDesignError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
          << error.what() << "\nwanted: " << c.message;
    }
  }
}

TEST(FormDesign, FontsMayBeStruckOutAndPassOverMembersOfLaterVersions) {
  const FormDesign form =
      Parse(With(R"("bold": true})", R"("strikethrough": true, "weight": 700})"));
  EXPECT_TRUE(form.Find("Outer")->font.strikethrough);
  EXPECT_FALSE(form.Find("Outer")->font.bold);
}

TEST(FormDesign, ResourcePicturesInPropertiesGoThroughTheResolver) {
  const std::string text = With(R"("buttonstyle": 7)", R"("mouseicon": {"resource": "x.cur"})");
  EXPECT_THROW(Parse(text), FormDesignError);
  int asked = 0;
  EXPECT_THROW(ParseFormDesign(text,
                               [&](std::string_view name) -> PicturePtr {
                                 ++asked;
                                 EXPECT_EQ(name, "x.cur");
                                 return nullptr;
                               }),
               FormDesignError);
  EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace fw
