// The PNG writer's files: decoded with libpng where the build has it, their outline elsewhere.
#include "formats/image/png.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#ifdef FERROWIND_HAVE_LIBPNG
#include <png.h>
#endif

namespace fw::image {
namespace {

// A picture whose pixels all differ from their neighbours in every channel; `alpha` gives each
// pixel's alpha (all 255: an opaque picture, which the writer stores without alpha).
Image Varied(int width, int height, const std::function<std::uint8_t(int)>& alpha) {
  Image picture{width, height, {}};
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
TEST(PngTest, DecodesToThePixelsWritten) {
  struct Case {
    const char* what;
    Image picture;
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
    WritePng(c.picture, out);
    const std::string bytes = out.str();

    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ASSERT_NE(png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()), 0) << png.message;
    EXPECT_EQ(static_cast<int>(png.width), c.picture.width);
    EXPECT_EQ(static_cast<int>(png.height), c.picture.height);
    const bool translucent = std::any_of(c.picture.pixels.begin(), c.picture.pixels.end(),
                                         [](const Rgba& p) { return p.a != 255; });
    EXPECT_EQ((png.format & PNG_FORMAT_FLAG_ALPHA) != 0, translucent);
    png.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> decoded(PNG_IMAGE_SIZE(png));
    const bool read = png_image_finish_read(&png, nullptr, decoded.data(), 0, nullptr) != 0;
    png_image_free(&png);
    ASSERT_TRUE(read) << png.message;
    ASSERT_EQ(decoded.size(), c.picture.pixels.size() * 4);
    int wrong = 0;
    for (std::size_t i = 0; i < c.picture.pixels.size(); ++i) {
      const Rgba& want = c.picture.pixels[i];
      const Rgba got{decoded[i * 4], decoded[i * 4 + 1], decoded[i * 4 + 2], decoded[i * 4 + 3]};
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
TEST(PngTest, IsWellFormed) {
  std::stringstream png;
  WritePng(Varied(3, 2, [](int i) { return static_cast<std::uint8_t>(i * 50); }), png);
  const std::string bytes = png.str();
  ASSERT_GT(bytes.size(), 8u);
  EXPECT_EQ(bytes.substr(1, 3), "PNG");
  EXPECT_NE(bytes.find("IHDR"), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 8, 4), "IEND");
}
#endif

}  // namespace
}  // namespace fw::image
