// Text on the soft surface: the font resolver, the FreeType renderer against what Wine's GDI
// reports and draws (font smoothing off), and DrawTextA's layout rules.
//
// The expected values were taken from Wine 8.0 (Debian) running a mingw-w64 program on a
// 32-bit DIB section: CreateFontA(height, ..., ANSI_CHARSET, ..., DEFAULT_QUALITY, face),
// GetTextMetricsA, GetTextExtentPoint32A, TextOutA with SetBkMode(TRANSPARENT) and DrawTextA.
// Wine had fonts-wine's files in C:\windows\Fonts and fontconfig anti-aliasing off.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/soft/raster/draw_text.h"
#include "platform/soft/text/font_resolver.h"
#include "platform/soft/text/soft_text.h"

namespace fw::soft {
namespace {

using LogFont = FreeTypeTextRenderer::LogFont;

FontSpec Spec(const std::string& face, double points, bool bold = false) {
  FontSpec spec;
  spec.face = face;
  spec.points = points;
  spec.bold = bold;
  return spec;
}

// The pixels Render plots, as rows of '#' and '.' over [0, width) x [0, height), each row
// preceded by a newline; a pixel outside the window fails the picture.
std::string Picture(FreeTypeTextRenderer& renderer, const FontSpec& font, std::string_view text,
                    int width, int height) {
  std::set<std::pair<int, int>> pixels;
  renderer.Render(font, 0, 0, text, [&pixels](int x, int y) { pixels.insert({y, x}); });
  std::string picture;
  for (int y = 0; y < height; ++y) {
    picture += '\n';
    for (int x = 0; x < width; ++x) picture += pixels.count({y, x}) != 0 ? '#' : '.';
  }
  for (const auto& [y, x] : pixels) {
    if (x < 0 || y < 0 || x >= width || y >= height) {
      picture += "\noutside " + std::to_string(x) + "," + std::to_string(y);
    }
  }
  return picture;
}

// ---------------------------------------------------------------------------------------------
// The resolver.

TEST(FontResolverTest, TahomaComesFromWineFonts) {
  const FontResolver resolver;
  const ResolvedFamily family = resolver.Resolve("Tahoma");
  EXPECT_EQ(family.family, "Tahoma");
  EXPECT_FALSE(family.fallback);
  std::vector<std::string> paths;
  for (const FontFaceFile& face : family.faces) paths.push_back(face.path);
  EXPECT_EQ(paths, (std::vector<std::string>{"/usr/share/wine/fonts/tahoma.ttf",
                                             "/usr/share/wine/fonts/tahomabd.ttf"}));
}

TEST(FontResolverTest, MsSansSerifIsWinesRasterFontNotItsBuildIntermediate) {
  const FontResolver resolver;
  const ResolvedFamily family = resolver.Resolve("MS Sans Serif");
  EXPECT_EQ(family.family, "MS Sans Serif");
  ASSERT_FALSE(family.faces.empty());
  bool has_sserife = false;
  for (const FontFaceFile& face : family.faces) {
    EXPECT_NE(face.path, "/usr/share/wine/fonts/ms_sans_serif.ttf");
    EXPECT_FALSE(face.scalable);
    has_sserife = has_sserife || face.path == "/usr/share/wine/fonts/sserife.fon";
  }
  EXPECT_TRUE(has_sserife);
}

TEST(FontResolverTest, ArialIsLiberationSans) {
  const FontResolver resolver;
  const ResolvedFamily family = resolver.Resolve("Arial");
  EXPECT_EQ(family.family, "Liberation Sans");
  EXPECT_FALSE(family.fallback);
}

TEST(FontResolverTest, WineSubstitutesApply) {
  const FontResolver resolver;
  EXPECT_EQ(resolver.Resolve("MS Shell Dlg").family, "Tahoma");
  EXPECT_EQ(resolver.Resolve("Helv").family, "MS Sans Serif");
}

TEST(FontResolverTest, MissingFaceFallsBackToLiberationSans) {
  const FontResolver resolver;
  const ResolvedFamily family = resolver.Resolve("No Such Face 123");
  EXPECT_EQ(family.family, FontResolver::kDefaultFallback);
  EXPECT_TRUE(family.fallback);
  EXPECT_FALSE(family.faces.empty());
}

TEST(FontResolverTest, MissingFallbackThrowsNamingTheFace) {
  const FontResolver resolver({}, "No Such Fallback Family");
  try {
    resolver.Resolve("No Such Face 123");
    FAIL() << "expected an exception";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("No Such Face 123"), std::string::npos);
  }
}

// ---------------------------------------------------------------------------------------------
// Metrics and extents, as Wine reports them.

struct MetricsCase {
  const char* face;
  double points;
  bool bold;
  TextMetrics expected;
};

TEST(FreeTypeTextRendererTest, MetricsMatchWine) {
  FreeTypeTextRenderer renderer;
  const std::vector<MetricsCase> cases{
      {"Tahoma", 8.25, false, {13, 11, 2, 2, 0, 7}},
      {"Tahoma", 8.25, true, {13, 11, 2, 2, 0, 8}},
      {"Tahoma", 9.75, false, {16, 13, 3, 3, 0, 8}},
      {"MS Sans Serif", 8.25, false, {13, 11, 2, 2, 0, 5}},
      {"MS Sans Serif", 8.25, true, {13, 11, 2, 2, 0, 6}},
      {"MS Sans Serif", 9.75, false, {16, 13, 3, 3, 0, 7}},
      {"MS Sans Serif", 12.0, false, {20, 16, 4, 4, 0, 8}},
      {"Arial", 8.25, false, {12, 10, 2, 1, 0, 6}},
  };
  for (const MetricsCase& c : cases) {
    SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.points) + (c.bold ? " bold" : ""));
    const TextMetrics m = renderer.Metrics(Spec(c.face, c.points, c.bold));
    EXPECT_EQ(m.height, c.expected.height);
    EXPECT_EQ(m.ascent, c.expected.ascent);
    EXPECT_EQ(m.descent, c.expected.descent);
    EXPECT_EQ(m.internal_leading, c.expected.internal_leading);
    EXPECT_EQ(m.external_leading, c.expected.external_leading);
    EXPECT_EQ(m.ave_char_width, c.expected.ave_char_width);
  }
}

