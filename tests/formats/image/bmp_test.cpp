// Bitmaps, icons and cursors read from their files, and files that must be refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "tests/formats/image/dib_test_files.h"

namespace fw {
namespace {

using test::BmpOptions;
using test::IconEntry;
using test::MakeBmp;
using test::MakeIconFile;
using test::MakeMask;
using test::MakePattern;
using test::TestPixels;

// The most distinct colours a depth can show, for the test pattern.
int ColorsFor(int bits) {
  return bits == 1 ? 2 : bits == 4 ? 16 : bits == 8 ? 40 : 0;
}

// Runs `load` and returns the PictureError's message; fails the test if it does not throw one.
template <typename Load>
std::string ErrorOf(Load load) {
  try {
    load();
  } catch (const PictureError& e) {
    return e.what();
  }
  ADD_FAILURE() << "no PictureError";
  return {};
}

std::string BmpError(const std::vector<std::uint8_t>& bytes) {
  return ErrorOf([&] { LoadPicture(bytes, "bmp"); });
}

void Patch32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
void Patch16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

// ---- BMP ----

struct BmpCase {
  int bits;
  bool top_down;
};

class BmpDepthTest : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BmpDepthTest, DecodesEveryPixelAndKeepsTheFile) {
  const auto [bits, top_down] = GetParam();
  // 13 pixels wide: rows need padding at every depth, and 1- and 4-bit rows end mid-byte.
  const TestPixels pixels = MakePattern(13, 5, ColorsFor(bits));
  BmpOptions options;
  options.bits = bits;
  options.top_down = top_down;
  const std::vector<std::uint8_t> file = MakeBmp(pixels, options);

