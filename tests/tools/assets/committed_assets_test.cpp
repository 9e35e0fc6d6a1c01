// The files in app/res: exactly what the generator draws, and readable by the program's own
// decoders with the sizes, kinds and layouts the program relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <tuple>
#include <utility>

#include "platform/picture.h"
#include "tests/tools/assets/asset_test_support.h"
#include "tools/assets/assets.h"

namespace fw::assets {
namespace {

using test::ReadCommitted;
using test::U16;
using test::U32;

TEST(CommittedAssets, AreWhatTheGeneratorDraws) {
  const std::vector<AssetFile> files = MakeAssets();
  std::set<std::string> names;
  for (const AssetFile& file : files) {
    names.insert(file.name);
    const std::vector<std::uint8_t> committed = ReadCommitted(file.name);
    ASSERT_FALSE(committed.empty()) << file.name << " is missing from app/res";
    EXPECT_EQ(committed.size(), file.bytes.size()) << file.name;
    EXPECT_TRUE(committed == file.bytes)
        << file.name << " differs from the generator's output: run ferrowind-assets app/res";
  }
  EXPECT_EQ(names, (std::set<std::string>{"ferrowind.ico", "padlock_closed.bmp", "padlock_open.bmp",
                                          "hand.cur", "msgbox_error.ico", "msgbox_exclamation.ico",
                                          "msgbox_information.ico"}));
}

// --- The hand cursor ---

TEST(HandCursor, IsOneMonochrome32PixelImageOf326Bytes) {
  const std::vector<std::uint8_t> file = ReadCommitted("hand.cur");
  ASSERT_EQ(file.size(), 326u);
  EXPECT_EQ(U16(file, 0), 0u);
  EXPECT_EQ(U16(file, 2), 2u);  // a cursor
  EXPECT_EQ(U16(file, 4), 1u);  // one image
  EXPECT_EQ(file[6], 32);
  EXPECT_EQ(file[7], 32);
  EXPECT_EQ(U16(file, 10), 0u);    // hot spot x
  EXPECT_EQ(U16(file, 12), 0u);    // hot spot y
  EXPECT_EQ(U32(file, 14), 304u);  // the image's bytes
  EXPECT_EQ(U32(file, 18), 22u);   // right after the directory
  EXPECT_EQ(U32(file, 22), 40u);   // BITMAPINFOHEADER
  EXPECT_EQ(U32(file, 26), 32u);
  EXPECT_EQ(U32(file, 30), 64u);  // the XOR image and the AND mask
  EXPECT_EQ(U16(file, 36), 1u);   // bits per pixel
  // The two colours: black, then white.
  EXPECT_EQ(U32(file, 62), 0x00000000u);
  EXPECT_EQ(U32(file, 66), 0x00FFFFFFu);
}

TEST(HandCursor, DecodesToAWhiteHandOutlinedInBlack) {
  const Picture cursor = LoadPicture(ReadCommitted("hand.cur"), "cur");
  EXPECT_EQ(cursor.kind(), PictureKind::Cursor);
  EXPECT_EQ(cursor.width(), 32);
  EXPECT_EQ(cursor.height(), 32);
  EXPECT_EQ(cursor.hot_spot().x, 0);
  EXPECT_EQ(cursor.hot_spot().y, 0);
  const IconImage& image = cursor.image();
  int white = 0;
  int black = 0;
  for (std::size_t i = 0; i < image.color.size(); ++i) {
    if (image.mask[i]) {
      // Transparent: the XOR colour must leave the screen as it is.
      EXPECT_EQ(image.color[i], 0u) << "pixel " << i;
    } else if (image.color[i] == 0xFFFFFFu) {
      ++white;
    } else {
      EXPECT_EQ(image.color[i], 0u) << "pixel " << i;
      ++black;
    }
  }
  EXPECT_GT(white, 150);
  EXPECT_GT(black, 80);
  // Transparent around the hand, all four corners included.
  for (const std::size_t corner : {0u, 31u, 31u * 32u, 32u * 32u - 1u}) {
    EXPECT_TRUE(image.mask[corner]) << "corner " << corner;
  }
  // Every white pixel is enclosed: none touches a transparent pixel.
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const auto at = static_cast<std::size_t>(y * 32 + x);
      if (image.mask[at] || image.color[at] != 0xFFFFFFu) continue;
      for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
        const int nx = x + dx;
        const int ny = y + dy;
        ASSERT_TRUE(nx >= 0 && ny >= 0 && nx < 32 && ny < 32);
        EXPECT_FALSE(image.mask[static_cast<std::size_t>(ny * 32 + nx)])
            << "white pixel (" << x << ", " << y << ") has no outline";
      }
    }
  }
}

