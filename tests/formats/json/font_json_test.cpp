// The one reader of a font's JSON layout, shared by saved bags and a window's stored design.
#include "formats/json/font_json.h"

#include <gtest/gtest.h>

#include <string>

namespace fw {
namespace {

using Json = nlohmann::ordered_json;

std::string ErrorOf(const char* text, FontJsonRules rules = {}) {
  try {
    ReadFontJson(Json::parse(text), rules);
  } catch (const FontJsonError& e) {
    return e.what();
  }
  return "(read)";
}

TEST(FontJson, ReadsEveryMemberAndDefaultsTheBooleans) {
  const FontSpec font = ReadFontJson(
      Json::parse(R"({"name": "Caf\u00e9", "size": 9.75, "bold": true, "underline": true})"), {});
  EXPECT_EQ(font.face, "Caf\xE9");  // Windows-1252 once read
  EXPECT_DOUBLE_EQ(font.points, 9.75);
  EXPECT_TRUE(font.bold);
  EXPECT_FALSE(font.italic);
  EXPECT_TRUE(font.underline);
  EXPECT_FALSE(font.strikethrough);
}

TEST(FontJson, StrikethroughAndUnknownMembersOnlyWhereTheRulesAllow) {
  const char* struck = R"({"name": "Arial", "size": 8, "strikethrough": true})";
  EXPECT_EQ(ErrorOf(struck),
            "has the unknown member \"strikethrough\" (name, size, bold, italic, underline)");
  EXPECT_TRUE(ReadFontJson(Json::parse(struck), {.strikethrough = true}).strikethrough);

  const char* later = R"({"name": "Arial", "size": 8, "weight": 700})";
  EXPECT_EQ(ErrorOf(later, {.strikethrough = true}),
            "has the unknown member \"weight\" (name, size, bold, italic, underline, "
            "strikethrough)");
  EXPECT_EQ(ReadFontJson(Json::parse(later), {.skip_unknown = true}).face, "Arial");
}

TEST(FontJson, ErrorsNameTheMemberAtFault) {
  EXPECT_EQ(ErrorOf("[1]"), "is not a JSON object");
  EXPECT_EQ(ErrorOf(R"({"size": 8})"), "has no \"name\"");
  EXPECT_EQ(ErrorOf(R"({"name": "Arial"})"), "has no \"size\"");
  EXPECT_EQ(ErrorOf(R"({"name": 3, "size": 8})"), "\"name\" is a JSON number, not a string");
  EXPECT_EQ(ErrorOf(R"({"name": "Arial", "size": "8"})"),
            "\"size\" is a JSON string, not a number");
  EXPECT_EQ(ErrorOf(R"({"name": "Arial", "size": 0})"),
            "\"size\" is not a point size from above 0 to 2048: 0");
  EXPECT_EQ(ErrorOf(R"({"name": "Arial", "size": 2048.5})"),
            "\"size\" is not a point size from above 0 to 2048: 2048.5");
  EXPECT_EQ(ErrorOf(R"({"name": "Arial", "size": 8, "italic": 1})"),
            "\"italic\" is a JSON number, not true or false");
  EXPECT_NE(ErrorOf(R"({"name": "\u65e5", "size": 8})").find("\"name\" cannot be shown"),
            std::string::npos);
  // The largest size is allowed.
  EXPECT_DOUBLE_EQ(ReadFontJson(Json::parse(R"({"name": "Arial", "size": 2048})"), {}).points,
                   2048.0);
}

}  // namespace
}  // namespace fw