  const Picture picture = LoadPicture(file, "bmp");
  EXPECT_EQ(picture.kind(), PictureKind::Bitmap);
  EXPECT_EQ(picture.width(), 13);
  EXPECT_EQ(picture.height(), 5);
  EXPECT_EQ(picture.image().color, pixels.color);
  EXPECT_EQ(picture.image().mask, std::vector<bool>(13 * 5, false));
  EXPECT_EQ(picture.hot_spot(), (Point{0, 0}));
  EXPECT_EQ(picture.file_type(), "bmp");
  EXPECT_EQ(picture.file_bytes(), file);
  EXPECT_FALSE(picture.from_resource());
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BmpDepthTest,
                         ::testing::Values(BmpCase{1, false}, BmpCase{4, false}, BmpCase{8, false},
                                           BmpCase{24, false}, BmpCase{32, false}, BmpCase{1, true},
                                           BmpCase{4, true}, BmpCase{8, true}, BmpCase{24, true},
                                           BmpCase{32, true}),
                         [](const ::testing::TestParamInfo<BmpCase>& test) {
                           return std::to_string(test.param.bits) + "bpp" +
                                  (test.param.top_down ? "TopDown" : "BottomUp");
                         });

TEST(BmpTest, ReadsV4AndV5Headers) {
  const TestPixels pixels = MakePattern(6, 4, 16);
  for (std::uint32_t header : {108u, 124u, 52u, 56u}) {
    for (int bits : {4, 24}) {
      BmpOptions options;
      options.bits = bits;
      options.header_size = header;
      EXPECT_EQ(LoadPicture(MakeBmp(pixels, options), "bmp").image().color, pixels.color)
          << header << " " << bits;
    }
  }
}

TEST(BmpTest, ReadsAShortColourTable) {
  const TestPixels pixels = MakePattern(7, 3, 5);
  BmpOptions options;
  options.bits = 8;
  options.colors_used = 5;
  EXPECT_EQ(LoadPicture(MakeBmp(pixels, options), "bmp").image().color, pixels.color);
}

TEST(BmpTest, AnIndexPastTheColourTableIsBlack) {
  TestPixels pixels = MakePattern(4, 2, 2);
  BmpOptions options;
  options.bits = 8;
  options.colors_used = 2;
  std::vector<std::uint8_t> file = MakeBmp(pixels, options);
  const std::size_t bits_offset = 14 + 40 + 2 * 4;
  file[bits_offset] = 200;  // the bottom row's first pixel
  const Picture picture = LoadPicture(file, "bmp");
  EXPECT_EQ(picture.image().color[4], 0u);
  EXPECT_EQ(picture.image().color[5], pixels.color[5]);
}

TEST(BmpTest, ReadsPlainBitfieldsAt32Bits) {
  const TestPixels pixels = MakePattern(5, 3, 0);
  BmpOptions options;
  options.bits = 32;
  options.compression = 3;
  EXPECT_EQ(LoadPicture(MakeBmp(pixels, options), "bmp").image().color, pixels.color);
  options.header_size = 124;
  std::vector<std::uint8_t> file = MakeBmp(pixels, options);
  EXPECT_EQ(LoadPicture(file, "bmp").image().color, pixels.color);
  Patch32(file, 54, 0x000000FFu);  // red mask swapped with blue
  Patch32(file, 62, 0x00FF0000u);
  EXPECT_NE(BmpError(file).find("BI_BITFIELDS"), std::string::npos) << BmpError(file);
}

TEST(BmpTest, RefusesSixteenBitPixelsAndRle) {
  const TestPixels pixels = MakePattern(4, 4, 0);
  std::vector<std::uint8_t> file = MakeBmp(pixels);
  Patch16(file, 28, 16);
  EXPECT_NE(BmpError(file).find("16-bit pixels are not supported"), std::string::npos)
      << BmpError(file);

  BmpOptions options;
  options.bits = 8;
  file = MakeBmp(MakePattern(4, 4, 3), options);
  Patch32(file, 30, 1);  // BI_RLE8
  EXPECT_NE(BmpError(file).find("RLE"), std::string::npos) << BmpError(file);
  Patch32(file, 30, 5);  // BI_PNG
  EXPECT_NE(BmpError(file).find("PNG"), std::string::npos) << BmpError(file);
  Patch32(file, 30, 77);
  EXPECT_NE(BmpError(file).find("biCompression at byte 30"), std::string::npos) << BmpError(file);
}

TEST(BmpTest, RefusesOtherHeadersAndDepths) {
  std::vector<std::uint8_t> file = MakeBmp(MakePattern(4, 4, 0));
  Patch32(file, 14, 12);
  EXPECT_NE(BmpError(file).find("BITMAPCOREHEADER"), std::string::npos);
  Patch32(file, 14, 64);
  EXPECT_NE(BmpError(file).find("biSize at byte 14 is 64"), std::string::npos);
  file = MakeBmp(MakePattern(4, 4, 0));
  Patch16(file, 28, 2);
  EXPECT_NE(BmpError(file).find("biBitCount at byte 28 is 2"), std::string::npos);
  file = MakeBmp(MakePattern(4, 4, 0));
  Patch16(file, 26, 3);
  EXPECT_NE(BmpError(file).find("biPlanes"), std::string::npos);
  file = MakeBmp(MakePattern(4, 4, 0));
  file[1] = 'A';
  EXPECT_NE(BmpError(file).find("\"BM\""), std::string::npos);
}

TEST(BmpTest, RefusesHugeAndEmptyDimensions) {
  const std::vector<std::uint8_t> good = MakeBmp(MakePattern(4, 4, 0));
  struct Case {
    std::size_t at;
    std::uint32_t value;
    const char* field;
  };
  for (const Case& c :
       {Case{18, 4097, "biWidth"}, Case{18, 0, "biWidth"}, Case{18, 0xFFFFFFFFu, "biWidth"},
        Case{18, 0x7FFFFFFFu, "biWidth"}, Case{22, 4097, "biHeight"}, Case{22, 0, "biHeight"},
        Case{22, static_cast<std::uint32_t>(-4097), "biHeight"}, Case{22, 0x80000000u, "biHeight"},
        Case{22, 0x7FFFFFFFu, "biHeight"}}) {
    std::vector<std::uint8_t> file = good;
    Patch32(file, c.at, c.value);
    const std::string message = BmpError(file);
    EXPECT_NE(message.find(c.field), std::string::npos) << message;
    EXPECT_NE(message.find("at byte " + std::to_string(c.at)), std::string::npos) << message;
  }
}

TEST(BmpTest, ReadsTheLargestAllowedSize) {
  BmpOptions options;
  options.bits = 1;
  TestPixels pixels{kMaxPictureDimension, 2, {}};
  pixels.color.assign(static_cast<std::size_t>(kMaxPictureDimension) * 2, 0xFFFFFFu);
  pixels.color[5] = 0;
  const Picture picture = LoadPicture(MakeBmp(pixels, options), "bmp");
  EXPECT_EQ(picture.width(), kMaxPictureDimension);
  EXPECT_EQ(picture.image().color, pixels.color);
}

TEST(BmpTest, RefusesOffsetsPastTheEnd) {
  const std::vector<std::uint8_t> good = MakeBmp(MakePattern(4, 4, 0));
  for (std::uint32_t offset : {static_cast<std::uint32_t>(good.size()), 0xFFFFFFFFu, 0xFFFFFFF0u}) {
    std::vector<std::uint8_t> file = good;
    Patch32(file, 10, offset);
    EXPECT_NE(BmpError(file).find("bfOffBits"), std::string::npos) << BmpError(file);
  }
  // Pixels that start inside the file but run past its end.
  std::vector<std::uint8_t> file = good;
  Patch32(file, 10, static_cast<std::uint32_t>(good.size() - 10));
  EXPECT_NE(BmpError(file).find("the pixel data at byte"), std::string::npos) << BmpError(file);
  // Pixels that would overlap the headers.
  Patch32(file, 10, 20);
  EXPECT_NE(BmpError(file).find("points into the headers"), std::string::npos);
}

TEST(BmpTest, RefusesTooManyColours) {
  BmpOptions options;
  options.bits = 4;
  std::vector<std::uint8_t> file = MakeBmp(MakePattern(4, 4, 16), options);
  Patch32(file, 46, 17);
  EXPECT_NE(BmpError(file).find("biClrUsed at byte 46 is 17"), std::string::npos);
  Patch32(file, 46, 0xFFFFFFFFu);
  EXPECT_NE(BmpError(file).find("biClrUsed"), std::string::npos);
}

TEST(BmpTest, EveryTruncationIsAnError) {
  for (int bits : {1, 4, 8, 24, 32}) {
    BmpOptions options;
    options.bits = bits;
    const std::vector<std::uint8_t> file = MakeBmp(MakePattern(5, 3, ColorsFor(bits)), options);
    for (std::size_t size = 0; size < file.size(); ++size) {
      const std::vector<std::uint8_t> prefix(file.begin(),
                                             file.begin() + static_cast<std::ptrdiff_t>(size));
      EXPECT_THROW(LoadPicture(prefix, "bmp"), PictureError)
          << bits << " bpp, " << size << " bytes";
    }
  }
}

// ---- ICO and CUR ----

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