TEST(FreeTypeTextRendererTest, PositiveHeightIsTheCellHeight) {
  FreeTypeTextRenderer renderer;
  LogFont font;
  font.face = "Tahoma";
  font.height = 11;  // Wine: tmHeight 11, tmAscent 9
  EXPECT_EQ(renderer.Metrics(font).height, 11);
  EXPECT_EQ(renderer.Metrics(font).ascent, 9);
  EXPECT_EQ(renderer.Extent(font, "Hello, World").cx, 54);
}

struct ExtentCase {
  const char* face;
  double points;
  bool bold;
  const char* text;
  Size expected;
};

TEST(FreeTypeTextRendererTest, ExtentsMatchWine) {
  FreeTypeTextRenderer renderer;
  const std::vector<ExtentCase> cases{
      {"Tahoma", 8.25, false, "Hello, Wg", {50, 13}},
      {"Tahoma", 8.25, true, "Hello, Wg", {56, 13}},
      {"Tahoma", 8.25, false, "Hello, World", {63, 13}},
      {"Tahoma", 8.25, false, "The quick brown fox jumps over", {163, 13}},
      {"Tahoma", 9.75, false, "Hello", {31, 16}},
      {"MS Sans Serif", 8.25, false, "Hello, Wg", {47, 13}},
      {"MS Sans Serif", 8.25, true, "Hello, Wg", {56, 13}},
      {"MS Sans Serif", 8.25, false, "The quick brown fox jumps over", {151, 13}},
      {"MS Sans Serif", 9.75, false, "Hello", {32, 16}},
      {"MS Sans Serif", 12.0, false, "Hello", {36, 20}},
      {"Arial", 8.25, false, "Hello, Wg", {46, 12}},
      {"Tahoma", 8.25, false, "", {0, 0}},
  };
  for (const ExtentCase& c : cases) {
    SCOPED_TRACE(std::string(c.face) + " \"" + c.text + "\"");
    EXPECT_EQ(renderer.Extent(Spec(c.face, c.points, c.bold), c.text), c.expected);
  }
}

TEST(FreeTypeTextRendererTest, BoldUsesTheBoldFaceOrSimulatesIt) {
  FreeTypeTextRenderer renderer;
  LogFont tahoma{"Tahoma", -11, true, false, false, false};
  const auto real = renderer.Describe(tahoma);
  EXPECT_EQ(real.path, "/usr/share/wine/fonts/tahomabd.ttf");
  EXPECT_FALSE(real.fake_bold);

  LogFont sans{"MS Sans Serif", -11, true, false, false, false};
  const auto simulated = renderer.Describe(sans);
  EXPECT_EQ(simulated.path, "/usr/share/wine/fonts/sserife.fon");
  EXPECT_TRUE(simulated.fake_bold);

  LogFont italic{"Tahoma", -11, false, true, false, false};
  EXPECT_TRUE(renderer.Describe(italic).fake_italic);
}