// --- The padlock bitmaps ---

struct Extent {
  int top = 1 << 20;
  int bottom = -1;
};

bool IsBrass(std::uint32_t c) {
  const auto r = static_cast<int>(c >> 16 & 0xFF);
  const auto g = static_cast<int>(c >> 8 & 0xFF);
  const auto b = static_cast<int>(c & 0xFF);
  return r > 150 && r > b + 80 && g > b + 40;
}

bool IsSteel(std::uint32_t c) {
  const auto r = static_cast<int>(c >> 16 & 0xFF);
  const auto g = static_cast<int>(c >> 8 & 0xFF);
  const auto b = static_cast<int>(c & 0xFF);
  return std::abs(r - b) < 24 && std::abs(r - g) < 24 && r > 100 && r < 245;
}

// The rows holding pixels of a colour; for the steel, only those above the brass body.
Extent RowsOf(const Picture& p, bool (*test)(std::uint32_t)) {
  Extent e;
  for (int y = 0; y < p.height(); ++y) {
    for (int x = 0; x < p.width(); ++x) {
      if (test(p.image().color[static_cast<std::size_t>(y * p.width() + x)])) {
        e.top = std::min(e.top, y);
        e.bottom = std::max(e.bottom, y);
      }
    }
  }
  return e;
}

void ExpectWhiteCorners(const Picture& p) {
  const int w = p.width();
  const int h = p.height();
  for (const int at : {0, w - 1, (h - 1) * w, h * w - 1}) {
    EXPECT_EQ(p.image().color[static_cast<std::size_t>(at)], 0xFFFFFFu) << "pixel " << at;
  }
}

TEST(PadlockBitmaps, Are24BitBitmapsOfTheirSizes) {
  for (const auto& [name, width, height] :
       {std::tuple{"padlock_closed.bmp", 52, 72}, std::tuple{"padlock_open.bmp", 50, 73}}) {
    const std::vector<std::uint8_t> file = ReadCommitted(name);
    ASSERT_GT(file.size(), 54u) << name;
    EXPECT_EQ(U16(file, 28), 24u) << name;
    const Picture p = LoadPicture(file, "bmp");
    EXPECT_EQ(p.kind(), PictureKind::Bitmap) << name;
    EXPECT_EQ(p.width(), width) << name;
    EXPECT_EQ(p.height(), height) << name;
    ExpectWhiteCorners(p);
  }
}

TEST(PadlockBitmaps, ShowABrassBodyUnderASteelShackle) {
  for (const char* name : {"padlock_closed.bmp", "padlock_open.bmp"}) {
    const Picture p = LoadPicture(ReadCommitted(name), "bmp");
    const Extent brass = RowsOf(p, IsBrass);
    const Extent steel = RowsOf(p, IsSteel);
    ASSERT_GE(brass.bottom, 0) << name;
    ASSERT_GE(steel.bottom, 0) << name;
    EXPECT_LT(steel.top + 15, brass.top) << name << ": the shackle stands above the body";
    EXPECT_GT(brass.bottom - brass.top, 25) << name;
    // White all round the lock: the outer rows and columns are white (edges may blend in).
    for (int x = 0; x < p.width(); ++x) {
      EXPECT_EQ(p.image().color[static_cast<std::size_t>(x)], 0xFFFFFFu) << name << " top row";
    }
  }
}

TEST(PadlockBitmaps, OpenOneRaisesTheShackleAndKeepsTheBody) {
  const Picture closed = LoadPicture(ReadCommitted("padlock_closed.bmp"), "bmp");
  const Picture open = LoadPicture(ReadCommitted("padlock_open.bmp"), "bmp");
  // Swapping the pictures at the same place leaves the body where it was.
  EXPECT_EQ(RowsOf(closed, IsBrass).top, RowsOf(open, IsBrass).top);
  EXPECT_EQ(RowsOf(closed, IsBrass).bottom, RowsOf(open, IsBrass).bottom);
  EXPECT_LT(RowsOf(open, IsSteel).top + 5, RowsOf(closed, IsSteel).top);
}