  const Picture picture = LoadPicture(file, cursor ? "cur" : "ico");
  EXPECT_EQ(picture.kind(), cursor ? PictureKind::Cursor : PictureKind::Icon);
  EXPECT_EQ(picture.width(), 11);
  EXPECT_EQ(picture.height(), 6);
  EXPECT_EQ(picture.image().width, 11);
  EXPECT_EQ(picture.image().height, 6);
  EXPECT_EQ(picture.image().color, entry.pixels.color);
  EXPECT_EQ(picture.image().mask, entry.mask);
  EXPECT_EQ(picture.hot_spot(), cursor ? (Point{7, 3}) : (Point{0, 0}));
  EXPECT_EQ(picture.file_type(), cursor ? "cur" : "ico");
  EXPECT_EQ(picture.file_bytes(), file);
}

INSTANTIATE_TEST_SUITE_P(
    AllDepths, IconDepthTest,
    ::testing::Values(IconCase{1, false}, IconCase{4, false}, IconCase{8, false},
                      IconCase{24, false}, IconCase{32, false}, IconCase{1, true},
                      IconCase{4, true}, IconCase{8, true}, IconCase{24, true}, IconCase{32, true}),
    [](const ::testing::TestParamInfo<IconCase>& test) {
      return std::to_string(test.param.bits) + "bpp" + (test.param.cursor ? "Cursor" : "Icon");
    });

