#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <variant>

#include "tools/gdi/script.h"

namespace fw::gdiscript {
namespace {

int ErrorLine(std::string_view text) {
  try {
    ParseScript(text);
  } catch (const ScriptError& error) {
    return error.line();
  }
  return 0;
}

TEST(ScriptParser, ReadsNumbersColoursCommentsAndQuotedText) {
  const Script script = ParseScript(
      "# a comment line\n"
      "surface 0x10 8 0x800000\n"
      "\n"
      "moveto -3 +4   # trailing comment\n"
      "pen 0x8000000F 2\n"
      "text 1 2 0xFF \"MS Sans Serif\" 8.25 bold \"say \\\"hi\\\" # not a comment\"\n");
  EXPECT_EQ(script.surface.width, 16);
  EXPECT_EQ(script.surface.height, 8);
  EXPECT_EQ(script.surface.color, 0x800000u);
  ASSERT_EQ(script.commands.size(), 3u);
  EXPECT_EQ(std::get<MoveToCmd>(script.commands[0]).to, (Point{-3, 4}));
  const auto& pen = std::get<PenCmd>(script.commands[1]);
  EXPECT_EQ(pen.color, GetSysColor(COLOR_BTNFACE));  // system colours resolve at parse time
  EXPECT_EQ(pen.width, 2);
  const auto& text = std::get<TextCmd>(script.commands[2]);
  EXPECT_EQ(text.font.face, "MS Sans Serif");
  EXPECT_DOUBLE_EQ(text.font.points, 8.25);
  EXPECT_TRUE(text.font.bold);
  EXPECT_EQ(text.text, "say \"hi\" # not a comment");
}

TEST(ScriptParser, SurfaceColourDefaultsToWhiteAndBrushTakesHollow) {
  const Script script = ParseScript("surface 2 3\nbrush hollow\nbrush 0x00FF00\n");
  EXPECT_EQ(script.surface.color, 0xFFFFFFu);
  EXPECT_TRUE(std::get<BrushCmd>(script.commands[0]).brush.hollow);
  EXPECT_EQ(std::get<BrushCmd>(script.commands[1]).brush, Brush::Solid(0x00FF00));
}

TEST(ScriptParser, GradientVerticesKeepTheirOrderAndColours) {
  const Script script = ParseScript("surface 4 4\ngradient v 10 20 0x0000FF 1 2 0xFF0000\n");
  const auto& g = std::get<GradientCmd>(script.commands[0]);
  EXPECT_EQ(g.mode, GradientMode::Vertical);
  EXPECT_EQ(g.v0.x, 10);
  EXPECT_EQ(g.v0.red, 0xFF00);
  EXPECT_EQ(g.v0.blue, 0);
  EXPECT_EQ(g.v1.y, 2);
  EXPECT_EQ(g.v1.blue, 0xFF00);
}

TEST(ScriptParser, ErrorsNameTheLine) {
  EXPECT_EQ(ErrorLine("pen 0\n"), 1);                        // surface must come first
  EXPECT_EQ(ErrorLine("\n# c\n"), 1);                        // no surface at all
  EXPECT_EQ(ErrorLine("surface 4 4\nlineto 1\n"), 2);        // missing argument
  EXPECT_EQ(ErrorLine("surface 4 4\n\nlineto 1 2 3\n"), 3);  // extra argument
  EXPECT_EQ(ErrorLine("surface 4 4\nlineto 1 0x\n"), 2);     // bad number
  EXPECT_EQ(ErrorLine("surface 4 4\npen 0x1000000\n"), 2);   // palette index: not a colour
  EXPECT_EQ(ErrorLine("surface 4 4\npen 0x8000001F\n"), 2);  // no system colour 31
  EXPECT_EQ(ErrorLine("surface 4 4\nregiondiff rect 0 0 1 1\n"), 2);
  EXPECT_EQ(ErrorLine("surface 4 4\ngradient d 0 0 0 1 1 0\n"), 2);
  EXPECT_EQ(ErrorLine("surface 4 4\nregion star 1 2\n"), 2);
  EXPECT_EQ(ErrorLine("surface 4 4\ntext 0 0 0 Tahoma 0 normal \"x\"\n"), 2);
  EXPECT_EQ(ErrorLine("surface 4 4\ntext 0 0 0 Tahoma 8 normal x\n"), 2);
  EXPECT_EQ(ErrorLine("surface 4 4\n\"quoted\" 1\n"), 2);
}

TEST(ScriptParser, ErrorsShowControlCharactersOfTheScriptAsEscapes) {
  try {
    ParseScript("surface 4 4 0xFFFFFF \x19\x1b[2J\n");
    FAIL() << "a stray argument parsed";
  } catch (const ScriptError& error) {
    EXPECT_EQ(std::string(error.what()), "line 1: surface: unexpected '\\x19\\x1B[2J'");
  }
}

TEST(ScriptParser, RejectsSizesAndCoordinatesBeyondTheLimits) {
  EXPECT_EQ(ErrorLine("surface 0 4\n"), 1);
  EXPECT_EQ(ErrorLine("surface 8193 1\n"), 1);
  EXPECT_EQ(ErrorLine("surface 8000 8000\n"), 1);  // more than 16 M pixels
  EXPECT_EQ(ErrorLine("surface 4 4\nmoveto 1000001 0\n"), 2);
  EXPECT_EQ(ErrorLine("surface 4 4\nmoveto 0x100000000 0\n"), 2);
  EXPECT_EQ(ErrorLine("surface 4 4\npen 0 17\n"), 2);
  EXPECT_NO_THROW(ParseScript("surface 4 4\nmoveto -1000000 1000000\n"));
}

TEST(ScriptRunner, DrawsOnTheBuildsOwnDevice) {
  auto device = CreatePlatformGdiDevice();
  const Script script = ParseScript(
      "surface 6 4 0x000000\n"
      "fillrect 1 1 3 3 0x0000FF\n"
      "pen 0x00FF00\n"
      "moveto 0 3\nlineto 6 3\n"
      "region rect 4 0 6 2\nregiondiff rect 5 0 6 1\nfillregion 0xFF0000\n");
  const auto dc = RunScript(script, *device);
  EXPECT_EQ(dc->GetPixel(1, 1), 0x0000FFu);
  EXPECT_EQ(dc->GetPixel(3, 1), 0x000000u);  // right edge of FillRect left out
  EXPECT_EQ(dc->GetPixel(5, 3), 0x00FF00u);
  EXPECT_EQ(dc->GetPixel(4, 0), 0xFF0000u);
  EXPECT_EQ(dc->GetPixel(5, 0), 0x000000u);  // cut out by the difference
  EXPECT_EQ(dc->GetPixel(5, 1), 0xFF0000u);
}

}  // namespace
}  // namespace fw::gdiscript