// --- The icon ---

struct IconEntry {
  int width;
  int height;
  int bits;
  std::uint32_t size;
  std::uint32_t offset;
};

std::vector<IconEntry> Directory(const std::vector<std::uint8_t>& file) {
  std::vector<IconEntry> entries;
  for (std::uint32_t i = 0; i < U16(file, 4); ++i) {
    const std::size_t at = 6 + 16 * i;
    entries.push_back({file[at] == 0 ? 256 : file[at], file[at + 1] == 0 ? 256 : file[at + 1],
                       static_cast<int>(U16(file, at + 6)), U32(file, at + 8), U32(file, at + 12)});
  }
  return entries;
}

// An icon file holding only entry `index` of `file`, for the decoder to read on its own.
std::vector<std::uint8_t> SingleEntryIcon(const std::vector<std::uint8_t>& file, int index) {
  const std::size_t at = 6 + 16 * static_cast<std::size_t>(index);
  std::vector<std::uint8_t> out{0, 0, 1, 0, 1, 0};
  out.insert(out.end(), file.begin() + static_cast<std::ptrdiff_t>(at),
             file.begin() + static_cast<std::ptrdiff_t>(at + 12));
  out.insert(out.end(), {22, 0, 0, 0});  // the image right after the directory
  const std::uint32_t offset = U32(file, at + 12);
  out.insert(out.end(), file.begin() + offset, file.begin() + offset + U32(file, at + 8));
  return out;
}

TEST(AppIcon, HoldsSevenImagesInTheirOrder) {
  const std::vector<std::uint8_t> file = ReadCommitted("ferrowind.ico");
  ASSERT_GT(file.size(), 6u);
  EXPECT_EQ(U16(file, 0), 0u);
  EXPECT_EQ(U16(file, 2), 1u);
  const std::vector<IconEntry> entries = Directory(file);
  const std::vector<std::tuple<int, int>> expected{{256, 32}, {128, 32}, {48, 32}, {32, 32},
                                                   {16, 32},  {32, 8},   {16, 8}};
  ASSERT_EQ(entries.size(), expected.size());
  std::uint32_t next = 6 + 16 * 7;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto [size, bits] = expected[i];
    EXPECT_EQ(entries[i].width, size) << "entry " << i;
    EXPECT_EQ(entries[i].height, size) << "entry " << i;
    EXPECT_EQ(entries[i].bits, bits) << "entry " << i;
    // One after the other, to the end of the file.
    EXPECT_EQ(entries[i].offset, next) << "entry " << i;
    next = entries[i].offset + entries[i].size;
    // Its own header agrees; DIB, not PNG.
    const std::uint32_t h = entries[i].offset;
    EXPECT_EQ(U32(file, h), 40u) << "entry " << i;
    EXPECT_EQ(U32(file, h + 4), static_cast<std::uint32_t>(size)) << "entry " << i;
    EXPECT_EQ(U32(file, h + 8), static_cast<std::uint32_t>(2 * size)) << "entry " << i;
    EXPECT_EQ(U16(file, h + 14), static_cast<std::uint32_t>(bits)) << "entry " << i;
    const std::uint32_t palette = bits == 8 ? 1024 : 0;
    const std::uint32_t xor_bytes = static_cast<std::uint32_t>(size * size * bits / 8);
    const std::uint32_t and_bytes = static_cast<std::uint32_t>((size + 31) / 32 * 4 * size);
    EXPECT_EQ(entries[i].size, 40 + palette + xor_bytes + and_bytes) << "entry " << i;
  }
  EXPECT_EQ(next, file.size());
}