IconEntry Entry(int size, int bits, std::uint32_t seed_colors = 0) {
  IconEntry e;
  e.pixels =
      MakePattern(size, size, seed_colors != 0 ? static_cast<int>(seed_colors) : ColorsFor(bits));
  e.mask = MakeMask(size, size);
  e.bits = bits;
  return e;
}

TEST(IconTest, ChoosesTheLargestImageThenTheMostColours) {
  std::vector<IconEntry> entries{Entry(16, 32), Entry(32, 4), Entry(32, 8), Entry(24, 32)};
  entries[2].pixels.color[0] = 0x123456;  // tells the chosen entry apart
  const Picture icon = LoadPicture(MakeIconFile(entries, false), "ico");
  EXPECT_EQ(icon.width(), 32);
  EXPECT_EQ(icon.image().color, entries[2].pixels.color);

  // Equal size and depth: the first one.
  std::vector<IconEntry> twins{Entry(8, 24), Entry(8, 24)};
  twins[1].pixels.color[0] = 0x010203;
  EXPECT_EQ(LoadPicture(MakeIconFile(twins, false), "ico").image().color, twins[0].pixels.color);
}

TEST(IconTest, ACursorTakesTheHotSpotOfTheChosenImage) {
  std::vector<IconEntry> entries{Entry(16, 4), Entry(32, 1)};
  entries[0].hot_x = 1;
  entries[0].hot_y = 2;
  entries[1].hot_x = 30;
  entries[1].hot_y = 31;
  const Picture cursor = LoadPicture(MakeIconFile(entries, true), "cur");
  EXPECT_EQ(cursor.width(), 32);
  EXPECT_EQ(cursor.hot_spot(), (Point{30, 31}));
}

TEST(IconTest, SkipsPngEntriesAndRefusesAFileOfNothingElse) {
  IconEntry png = Entry(48, 32);
  png.png = true;
  const Picture icon = LoadPicture(MakeIconFile({png, Entry(16, 8)}, false), "ico");
  EXPECT_EQ(icon.width(), 16);
  const std::string message = ErrorOf([&] { LoadPicture(MakeIconFile({png, png}, false), "ico"); });
  EXPECT_NE(message.find("PNG"), std::string::npos) << message;
}

TEST(IconTest, RefusesAFileOfTheOtherType) {
  const std::vector<std::uint8_t> icon = MakeIconFile({Entry(8, 8)}, false);
  const std::vector<std::uint8_t> cursor = MakeIconFile({Entry(8, 8)}, true);
  EXPECT_NE(ErrorOf([&] { LoadPicture(icon, "cur"); }).find("an icon file, not a cursor"),
            std::string::npos);
  EXPECT_NE(ErrorOf([&] { LoadPicture(cursor, "ico"); }).find("a cursor file, not an icon"),
            std::string::npos);
  EXPECT_NE(ErrorOf([&] { LoadPicture(icon, "bmp"); }).find("BMP"), std::string::npos);
  EXPECT_NE(ErrorOf([&] { LoadPicture(icon, "png"); }).find("unknown picture type"),
            std::string::npos);
}

TEST(IconTest, RefusesBrokenDirectories) {
  const std::vector<std::uint8_t> good = MakeIconFile({Entry(8, 8), Entry(16, 4)}, false);
  const auto message = [](std::vector<std::uint8_t> file) {
    return ErrorOf([&] { LoadPicture(file, "ico"); });
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
    return ErrorOf([&] { LoadPicture(file, "ico"); });
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
      EXPECT_THROW(LoadPicture(prefix, cursor ? "cur" : "ico"), PictureError) << size;
    }
  }
}

// ---- Odds and ends ----

TEST(PictureTest, SniffsTheSignature) {
  EXPECT_EQ(SniffPictureType(MakeBmp(MakePattern(2, 2, 0))), "bmp");
  EXPECT_EQ(SniffPictureType(MakeIconFile({Entry(4, 8)}, false)), "ico");
  EXPECT_EQ(SniffPictureType(MakeIconFile({Entry(4, 8)}, true)), "cur");
  EXPECT_EQ(SniffPictureType(test::Bytes("GIF89a")), std::nullopt);
  EXPECT_EQ(SniffPictureType(test::Bytes("B")), std::nullopt);
  EXPECT_EQ(SniffPictureType({}), std::nullopt);
  const std::vector<std::uint8_t> other{0, 0, 3, 0};
  EXPECT_EQ(SniffPictureType(other), std::nullopt);
}

