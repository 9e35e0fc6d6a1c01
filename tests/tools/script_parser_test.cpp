#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#ifdef FERROWIND_HAVE_LIBPNG
#include <png.h>
#endif

#include "formats/image/image.h"
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

TEST(ImageFiles, PpmRoundTrips) {
  image::Image picture{3, 2, {}};
  for (int i = 0; i < 6; ++i) {
    picture.pixels.push_back({static_cast<std::uint8_t>(i * 40), static_cast<std::uint8_t>(i),
                              static_cast<std::uint8_t>(255 - i), 255});
  }
  std::stringstream ppm;
  image::WritePpm(picture, ppm);
  const auto back = image::ReadPpm(ppm, "memory");
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.pixels, picture.pixels);
}

// A picture whose pixels all differ from their neighbours in every channel; `alpha` gives each
// pixel's alpha (all 255: an opaque picture, which the writer stores without alpha).
image::Image Varied(int width, int height, const std::function<std::uint8_t(int)>& alpha) {
  image::Image picture{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    picture.pixels.push_back({static_cast<std::uint8_t>(i * 37 + 11),
                              static_cast<std::uint8_t>(i * 91 + 3),
                              static_cast<std::uint8_t>(255 - i * 13), alpha(i)});
  }
  return picture;
}

#ifdef FERROWIND_HAVE_LIBPNG
// Every PNG the writer makes decodes with libpng to the very pixels written, alpha included,
// and carries an alpha channel exactly when some pixel is not opaque.
TEST(ImageFiles, PngDecodesToThePixelsWritten) {
  struct Case {
    const char* what;
    image::Image picture;
  };
  const std::vector<Case> cases = {
      {"opaque", Varied(5, 3, [](int) { return std::uint8_t{255}; })},
      {"varied alpha", Varied(7, 4,
                              [](int i) {
                                static constexpr std::uint8_t kAlphas[] = {0,   1,   64,  127,
                                                                           128, 200, 254, 255};
                                return kAlphas[i % 8];
                              })},
      {"one translucent pixel", Varied(1, 1, [](int) { return std::uint8_t{90}; })},
      {"rows longer than a deflate block",
       Varied(40000, 2, [](int i) { return static_cast<std::uint8_t>(i * 7); })},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::stringstream out;
    image::WritePng(c.picture, out);
    const std::string bytes = out.str();

    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()), 0) << png.message;
    EXPECT_EQ(static_cast<int>(png.width), c.picture.width);
    EXPECT_EQ(static_cast<int>(png.height), c.picture.height);
    const bool translucent = std::any_of(c.picture.pixels.begin(), c.picture.pixels.end(),
                                         [](const image::Rgba& p) { return p.a != 255; });
    EXPECT_EQ((png.format & PNG_FORMAT_FLAG_ALPHA) != 0, translucent);
    png.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> decoded(PNG_IMAGE_SIZE(png));
    const bool read = png_image_finish_read(&png, nullptr, decoded.data(), 0, nullptr) != 0;
    png_image_free(&png);
    ASSERT_TRUE(read) << png.message;
    ASSERT_EQ(decoded.size(), c.picture.pixels.size() * 4);
    int wrong = 0;
    for (std::size_t i = 0; i < c.picture.pixels.size(); ++i) {
      const image::Rgba& want = c.picture.pixels[i];
      const image::Rgba got{decoded[i * 4], decoded[i * 4 + 1], decoded[i * 4 + 2],
                            decoded[i * 4 + 3]};
      if (got != want && ++wrong <= 5) {
        ADD_FAILURE() << "pixel " << i % static_cast<std::size_t>(c.picture.width) << ","
                      << i / static_cast<std::size_t>(c.picture.width) << ": decoded " << +got.r
                      << " " << +got.g << " " << +got.b << " " << +got.a << ", written " << +want.r
                      << " " << +want.g << " " << +want.b << " " << +want.a;
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}
#else
// Without libpng (the Windows build) only the file's outline is checked.
TEST(ImageFiles, PngIsWellFormed) {
  std::stringstream png;
  image::WritePng(Varied(3, 2, [](int i) { return static_cast<std::uint8_t>(i * 50); }), png);
  const std::string bytes = png.str();
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(bytes.substr(1, 3), "PNG");
  EXPECT_NE(bytes.find("IHDR"), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 8, 4), "IEND");
}
#endif

TEST(ImageFiles, TruncatedOrForeignFilesAreNamedErrors) {
  std::stringstream truncated("P6\n4 4\n255\nabc");
  EXPECT_THROW(image::ReadPpm(truncated, "t.ppm"), image::ImageError);
  std::stringstream foreign("P3\n1 1\n255\n0 0 0\n");
  EXPECT_THROW(image::ReadPpm(foreign, "f.ppm"), image::ImageError);
  EXPECT_THROW(image::WriteImageFile(image::Image{1, 1, {{}}}, "picture.bmp"), image::ImageError);
}

TEST(ImageFiles, AFailedWriteLeavesNoFile) {
  const auto dir = std::filesystem::temp_directory_path() / "ferrowind-image-test";
  std::filesystem::remove_all(dir);
  const auto target = dir / "missing-folder" / "out.ppm";
  EXPECT_THROW(image::WriteImageFile(image::Image{1, 1, {{}}}, target), image::ImageError);
  EXPECT_FALSE(std::filesystem::exists(target));
}

}  // namespace
}  // namespace fw::gdiscript