TEST(AppIcon, EveryImageDecodesOnItsOwn) {
  const std::vector<std::uint8_t> file = ReadCommitted("ferrowind.ico");
  const std::vector<IconEntry> entries = Directory(file);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const Picture p = LoadPicture(SingleEntryIcon(file, static_cast<int>(i)), "ico");
    EXPECT_EQ(p.width(), entries[i].width) << "entry " << i;
    EXPECT_EQ(p.height(), entries[i].height) << "entry " << i;
    const IconImage& image = p.image();
    // Transparent corners (the shield does not reach them), an opaque middle.
    const int s = p.width();
    EXPECT_TRUE(image.mask[0]) << "entry " << i;
    EXPECT_TRUE(image.mask[static_cast<std::size_t>(s * s - 1)]) << "entry " << i;
    EXPECT_FALSE(image.mask[static_cast<std::size_t>(s * s / 2 + s / 2)]) << "entry " << i;
    for (std::size_t k = 0; k < image.mask.size(); ++k) {
      if (image.mask[k]) {
        EXPECT_EQ(image.color[k], 0u) << "entry " << i << " pixel " << k;
      }
    }
  }
}

TEST(AppIcon, ProgramPicksTheLargestImage) {
  const Picture p = LoadPicture(ReadCommitted("ferrowind.ico"), "ico");
  EXPECT_EQ(p.kind(), PictureKind::Icon);
  EXPECT_EQ(p.width(), 256);
  EXPECT_EQ(p.height(), 256);
}

TEST(AppIcon, MasksOf32BitImagesFollowTheirAlpha) {
  const std::vector<std::uint8_t> file = ReadCommitted("ferrowind.ico");
  for (const IconEntry& e : Directory(file)) {
    if (e.bits != 32) continue;
    const std::uint32_t pixels = e.offset + 40;
    const std::uint32_t mask = pixels + static_cast<std::uint32_t>(e.width * e.height * 4);
    const std::uint32_t mask_stride = static_cast<std::uint32_t>((e.width + 31) / 32 * 4);
    int partial = 0;
    for (int row = 0; row < e.height; ++row) {  // both bottom-up
      for (int x = 0; x < e.width; ++x) {
        const std::uint32_t bgra =
            U32(file, pixels + static_cast<std::uint32_t>((row * e.width + x) * 4));
        const bool clear = ((file[mask + static_cast<std::uint32_t>(row) * mask_stride +
                                  static_cast<std::uint32_t>(x / 8)] >>
                             (7 - x % 8)) &
                            1) != 0;
        const std::uint32_t alpha = bgra >> 24;
        EXPECT_EQ(clear, alpha == 0) << e.width << " px, row " << row << ", x " << x;
        if (alpha == 0) {
          EXPECT_EQ(bgra, 0u);
        }
        if (alpha != 0 && alpha != 255) ++partial;
      }
    }
    // The drawn sizes have antialiased edges; the 16-pixel one is drawn pixel by pixel.
    if (e.width >= 32) {
      EXPECT_GT(partial, e.width) << e.width << " px";
    }
  }
}

TEST(AppIcon, TransparentPixelsOf8BitImagesUseBlack) {
  const std::vector<std::uint8_t> file = ReadCommitted("ferrowind.ico");
  for (const IconEntry& e : Directory(file)) {
    if (e.bits != 8) continue;
    const std::uint32_t palette = e.offset + 40;
    EXPECT_EQ(U32(file, palette), 0u);  // entry 0 is black
    const std::uint32_t pixels = palette + 1024;
    const std::uint32_t mask = pixels + static_cast<std::uint32_t>(e.width * e.height);
    const std::uint32_t mask_stride = static_cast<std::uint32_t>((e.width + 31) / 32 * 4);
    int colours = 0;
    std::set<int> used;
    for (int row = 0; row < e.height; ++row) {
      for (int x = 0; x < e.width; ++x) {
        const int index = file[pixels + static_cast<std::uint32_t>(row * e.width + x)];
        const bool clear = ((file[mask + static_cast<std::uint32_t>(row) * mask_stride +
                                  static_cast<std::uint32_t>(x / 8)] >>
                             (7 - x % 8)) &
                            1) != 0;
        if (clear) {
          EXPECT_EQ(index, 0);
        } else {
          used.insert(index);
        }
      }
    }
    colours = static_cast<int>(used.size());
    EXPECT_GT(colours, 8) << e.width << " px";
  }
}

}  // namespace
}  // namespace fw::assets
