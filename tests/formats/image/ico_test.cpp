// Icon and cursor files: every depth the decoder reads, the image it chooses, the files it
// must refuse, and the encoder's files read back through it.
#include "formats/image/ico.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "formats/image/little_endian.h"
#include "tests/formats/image/dib_test_files.h"

namespace fw::image {
namespace {

using test::AsImage;
using test::ColorsFor;
using test::Entry;
using test::IconEntry;
using test::ImageErrorOf;
using test::MakeIconFile;
using test::MakeMask;
using test::MakePattern;
using test::Patch16;
using test::Patch32;

std::uint32_t U16(const std::vector<std::uint8_t>& file, std::size_t at) {
  return LittleEndianReader(file, 0, "ICO").U16(at, "a field");
}
std::uint32_t U32(const std::vector<std::uint8_t>& file, std::size_t at) {
  return LittleEndianReader(file, 0, "ICO").U32(at, "a field");
}

Image Filled(int width, int height, Rgba colour) {
  return {width, height, std::vector<Rgba>(static_cast<std::size_t>(width * height), colour)};
}

std::uint32_t Rgb(const Rgba& p) {
  return std::uint32_t{p.r} << 16 | std::uint32_t{p.g} << 8 | p.b;
}

// ---- Decoding ----

struct IconCase {
  int bits;
  bool cursor;
};

class IconDepthTest : public ::testing::TestWithParam<IconCase> {};

TEST_P(IconDepthTest, DecodesColourMaskAndHotSpot) {
  const auto [bits, cursor] = GetParam();
  IconEntry entry;
  entry.pixels = MakePattern(11, 6, ColorsFor(bits));
  entry.mask = MakeMask(11, 6);
  entry.bits = bits;
  entry.hot_x = 7;
  entry.hot_y = 3;
  const std::vector<std::uint8_t> file = MakeIconFile({entry}, cursor);

  const DecodedIcon decoded = DecodeIcon(file, cursor ? IconKind::kCursor : IconKind::kIcon);
  EXPECT_EQ(decoded.image.width, 11);
  EXPECT_EQ(decoded.image.height, 6);
  EXPECT_EQ(decoded.image.pixels, AsImage(entry.pixels, entry.mask).pixels);
  EXPECT_EQ(decoded.hot_x, cursor ? 7 : 0);
  EXPECT_EQ(decoded.hot_y, cursor ? 3 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    AllDepths, IconDepthTest,
    ::testing::Values(IconCase{1, false}, IconCase{4, false}, IconCase{8, false},
                      IconCase{24, false}, IconCase{32, false}, IconCase{1, true},
                      IconCase{4, true}, IconCase{8, true}, IconCase{24, true}, IconCase{32, true}),
    [](const ::testing::TestParamInfo<IconCase>& test) {
      return std::to_string(test.param.bits) + "bpp" + (test.param.cursor ? "Cursor" : "Icon");
    });

TEST(IconTest, ChoosesTheLargestImageThenTheMostColours) {
  std::vector<IconEntry> entries{Entry(16, 32), Entry(32, 4), Entry(32, 8), Entry(24, 32)};
  entries[2].pixels.color[0] = 0x123456;  // tells the chosen entry apart
  const Image icon = DecodeIcon(MakeIconFile(entries, false), IconKind::kIcon).image;
  EXPECT_EQ(icon.width, 32);
  EXPECT_EQ(icon.pixels, AsImage(entries[2].pixels, entries[2].mask).pixels);

  // Equal size and depth: the first one.
  std::vector<IconEntry> twins{Entry(8, 24), Entry(8, 24)};
  twins[1].pixels.color[0] = 0x010203;
  EXPECT_EQ(DecodeIcon(MakeIconFile(twins, false), IconKind::kIcon).image.pixels,
            AsImage(twins[0].pixels, twins[0].mask).pixels);
}

TEST(IconTest, ACursorTakesTheHotSpotOfTheChosenImage) {
  std::vector<IconEntry> entries{Entry(16, 4), Entry(32, 1)};
  entries[0].hot_x = 1;
  entries[0].hot_y = 2;
  entries[1].hot_x = 30;
  entries[1].hot_y = 31;
  const DecodedIcon cursor = DecodeIcon(MakeIconFile(entries, true), IconKind::kCursor);
  EXPECT_EQ(cursor.image.width, 32);
  EXPECT_EQ(cursor.hot_x, 30);
  EXPECT_EQ(cursor.hot_y, 31);
}

TEST(IconTest, SkipsPngEntriesAndRefusesAFileOfNothingElse) {
  IconEntry png = Entry(48, 32);
  png.png = true;
  EXPECT_EQ(DecodeIcon(MakeIconFile({png, Entry(16, 8)}, false), IconKind::kIcon).image.width, 16);
  const std::string message = ImageErrorOf([&] {
    DecodeIcon(MakeIconFile({png, png}, false), IconKind::kIcon);
  });
  EXPECT_NE(message.find("PNG"), std::string::npos) << message;
}

TEST(IconTest, RefusesAFileOfTheOtherType) {
  const std::vector<std::uint8_t> icon = MakeIconFile({Entry(8, 8)}, false);
  const std::vector<std::uint8_t> cursor = MakeIconFile({Entry(8, 8)}, true);
  EXPECT_NE(
      ImageErrorOf([&] { DecodeIcon(icon, IconKind::kCursor); }).find("an icon file, not a cursor"),
      std::string::npos);
  EXPECT_NE(
      ImageErrorOf([&] { DecodeIcon(cursor, IconKind::kIcon); }).find("a cursor file, not an icon"),
      std::string::npos);
}

TEST(IconTest, RefusesBrokenDirectories) {
  const std::vector<std::uint8_t> good = MakeIconFile({Entry(8, 8), Entry(16, 4)}, false);
  const auto message = [](std::vector<std::uint8_t> file) {
    return ImageErrorOf([&] { DecodeIcon(file, IconKind::kIcon); });
  };
  std::vector<std::uint8_t> file = good;
  Patch16(file, 0, 1);
  EXPECT_NE(message(file).find("idReserved"), std::string::npos);
  file = good;
  Patch16(file, 4, 0);
  EXPECT_NE(message(file).find("idCount at byte 4 is 0"), std::string::npos);
  file = good;
  Patch16(file, 4, 0xFFFF);
  EXPECT_NE(message(file).find("the icon directory"), std::string::npos) << message(file);
  // Entry 1's image: offset past the end, size past the end, both at their limits.
  for (const auto& [at, value] : std::vector<std::pair<std::size_t, std::uint32_t>>{
           {22 + 12, static_cast<std::uint32_t>(good.size())},
           {22 + 12, 0xFFFFFFFFu},
           {22 + 8, 0xFFFFFFFFu},
           {22 + 8, 0xFFFFFFF0u}}) {
    file = good;
    Patch32(file, at, value);
    const std::string text = message(file);
    EXPECT_NE(text.find("entry 1 (byte 22)"), std::string::npos) << text;
    EXPECT_NE(text.find("runs past the end"), std::string::npos) << text;
  }
}

TEST(IconTest, RefusesBrokenImageHeaders) {
  const std::vector<std::uint8_t> good = MakeIconFile({Entry(8, 8)}, false);
  const std::size_t dib = 6 + 16;
  const auto message = [](const std::vector<std::uint8_t>& file) {
    return ImageErrorOf([&] { DecodeIcon(file, IconKind::kIcon); });
  };
  std::vector<std::uint8_t> file = good;
  Patch32(file, dib + 8, 15);  // an odd doubled height
  EXPECT_NE(message(file).find("biHeight at byte 30 is 15"), std::string::npos) << message(file);
  Patch32(file, dib + 8, 2 * 4097);
  EXPECT_NE(message(file).find("biHeight"), std::string::npos);
  Patch32(file, dib + 8, static_cast<std::uint32_t>(-16));
  EXPECT_NE(message(file).find("biHeight"), std::string::npos);
  file = good;
  Patch32(file, dib + 4, 5000);
  EXPECT_NE(message(file).find("biWidth at byte 26 is 5000"), std::string::npos);
  file = good;
  Patch32(file, dib + 4, 64);  // wider than the data that follows
  EXPECT_NE(message(file).find("the pixel data"), std::string::npos) << message(file);
  file = good;
  Patch32(file, dib + 16, 3);
  EXPECT_NE(message(file).find("BI_BITFIELDS"), std::string::npos);
  file = good;
  Patch16(file, dib + 14, 16);
  EXPECT_NE(message(file).find("16-bit"), std::string::npos);
  // The AND mask cut off: the entry claims fewer bytes than the image needs.
  file = good;
  Patch32(file, 6 + 8, static_cast<std::uint32_t>(good.size() - dib - 1));
  EXPECT_NE(message(file).find("the AND mask"), std::string::npos) << message(file);
}

TEST(IconTest, EveryTruncationIsAnError) {
  for (bool cursor : {false, true}) {
    const std::vector<std::uint8_t> file = MakeIconFile({Entry(5, 4), Entry(9, 24)}, cursor);
    for (std::size_t size = 0; size < file.size(); ++size) {
      const std::vector<std::uint8_t> prefix(file.begin(),
                                             file.begin() + static_cast<std::ptrdiff_t>(size));
      EXPECT_THROW(DecodeIcon(prefix, cursor ? IconKind::kCursor : IconKind::kIcon), ImageError)
          << size;
    }
  }
}

// ---- Encoding ----

TEST(IconEncodeTest, ThirtyTwoBitImageKeepsColoursAndMasksOnlyFullTransparency) {
  Image image = Filled(5, 3, {10, 20, 30, 255});
  image.At(0, 0) = {200, 100, 50, 0};  // transparent: stored as 0
  image.At(4, 2) = {1, 2, 3, 1};       // barely visible, but visible
  image.At(2, 1) = {90, 80, 70, 128};
  const std::vector<std::uint8_t> file = EncodeIcon({{image, 32}});
  const Image p = DecodeIcon(file, IconKind::kIcon).image;
  ASSERT_EQ(p.width, 5);
  ASSERT_EQ(p.height, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      const bool clear = x == 0 && y == 0;
      EXPECT_EQ(p.At(x, y).a == 0, clear) << x << ", " << y;
      EXPECT_EQ(Rgb(p.At(x, y)), clear ? 0u : Rgb(image.At(x, y))) << x << ", " << y;
    }
  }
  // The alpha bytes are stored: the first row in the file is the image's bottom row.
  const std::uint32_t pixels = 6 + 16 + 40;
  EXPECT_EQ(U32(file, pixels + 4 * 4), 0x01010203u);
  EXPECT_EQ(U32(file, pixels + 4 * (5 + 2)), 0x805A5046u);
  EXPECT_EQ(U32(file, pixels + 4 * 10), 0u);
}

TEST(IconEncodeTest, DirectoryStores256As0AndDescribesEachImage) {
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
  EXPECT_EQ(DecodeIcon(file, IconKind::kIcon).image.width, 256);
}

TEST(IconEncodeTest, EightBitImageMasksHalfTransparentPixelsAndKeepsFewColoursExactly) {
  Image image = Filled(4, 4, {0x12, 0x34, 0x56, 255});
  image.At(1, 1) = {0xFE, 0xDC, 0xBA, 200};
  image.At(2, 2) = {0xFF, 0xFF, 0xFF, 127};  // transparent
  image.At(3, 0) = {0, 0, 0, 255};           // opaque black stays opaque
  const Image p = DecodeIcon(EncodeIcon({{image, 8}}), IconKind::kIcon).image;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const bool clear = x == 2 && y == 2;
      EXPECT_EQ(p.At(x, y).a == 0, clear);
      EXPECT_EQ(Rgb(p.At(x, y)), clear ? 0u : Rgb(image.At(x, y))) << x << ", " << y;
    }
  }
}

