// Pictures as the controls keep them: what each kind keeps of its file, resource pictures,
// sameness, and damaged files that load or fail cleanly.
#include "platform/picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/formats/image/dib_test_files.h"

namespace fw {
namespace {

using test::BmpOptions;
using test::ColorsFor;
using test::Entry;
using test::IconEntry;
using test::MakeBmp;
using test::MakeIconFile;
using test::MakePattern;
using test::TestPixels;

TEST(PictureTest, ABitmapKeepsItsFileAndItsColours) {
  const TestPixels pixels = MakePattern(13, 5, 0);
  const std::vector<std::uint8_t> file = MakeBmp(pixels);
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

TEST(PictureTest, AnIconOrCursorKeepsItsFileMaskAndHotSpot) {
  for (const bool cursor : {false, true}) {
    IconEntry entry = Entry(11, 8);
    entry.hot_x = 7;
    entry.hot_y = 3;
    const std::vector<std::uint8_t> file = MakeIconFile({entry}, cursor);
    const Picture picture = LoadPicture(file, cursor ? "cur" : "ico");
    EXPECT_EQ(picture.kind(), cursor ? PictureKind::Cursor : PictureKind::Icon);
    EXPECT_EQ(picture.image().width, 11);
    EXPECT_EQ(picture.image().height, 11);
    EXPECT_EQ(picture.image().color, entry.pixels.color);
    EXPECT_EQ(picture.image().mask, entry.mask);
    EXPECT_EQ(picture.hot_spot(), cursor ? (Point{7, 3}) : (Point{0, 0}));
    EXPECT_EQ(picture.file_type(), cursor ? "cur" : "ico");
    EXPECT_EQ(picture.file_bytes(), file);
  }
}

TEST(PictureTest, TheTypeChoosesTheDecoder) {
  const std::vector<std::uint8_t> icon = MakeIconFile({Entry(8, 8)}, false);
  EXPECT_THROW(LoadPicture(icon, "bmp"), PictureError);
  try {
    LoadPicture(icon, "png");
    ADD_FAILURE() << "a png type was read";
  } catch (const PictureError& e) {
    EXPECT_NE(std::string(e.what()).find("unknown picture type"), std::string::npos) << e.what();
  }
}

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
