// The icon and cursor writer, read back through the program's own decoder.
#include "formats/image/ico.h"

#include <gtest/gtest.h>

#include "platform/picture.h"
#include "tests/tools/assets/asset_test_support.h"

namespace fw::assets {
namespace {

using test::U16;
using test::U32;

image::Image Filled(int width, int height, image::Rgba colour) {
  return {width, height,
          std::vector<image::Rgba>(static_cast<std::size_t>(width * height), colour)};
}

std::uint32_t Rgb(const image::Rgba& p) {
  return std::uint32_t{p.r} << 16 | std::uint32_t{p.g} << 8 | p.b;
}

TEST(IconEncode, ThirtyTwoBitImageKeepsColoursAndMasksOnlyFullTransparency) {
  image::Image image = Filled(5, 3, {10, 20, 30, 255});
  image.At(0, 0) = {200, 100, 50, 0};  // transparent: stored as 0
  image.At(4, 2) = {1, 2, 3, 1};       // barely visible, but visible
  image.At(2, 1) = {90, 80, 70, 128};
  const std::vector<std::uint8_t> file = EncodeIcon({{image, 32}});
  const Picture p = LoadPicture(file, "ico");
  ASSERT_EQ(p.width(), 5);
  ASSERT_EQ(p.height(), 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const auto at = static_cast<std::size_t>(y * 5 + x);
      const bool clear = x == 0 && y == 0;
      EXPECT_EQ(p.image().mask[at], clear) << x << ", " << y;
      EXPECT_EQ(p.image().color[at], clear ? 0u : Rgb(image.At(x, y))) << x << ", " << y;
    }
  }
  // The alpha bytes are stored: the first row in the file is the image's bottom row.
  const std::uint32_t pixels = 6 + 16 + 40;
  EXPECT_EQ(U32(file, pixels + 4 * 4), 0x01010203u);
  EXPECT_EQ(U32(file, pixels + 4 * (5 + 2)), 0x805A5046u);
  EXPECT_EQ(U32(file, pixels + 4 * 10), 0u);
}

TEST(IconEncode, DirectoryStores256As0AndDescribesEachImage) {
  const std::vector<std::uint8_t> file =
      EncodeIcon({{Filled(256, 256, {1, 1, 1, 255}), 32}, {Filled(16, 16, {200, 0, 0, 255}), 8}});
  EXPECT_EQ(U16(file, 2), 1u);
  EXPECT_EQ(U16(file, 4), 2u);
  EXPECT_EQ(file[6], 0);
  EXPECT_EQ(file[7], 0);
  EXPECT_EQ(file[8], 0);         // colour count: 0 for 256 or more
  EXPECT_EQ(U16(file, 10), 1u);  // planes
  EXPECT_EQ(U16(file, 12), 32u);
  EXPECT_EQ(U32(file, 14), 40u + 256 * 256 * 4 + 256 * 32);
  EXPECT_EQ(U32(file, 18), 38u);
  EXPECT_EQ(file[22], 16);
  EXPECT_EQ(U16(file, 28), 8u);
  EXPECT_EQ(U32(file, 30), 40u + 1024 + 256 + 64);
  EXPECT_EQ(U32(file, 34), 38u + U32(file, 14));
  EXPECT_EQ(file.size(), U32(file, 34) + U32(file, 30));
  // The decoder takes the larger image.
  EXPECT_EQ(LoadPicture(file, "ico").width(), 256);
}

TEST(IconEncode, EightBitImageMasksHalfTransparentPixelsAndKeepsFewColoursExactly) {
  image::Image image = Filled(4, 4, {0x12, 0x34, 0x56, 255});
  image.At(1, 1) = {0xFE, 0xDC, 0xBA, 200};
  image.At(2, 2) = {0xFF, 0xFF, 0xFF, 127};  // transparent
  image.At(3, 0) = {0, 0, 0, 255};           // opaque black stays opaque
  const Picture p = LoadPicture(EncodeIcon({{image, 8}}), "ico");
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const auto at = static_cast<std::size_t>(y * 4 + x);
      const bool clear = x == 2 && y == 2;
      EXPECT_EQ(p.image().mask[at], clear);
      EXPECT_EQ(p.image().color[at], clear ? 0u : Rgb(image.At(x, y))) << x << ", " << y;
    }
  }
}

TEST(IconEncode, MonochromeCursorStoresHotSpotAndTwoColours) {
  image::Image image = Filled(32, 32, {0, 0, 0, 0});
  image.At(3, 4) = {255, 255, 255, 255};
  image.At(4, 4) = {0, 0, 0, 255};
  const std::vector<std::uint8_t> file = EncodeMonochromeCursor(image, 3, 4);
  EXPECT_EQ(file.size(), 326u);
  EXPECT_EQ(U16(file, 2), 2u);
  EXPECT_EQ(file[8], 2);  // two colours
  EXPECT_EQ(U16(file, 10), 3u);
  EXPECT_EQ(U16(file, 12), 4u);
  const Picture p = LoadPicture(file, "cur");
  EXPECT_EQ(p.hot_spot().x, 3);
  EXPECT_EQ(p.hot_spot().y, 4);
  EXPECT_EQ(p.image().color[4 * 32 + 3], 0xFFFFFFu);
  EXPECT_FALSE(p.image().mask[4 * 32 + 3]);
  EXPECT_EQ(p.image().color[4 * 32 + 4], 0u);
  EXPECT_FALSE(p.image().mask[4 * 32 + 4]);
  EXPECT_TRUE(p.image().mask[0]);
  EXPECT_EQ(p.image().color[0], 0u);
}

TEST(IconEncode, RefusesWhatItCannotStore) {
  image::Image grey = Filled(32, 32, {128, 128, 128, 255});
  EXPECT_THROW(EncodeMonochromeCursor(grey, 0, 0), EncodeError);
  const image::Image clear = Filled(32, 32, {0, 0, 0, 0});
  EXPECT_THROW(EncodeMonochromeCursor(clear, 32, 0), EncodeError);
  EXPECT_THROW(EncodeIcon({{Filled(257, 1, {}), 32}}), EncodeError);
  EXPECT_THROW(EncodeIcon({{Filled(16, 16, {}), 24}}), EncodeError);
  EXPECT_THROW(EncodeIcon({}), EncodeError);
}

}  // namespace
}  // namespace fw::assets