TEST(FreeTypeTextRendererTest, MissingFaceUsesTheFallbackLikeWine) {
  FreeTypeTextRenderer renderer;
  const FontSpec font = Spec("No Such Face 123", 8.25);
  const auto selection = renderer.Describe(FreeTypeTextRenderer::FromSpec(font));
  EXPECT_TRUE(selection.fallback);
  EXPECT_EQ(selection.family, "Liberation Sans");
  EXPECT_EQ(renderer.Metrics(font).height, 12);  // Wine: 12, ascent 10
  EXPECT_EQ(renderer.Extent(font, "Hello"), (Size{24, 12}));
}

// ---------------------------------------------------------------------------------------------
// Glyph pixels: TextOutA(0, 0) with a transparent background, as Wine draws them.

TEST(FreeTypeTextRendererTest, TahomaPixelsMatchWine) {
  FreeTypeTextRenderer renderer;
  EXPECT_EQ(Picture(renderer, Spec("Tahoma", 8.25), "Hello, Wg", 50, 13), R"(
..................................................
..................................................
.............#.#..................................
#....#.......#.#..............#...#...#...........
#....#.......#.#..............#...#...#...........
#....#..###..#.#..###.........#...#...#..####.....
######.#...#.#.#.#...#.........#.#.#.#..#...#.....
#....#.#####.#.#.#...#.........#.#.#.#..#...#.....
#....#.#.....#.#.#...#.........#.#.#.#..#...#.....
#....#.#...#.#.#.#...#..#.......#...#...#...#.....
#....#..###..#.#..###...#.......#...#....####.....
........................#...................#.....
.......................#.................###......)");
}

TEST(FreeTypeTextRendererTest, TahomaBoldPixelsMatchWine) {
  FreeTypeTextRenderer renderer;
  EXPECT_EQ(Picture(renderer, Spec("Tahoma", 8.25, true), "Hello, Wg", 56, 13), R"(
........................................................
........................................................
...............##.##....................................
##...##........##.##................##..##..##..........
##...##........##.##................##..##..##..........
##...##..####..##.##..####..........##..##..##..#####...
#######.##..##.##.##.##..##..........########..##..##...
##...##.######.##.##.##..##..........########..##..##...
##...##.##.....##.##.##..##..........########..##..##...
##...##.##..##.##.##.##..##..##.......##..##...##..##...
##...##..####..##.##..####...##.......##..##....#####...
.............................##....................##...
............................##..................####....)");
}

TEST(FreeTypeTextRendererTest, MsSansSerifPixelsMatchWine) {
  FreeTypeTextRenderer renderer;
  EXPECT_EQ(Picture(renderer, Spec("MS Sans Serif", 8.25), "Hello, Wg", 47, 13), R"(
...............................................
...............................................
.#....#........#.#............#.........#......
.#....#........#.#............#.........#......
.#....#........#.#.............#...#...#.......
.#....#...###..#.#..###........#...#...#...###.
.######..#...#.#.#.#...#.......#..#.#..#..#...#
.#....#..#####.#.#.#...#........#.#.#.#...#...#
.#....#..#.....#.#.#...#........#.#.#.#...#...#
.#....#..#...#.#.#.#...#..#......#...#....#...#
.#....#...###..#.#..###...#......#...#.....####
.........................#....................#
...........................................###.)");
}

TEST(FreeTypeTextRendererTest, MsSansSerifSimulatedBoldMatchesWine) {
  FreeTypeTextRenderer renderer;
  EXPECT_EQ(Picture(renderer, Spec("MS Sans Serif", 8.25, true), "Hello, Wg", 56, 13), R"(
........................................................
........................................................
.##...##.........##.##...............##........##.......
.##...##.........##.##...............##........##.......
.##...##.........##.##................##..##..##........
.##...##...####..##.##..####..........##..##..##...####.
.#######..##..##.##.##.##..##.........##.####.##..##..##
.##...##..######.##.##.##..##..........########...##..##
.##...##..##.....##.##.##..##..........########...##..##
.##...##..##..##.##.##.##..##..##.......##..##....##..##
.##...##...####..##.##..####...##.......##..##.....#####
..............................##......................##
...................................................####.)");
}

TEST(FreeTypeTextRendererTest, UnderlineAndStrikeOutMatchWine) {
  FreeTypeTextRenderer renderer;
  FontSpec tahoma = Spec("Tahoma", 8.25);
  tahoma.underline = true;
  tahoma.strikethrough = true;
  EXPECT_EQ(Picture(renderer, tahoma, "Abc", 19, 13), R"(
...................
...................
.......#...........
..##...#...........
..##...#...........
.#..#..####...###..
.#..#..#...#.#.....
###################
######.#...#.#.....
#....#.#...#.#.....
#....#.####...###..
...................
###################)");

  // Raster fonts have no outline metrics: tmAscent / 20 + 1 thick, at the baseline and at
  // tmAscent / 2 above it.
  FontSpec sans = Spec("MS Sans Serif", 8.25);
  sans.underline = true;
  sans.strikethrough = true;
  EXPECT_EQ(Picture(renderer, sans, "Abc", 19, 13), R"(
...................
...................
...#....#..........
...#....#..........
..#.#...#..........
..#.#...####...###.
###################
.#####..#...#.#....
#.....#.#...#.#....
#.....#.#...#.#...#
#.....#.####...###.
###################
...................)");
}

TEST(FreeTypeTextRendererTest, GlyphPixelsAreTwoColoured) {
  FreeTypeTextRenderer renderer;
  constexpr int kWidth = 200;
  constexpr int kHeight = 20;
  for (const FontSpec& font : {Spec("Tahoma", 8.25), Spec("Tahoma", 12.0, true),
                               Spec("MS Sans Serif", 8.25), Spec("Arial", 15.0)}) {
    std::vector<std::uint32_t> surface(kWidth * kHeight, 0xFFFFFFu);
    int plotted = 0;
    renderer.Render(font, 1, 1, "Quick brown fox, 0123 &%$", [&](int x, int y) {
      ++plotted;
      if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) {
        surface[static_cast<size_t>(y * kWidth + x)] = 0x000000u;
      }
    });
    std::set<std::uint32_t> colours(surface.begin(), surface.end());
    EXPECT_EQ(colours, (std::set<std::uint32_t>{0x000000u, 0xFFFFFFu})) << font.face;
    EXPECT_GT(plotted, 100) << font.face;
  }
}

// ---------------------------------------------------------------------------------------------
// DrawTextA's layout with a renderer of fixed widths: every character 5 pixels wide, a space
// 3; lines 10 high with an ascent of 8.

class FixedRenderer final : public TextRenderer {
 public:
  TextMetrics Metrics(const FontSpec&) override { return TextMetrics{10, 8, 2, 1, 3, 5}; }
  Size Extent(const FontSpec&, std::string_view text) override {
    if (text.empty()) return Size{};
    int cx = 0;
    for (const char c : text) cx += c == ' ' ? 3 : 5;
    return Size{cx, 10};
  }
  void Render(const FontSpec&, int, int, std::string_view,
              const std::function<void(int, int)>&) override {}
};

struct Drawn {
  std::vector<std::tuple<int, int, std::string>> lines;
  std::vector<std::tuple<int, int, int>> underscores;
  int height = 0;
};

Drawn Layout(std::string_view text, Rect& rect, unsigned format) {
  FixedRenderer renderer;
  Drawn drawn;
  drawn.height = LayoutDrawText(
      renderer, FontSpec{}, text, rect, format,
      [&drawn](int x, int y, std::string_view line) {
        drawn.lines.emplace_back(x, y, std::string(line));
      },
      [&drawn](int x0, int x1, int y) { drawn.underscores.emplace_back(x0, x1, y); });
  return drawn;
}

using Lines = std::vector<std::tuple<int, int, std::string>>;

TEST(LayoutDrawTextTest, WordBreakKeepsTheTrailingSpaceOnLeftAlignedLines) {
  Rect rect{0, 0, 40, 100};
  const Drawn drawn = Layout("aaa bbb ccc", rect, DT_WORDBREAK);
  EXPECT_EQ(drawn.lines, (Lines{{0, 0, "aaa bbb "}, {0, 10, "ccc"}}));
  EXPECT_EQ(drawn.height, 20);
  EXPECT_EQ(rect, (Rect{0, 0, 40, 100}));

  Rect measured{0, 0, 40, 100};
  EXPECT_EQ(Layout("aaa bbb ccc", measured, DT_WORDBREAK | DT_CALCRECT).height, 20);
  EXPECT_EQ(measured, (Rect{0, 0, 36, 20}));  // "aaa bbb " with its space is 36 wide
}

TEST(LayoutDrawTextTest, CentredLinesDropTheSpaceAtTheBreak) {
  Rect rect{0, 0, 40, 100};
  const Drawn drawn = Layout("aaa bbb ccc", rect, DT_WORDBREAK | DT_CENTER);
  EXPECT_EQ(drawn.lines, (Lines{{3, 0, "aaa bbb"}, {12, 10, "ccc"}}));
}

TEST(LayoutDrawTextTest, AWordWiderThanTheLineStaysWhole) {
  Rect rect{0, 0, 30, 100};
  const Drawn drawn = Layout("a verylongword b", rect, DT_WORDBREAK);
  EXPECT_EQ(drawn.lines, (Lines{{0, 0, "a "}, {0, 10, "verylongword"}, {0, 20, "b"}}));
  Rect measured{0, 0, 30, 100};
  Layout("a verylongword b", measured, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(measured, (Rect{0, 0, 60, 30}));
}

TEST(LayoutDrawTextTest, BreaksAfterHyphensAndSlashes) {
  Rect rect{0, 0, 27, 100};
  const Drawn drawn = Layout("well-known and/or", rect, DT_WORDBREAK);
  EXPECT_EQ(drawn.lines,
            (Lines{{0, 0, "well-"}, {0, 10, "known"}, {0, 20, "and/"}, {0, 30, "or"}}));
}

TEST(LayoutDrawTextTest, ExplicitLineBreaks) {
  Rect rect{0, 0, 100, 100};
  const Drawn drawn = Layout("one\r\ntwo\nthree\n\nfive\n", rect, 0);
  EXPECT_EQ(drawn.lines, (Lines{{0, 0, "one"}, {0, 10, "two"}, {0, 20, "three"}, {0, 40, "five"}}));
  EXPECT_EQ(drawn.height, 50);  // the empty line counts, the final newline does not
}

TEST(LayoutDrawTextTest, SingleLineDrawsLineBreaksAsCharacters) {
  Rect rect{0, 0, 100, 100};
  const Drawn drawn = Layout("a\r\nb", rect, DT_SINGLELINE | DT_WORDBREAK);
  EXPECT_EQ(drawn.lines, (Lines{{0, 0, "a\r\nb"}}));
}

TEST(LayoutDrawTextTest, HorizontalAlignment) {
  Rect rect{10, 0, 110, 100};
  EXPECT_EQ(Layout("abc", rect, DT_CENTER).lines, (Lines{{52, 0, "abc"}}));
  EXPECT_EQ(Layout("abc", rect, DT_RIGHT).lines, (Lines{{95, 0, "abc"}}));
  EXPECT_EQ(Layout("ab\nabcd", rect, DT_RIGHT).lines, (Lines{{100, 0, "ab"}, {90, 10, "abcd"}}));
}

TEST(LayoutDrawTextTest, VerticalAlignmentOnlyWithSingleLine) {
  Rect rect{0, 0, 100, 40};
  Drawn drawn = Layout("abc", rect, DT_VCENTER);
  EXPECT_EQ(drawn.lines, (Lines{{0, 0, "abc"}}));
  EXPECT_EQ(drawn.height, 10);

  drawn = Layout("abc", rect, DT_SINGLELINE | DT_VCENTER);
  EXPECT_EQ(drawn.lines, (Lines{{0, 15, "abc"}}));
  EXPECT_EQ(drawn.height, 25);  // user32 returns the offset plus the line height

  drawn = Layout("abc", rect, DT_SINGLELINE | DT_BOTTOM);
  EXPECT_EQ(drawn.lines, (Lines{{0, 30, "abc"}}));
  EXPECT_EQ(drawn.height, 40);
}

TEST(LayoutDrawTextTest, CalcRectMeasuresWithoutDrawing) {
  Rect rect{10, 20, 200, 300};
  Drawn drawn = Layout("ab\ncde", rect, DT_CALCRECT);
  EXPECT_TRUE(drawn.lines.empty());
  EXPECT_EQ(drawn.height, 20);
  EXPECT_EQ(rect, (Rect{10, 20, 25, 40}));

  // Centring does not move the measured rectangle: right = left + the widest line.
  Rect centred{10, 20, 200, 300};
  Layout("ab\ncde", centred, DT_CALCRECT | DT_CENTER);
  EXPECT_EQ(centred, (Rect{10, 20, 25, 40}));

  Rect vcentred{0, 0, 100, 40};
  EXPECT_EQ(Layout("abc", vcentred, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER).height, 25);
  EXPECT_EQ(vcentred, (Rect{0, 0, 15, 25}));
}

TEST(LayoutDrawTextTest, EmptyTextDrawsNothingAndReturnsZero) {
  Rect rect{1, 2, 3, 4};
  const Drawn drawn = Layout("", rect, DT_CALCRECT);
  EXPECT_EQ(drawn.height, 0);
  EXPECT_EQ(rect, (Rect{1, 2, 3, 4}));
}

TEST(LayoutDrawTextTest, StopsAfterTheLineThatCrossesTheBottom) {
  Rect rect{0, 0, 100, 15};
  const Drawn drawn = Layout("a\nb\nc", rect, 0);
  EXPECT_EQ(drawn.lines, (Lines{{0, 0, "a"}, {0, 10, "b"}}));
  EXPECT_EQ(drawn.height, 20);
}

TEST(LayoutDrawTextTest, PrefixUnderscoresTheNextCharacter) {
  Rect rect{0, 0, 100, 100};
  Drawn drawn = Layout("E&xit", rect, 0);
  EXPECT_EQ(drawn.lines, (Lines{{0, 0, "Exit"}}));
  // MoveToEx(5, 9) LineTo(9, 9): under the x, one pixel short of its advance, at ascent + 1.
  EXPECT_EQ(drawn.underscores, (std::vector<std::tuple<int, int, int>>{{5, 9, 9}}));

  drawn = Layout("Save && Exit", rect, 0);
  EXPECT_EQ(drawn.lines, (Lines{{0, 0, "Save & Exit"}}));
  EXPECT_TRUE(drawn.underscores.empty());

  drawn = Layout("a&b&c", rect, 0);  // the last prefix of a line wins
  EXPECT_EQ(drawn.lines, (Lines{{0, 0, "abc"}}));
  EXPECT_EQ(drawn.underscores, (std::vector<std::tuple<int, int, int>>{{10, 14, 9}}));

  drawn = Layout("Trail&", rect, 0);  // a final & is drawn
  EXPECT_EQ(drawn.lines, (Lines{{0, 0, "Trail&"}}));

  drawn = Layout("E&xit", rect, DT_NOPREFIX);
  EXPECT_EQ(drawn.lines, (Lines{{0, 0, "E&xit"}}));
  EXPECT_TRUE(drawn.underscores.empty());
}

TEST(LayoutDrawTextTest, UnderscoreIsClampedToTheRect) {
  Rect rect{0, 0, 7, 100};
  const Drawn drawn = Layout("E&xit", rect, DT_SINGLELINE);
  EXPECT_EQ(drawn.underscores, (std::vector<std::tuple<int, int, int>>{{5, 7, 9}}));
}

TEST(LayoutDrawTextTest, PrefixFollowsItsCharacterToTheNextLine) {
  Rect rect{0, 0, 40, 100};
  const Drawn drawn = Layout("aaa bbb &ccc", rect, DT_WORDBREAK);
  EXPECT_EQ(drawn.lines, (Lines{{0, 0, "aaa bbb "}, {0, 10, "ccc"}}));
  EXPECT_EQ(drawn.underscores, (std::vector<std::tuple<int, int, int>>{{0, 4, 19}}));
}

// The same rules with Tahoma 8.25 pt, against DrawTextA under Wine.
TEST(LayoutDrawTextTest, TahomaWordBreakMatchesWine) {
  FreeTypeTextRenderer renderer;
  const FontSpec font = Spec("Tahoma", 8.25);
  const std::string text = "The quick brown fox jumps over the lazy dog";
  Lines lines;
  Rect rect{0, 0, 75, 60};
  const int height = LayoutDrawText(renderer, font, text, rect, DT_WORDBREAK,
                                    [&lines](int x, int y, std::string_view line) {
                                      lines.emplace_back(x, y, std::string(line));
                                    });
  EXPECT_EQ(height, 52);
  EXPECT_EQ(lines, (Lines{{0, 0, "The quick "},
                          {0, 13, "brown fox "},
                          {0, 26, "jumps over "},
                          {0, 39, "the lazy dog"}}));

  Rect measured{0, 0, 75, 60};
  EXPECT_EQ(LayoutDrawText(renderer, font, text, measured, DT_WORDBREAK | DT_CALCRECT, {}), 52);
  EXPECT_EQ(measured, (Rect{0, 0, 65, 52}));
}

}  // namespace
}  // namespace fw::soft