TEST(IconEncodeTest, MonochromeCursorStoresHotSpotAndTwoColours) {
  Image image = Filled(32, 32, {0, 0, 0, 0});
  image.At(3, 4) = {255, 255, 255, 255};
  image.At(4, 4) = {0, 0, 0, 255};
  const std::vector<std::uint8_t> file = EncodeMonochromeCursor(image, 3, 4);
  EXPECT_EQ(file.size(), 326u);
  EXPECT_EQ(U16(file, 2), 2u);
  EXPECT_EQ(file[8], 2);  // two colours
  EXPECT_EQ(U16(file, 10), 3u);
  EXPECT_EQ(U16(file, 12), 4u);
  const DecodedIcon p = DecodeIcon(file, IconKind::kCursor);
  EXPECT_EQ(p.hot_x, 3);
  EXPECT_EQ(p.hot_y, 4);
  EXPECT_EQ(p.image.At(3, 4), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(p.image.At(4, 4), (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(p.image.At(0, 0), (Rgba{0, 0, 0, 0}));
}

TEST(IconEncodeTest, RefusesWhatItCannotStore) {
  Image grey = Filled(32, 32, {128, 128, 128, 255});
  EXPECT_THROW(EncodeMonochromeCursor(grey, 0, 0), ImageError);
  const Image clear = Filled(32, 32, {0, 0, 0, 0});
  EXPECT_THROW(EncodeMonochromeCursor(clear, 32, 0), ImageError);
  EXPECT_THROW(EncodeIcon({{Filled(257, 1, {}), 32}}), ImageError);
  EXPECT_THROW(EncodeIcon({{Filled(16, 16, {}), 24}}), ImageError);
  EXPECT_THROW(EncodeIcon({}), ImageError);
}

}  // namespace
}  // namespace fw::image