TEST(PictureTest, AResourcePictureKeepsItsNameInsteadOfItsBytes) {
  const std::vector<std::uint8_t> file = MakeIconFile({Entry(8, 4)}, false);
  const Picture picture = LoadResourcePicture("IDI_MAIN", file, "ico");
  EXPECT_TRUE(picture.from_resource());
  EXPECT_EQ(picture.resource_name(), "IDI_MAIN");
  EXPECT_TRUE(picture.file_bytes().empty());
  EXPECT_TRUE(picture.file_type().empty());
  EXPECT_EQ(picture.kind(), PictureKind::Icon);
  EXPECT_EQ(picture.width(), 8);
  EXPECT_THROW(LoadResourcePicture("", file, "ico"), PictureError);
  EXPECT_THROW(LoadResourcePicture("X", file, "bmp"), PictureError);
}

TEST(PictureTest, PicturesAreTheSameWhenTheirSourcesAre) {
  const std::vector<std::uint8_t> a = MakeBmp(MakePattern(3, 3, 0));
  std::vector<std::uint8_t> b = a;
  b[6] = 1;  // a reserved byte: same pixels, other file
  EXPECT_TRUE(LoadPicture(a, "bmp").SameSourceAs(LoadPicture(a, "bmp")));
  EXPECT_FALSE(LoadPicture(a, "bmp").SameSourceAs(LoadPicture(b, "bmp")));
  EXPECT_TRUE(LoadResourcePicture("A", a, "bmp").SameSourceAs(LoadResourcePicture("A", b, "bmp")));
  EXPECT_FALSE(LoadResourcePicture("A", a, "bmp").SameSourceAs(LoadResourcePicture("B", a, "bmp")));
  EXPECT_FALSE(LoadResourcePicture("A", a, "bmp").SameSourceAs(LoadPicture(a, "bmp")));
}

// Seeded random damage to valid files: every result is a picture or a PictureError.
TEST(PictureTest, DamagedFilesLoadOrFailCleanly) {
  std::vector<std::pair<std::vector<std::uint8_t>, const char*>> seeds;
  for (int bits : {1, 4, 8, 24, 32}) {
    BmpOptions options;
    options.bits = bits;
    seeds.emplace_back(MakeBmp(MakePattern(6, 5, ColorsFor(bits)), options), "bmp");
  }
  seeds.emplace_back(MakeIconFile({Entry(6, 1), Entry(7, 8), Entry(5, 32)}, false), "ico");
  seeds.emplace_back(MakeIconFile({Entry(6, 4), Entry(3, 24)}, true), "cur");

  std::mt19937 random(20240607);
  int loaded = 0;
  int refused = 0;
  for (int round = 0; round < 3000; ++round) {
    const auto& [seed, type] = seeds[static_cast<std::size_t>(round) % seeds.size()];
    std::vector<std::uint8_t> file = seed;
    const int damage = 1 + static_cast<int>(random() % 4);
    for (int d = 0; d < damage; ++d) {
      const std::size_t at = random() % file.size();
      switch (random() % 4) {
        case 0:
          file[at] = static_cast<std::uint8_t>(random());
          break;
        case 1:
          file[at] = 0xFF;
          break;
        case 2:
          file[at] ^= static_cast<std::uint8_t>(1u << (random() % 8));
          break;
        default:
          file.resize(at + 1);
          break;
      }
    }
    try {
      const Picture picture = LoadPicture(file, type);
      const auto count =
          static_cast<std::size_t>(picture.width()) * static_cast<std::size_t>(picture.height());
      ASSERT_EQ(picture.image().color.size(), count);
      ASSERT_EQ(picture.image().mask.size(), count);
      ++loaded;
    } catch (const PictureError&) {
      ++refused;
    }
  }
  EXPECT_GT(loaded, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace fw
