// BMP files: every depth and header the decoder reads, the files it must refuse, and the 24-bit
// files the encoder writes.
#include "formats/image/bmp.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "formats/image/dib_layout.h"
#include "tests/formats/image/dib_test_files.h"

namespace fw::image {
namespace {

using test::AsImage;
using test::BmpOptions;
using test::ColorsFor;
using test::ImageErrorOf;
using test::MakeBmp;
using test::MakePattern;
using test::Patch16;
using test::Patch32;
using test::TestPixels;

std::string BmpError(const std::vector<std::uint8_t>& bytes) {
  return ImageErrorOf([&] { DecodeBmp(bytes); });
}

struct BmpCase {
  int bits;
  bool top_down;
};

class BmpDepthTest : public ::testing::TestWithParam<BmpCase> {};

TEST_P(BmpDepthTest, DecodesEveryPixel) {
  const auto [bits, top_down] = GetParam();
  // 13 pixels wide: rows need padding at every depth, and 1- and 4-bit rows end mid-byte.
  const TestPixels pixels = MakePattern(13, 5, ColorsFor(bits));
  BmpOptions options;
  options.bits = bits;
  options.top_down = top_down;
  const std::vector<std::uint8_t> file = MakeBmp(pixels, options);

  const Image decoded = DecodeBmp(file);
  EXPECT_EQ(decoded.width, 13);
  EXPECT_EQ(decoded.height, 5);
  EXPECT_EQ(decoded.pixels, AsImage(pixels).pixels);
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
      EXPECT_EQ(DecodeBmp(MakeBmp(pixels, options)).pixels, AsImage(pixels).pixels)
          << header << " " << bits;
    }
  }
}

TEST(BmpTest, ReadsAShortColourTable) {
  const TestPixels pixels = MakePattern(7, 3, 5);
  BmpOptions options;
  options.bits = 8;
  options.colors_used = 5;
  EXPECT_EQ(DecodeBmp(MakeBmp(pixels, options)).pixels, AsImage(pixels).pixels);
}

TEST(BmpTest, AnIndexPastTheColourTableIsBlack) {
  TestPixels pixels = MakePattern(4, 2, 2);
  BmpOptions options;
  options.bits = 8;
  options.colors_used = 2;
  std::vector<std::uint8_t> file = MakeBmp(pixels, options);
  const std::size_t bits_offset = 14 + 40 + 2 * 4;
  file[bits_offset] = 200;  // the bottom row's first pixel
  const Image decoded = DecodeBmp(file);
  EXPECT_EQ(decoded.pixels[4], (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(decoded.pixels[5], AsImage(pixels).pixels[5]);
}

TEST(BmpTest, ReadsPlainBitfieldsAt32Bits) {
  const TestPixels pixels = MakePattern(5, 3, 0);
  BmpOptions options;
  options.bits = 32;
  options.compression = 3;
  EXPECT_EQ(DecodeBmp(MakeBmp(pixels, options)).pixels, AsImage(pixels).pixels);
  options.header_size = 124;
  std::vector<std::uint8_t> file = MakeBmp(pixels, options);
  EXPECT_EQ(DecodeBmp(file).pixels, AsImage(pixels).pixels);
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
  TestPixels pixels{kMaxDibDimension, 2, {}};
  pixels.color.assign(static_cast<std::size_t>(kMaxDibDimension) * 2, 0xFFFFFFu);
  pixels.color[5] = 0;
  const Image decoded = DecodeBmp(MakeBmp(pixels, options));
  EXPECT_EQ(decoded.width, kMaxDibDimension);
  EXPECT_EQ(decoded.pixels, AsImage(pixels).pixels);
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
      EXPECT_THROW(DecodeBmp(prefix), ImageError) << bits << " bpp, " << size << " bytes";
    }
  }
}

TEST(BmpTest, TheEncodersFilesDecodeToTheirColours) {
  Image image = AsImage(MakePattern(13, 3, 0));
  image.pixels[2].a = 0;  // alpha is not stored
  const std::vector<std::uint8_t> file = EncodeBmp24(image);
  EXPECT_EQ(file.size(), 14u + 40u + 40u * 3u);  // 13 pixels of 3 bytes, padded to 40
  image.pixels[2].a = 255;
  EXPECT_EQ(DecodeBmp(file).pixels, image.pixels);
  EXPECT_THROW(EncodeBmp24(Image{0, 1, {}}), ImageError);
  EXPECT_THROW(EncodeBmp24(Image{2, 2, std::vector<Rgba>(3)}), ImageError);
  EXPECT_THROW(EncodeBmp24(Image{kMaxDibDimension + 1, 1, std::vector<Rgba>(kMaxDibDimension + 1)}),
               ImageError);
}

}  // namespace
}  // namespace fw::image
