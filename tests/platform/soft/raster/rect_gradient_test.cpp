// DrawFocusRect's inverted pixels and GradientFill's colour rule.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/soft/raster/raster.h"

namespace fw::soft {
namespace {

// Applies the inversions to a white width x height picture and draws it: '#' for a pixel left
// inverted, '.' otherwise.
std::vector<std::string> Inverted(const std::vector<Point>& pixels, int width, int height) {
  std::vector<std::string> rows(static_cast<std::size_t>(height),
                                std::string(static_cast<std::size_t>(width), '.'));
  for (const Point& p : pixels) {
    char& c = rows[static_cast<std::size_t>(p.y)][static_cast<std::size_t>(p.x)];
    c = c == '.' ? '#' : '.';
  }
  return rows;
}

// --- DrawFocusRect ------------------------------------------------------------------------

TEST(FocusRectTest, DocumentedPictures) {
  EXPECT_EQ(Inverted(FocusRectPixels({1, 1, 11, 7}), 12, 7), (std::vector<std::string>{
                                                                 "............",
                                                                 "..#.#.#.#.#.",
                                                                 ".#..........",
                                                                 "..........#.",
                                                                 ".#..........",
                                                                 "..........#.",
                                                                 ".#.#.#.#.#..",
                                                             }));
  EXPECT_EQ(Inverted(FocusRectPixels({1, 1, 12, 8}), 14, 8), (std::vector<std::string>{
                                                                 "..............",
                                                                 ".#.#.#.#.#.#..",
                                                                 "..............",
                                                                 ".#.........#..",
                                                                 "..............",
                                                                 ".#.........#..",
                                                                 "..............",
                                                                 ".#.#.#.#.#.#..",
                                                             }));
  EXPECT_EQ(Inverted(FocusRectPixels({2, 1, 12, 7}), 14, 7), (std::vector<std::string>{
                                                                 "..............",
                                                                 "...#.#.#.#.#..",
                                                                 "..#...........",
                                                                 "...........#..",
                                                                 "..#...........",
                                                                 "...........#..",
                                                                 "..#.#.#.#.#...",
                                                             }));
}

TEST(FocusRectTest, WalksAnticlockwiseFromTheTopRightCorner) {
  // Walk: (3,0) (2,0) (1,0) | (0,0) (0,1) | (0,2) (1,2) (2,2) | (3,2) (3,1); every other one.
  EXPECT_EQ(FocusRectPixels({0, 0, 4, 3}),
            (std::vector<Point>{{3, 0}, {1, 0}, {0, 1}, {1, 2}, {3, 2}}));
}

TEST(FocusRectTest, ReversedRectanglesAreNormalised) {
  EXPECT_EQ(FocusRectPixels({11, 7, 1, 1}), FocusRectPixels({1, 1, 11, 7}));
  EXPECT_EQ(FocusRectPixels({11, 1, 1, 7}), FocusRectPixels({1, 1, 11, 7}));
}

TEST(FocusRectTest, EmptyRectanglesInvertNothing) {
  EXPECT_TRUE(FocusRectPixels({3, 3, 3, 9}).empty());
  EXPECT_TRUE(FocusRectPixels({3, 3, 9, 3}).empty());
  // Every side of a 1 x 1 outline has zero length.
  EXPECT_TRUE(FocusRectPixels({3, 3, 4, 4}).empty());
}

TEST(FocusRectTest, OneWideRectangleRevisitsPixels) {
  // Down the column (1,1)..(1,4), then up again (1,5)..(1,2): (1,3) is inverted on both
  // passes and ends up unchanged.
  const std::vector<Point> pixels = FocusRectPixels({1, 1, 2, 6});
  EXPECT_EQ(pixels, (std::vector<Point>{{1, 1}, {1, 3}, {1, 5}, {1, 3}}));
  EXPECT_EQ(Inverted(pixels, 3, 6),
            (std::vector<std::string>{"...", ".#.", "...", "...", "...", ".#."}));
  // One high: leftwards along the row, then rightwards back.
  EXPECT_EQ(FocusRectPixels({1, 2, 6, 3}), (std::vector<Point>{{5, 2}, {3, 2}, {1, 2}, {3, 2}}));
}

TEST(FocusRectTest, DrawingTwiceRestoresTheImage) {
  const Rect rects[] = {{1, 1, 11, 7}, {1, 1, 12, 8}, {0, 0, 2, 2}, {1, 1, 2, 6}, {4, 2, 0, 9}};
  for (const Rect& rect : rects) {
    std::vector<std::uint32_t> image(16 * 16);
    for (std::size_t i = 0; i < image.size(); ++i) {
      image[i] = static_cast<std::uint32_t>(i * 2654435761u);
    }
    const std::vector<std::uint32_t> original = image;
    const std::vector<Point> pixels = FocusRectPixels(rect);
    for (int pass = 0; pass < 2; ++pass) {
      for (const Point& p : pixels) image[static_cast<std::size_t>(p.y * 16 + p.x)] ^= 0xFFFFFFFFu;
      if (pass == 0) {
        EXPECT_NE(image, original)
            << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
      }
    }
    EXPECT_EQ(image, original) << rect.left << "," << rect.top << "," << rect.right << ","
                               << rect.bottom;
  }
}

// --- GradientFill ---------------------------------------------------------------------------

TriVertex Blue(std::uint16_t blue) {
  return TriVertex{0, 0, 0, 0, blue, 0};
}

TEST(GradientTest, BlueOverTenPixels) {
  const std::vector<std::uint32_t> from_ff00 = {0, 25, 51, 76, 102, 127, 153, 178, 204, 229};
  const std::vector<std::uint32_t> from_ffff = {0, 25, 51, 76, 102, 127, 153, 179, 204, 230};
  for (int pos = 0; pos < 10; ++pos) {
    const auto i = static_cast<std::size_t>(pos);
    EXPECT_EQ(GradientPixel(Blue(0), Blue(0xFF00), pos, 10), from_ff00[i]) << pos;
    EXPECT_EQ(GradientPixel(Blue(0), Blue(0xFFFF), pos, 10), from_ffff[i]) << pos;
  }
}

TEST(GradientTest, ChannelsLandInTheirBytes) {
  const TriVertex v0{0, 0, 0x1200, 0x3400, 0x5600, 0x7800};
  const TriVertex v1{0, 0, 0xFF00, 0xFF00, 0xFF00, 0xFF00};
  EXPECT_EQ(GradientPixel(v0, v1, 0, 4), 0x78123456u);
  // Halfway: (0x1200 + 0xFF00) / 2 / 256 = 0x88 (rounded down), and so on.
  EXPECT_EQ(GradientPixel(v0, v1, 2, 4), 0xBB8899AAu);
  // From COLORREF 0x00BBGGRR to the DIB's 0x00RRGGBB.
  EXPECT_EQ(GradientPixel(TriVertex::At(0, 0, RGB(0x11, 0x22, 0x33)),
                          TriVertex::At(0, 0, RGB(0x11, 0x22, 0x33)), 3, 7),
            0x00112233u);
}

TEST(GradientTest, AlphaIsInterpolatedToo) {
  TriVertex opaque0 = Blue(0);
  TriVertex opaque1 = Blue(0xFF00);
  opaque0.alpha = opaque1.alpha = 0xFF00;
  for (int pos = 0; pos < 10; ++pos) {
    EXPECT_EQ(GradientPixel(opaque0, opaque1, pos, 10) >> 24, 0xFFu) << pos;
  }
  TriVertex fading = Blue(0);
  fading.alpha = 0xFFFF;
  EXPECT_EQ(GradientPixel(fading, Blue(0), 5, 10), 0x7F000000u);
}

TEST(GradientTest, DescendingGradient) {
  // From 0xFF00 down to 0: c = floor(0xFF00 * (10 - pos) / 10 / 256).
  const std::vector<std::uint32_t> expected = {255, 229, 204, 178, 153, 127, 102, 76, 51, 25};
  for (int pos = 0; pos < 10; ++pos) {
    EXPECT_EQ(GradientPixel(Blue(0xFF00), Blue(0), pos, 10),
              expected[static_cast<std::size_t>(pos)])
        << pos;
  }
}

TEST(GradientTest, LongGradientsDoNotOverflow) {
  const TriVertex black{0, 0, 0, 0, 0, 0};
  const TriVertex white{0, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
  const long long len = 1LL << 40;
  EXPECT_EQ(GradientPixel(black, white, len - 1, len), 0xFFFFFFFFu);
  EXPECT_EQ(GradientPixel(black, white, len / 2, len), 0x7F7F7F7Fu);
  EXPECT_EQ(GradientPixel(white, black, 1, len), 0xFFFFFFFFu);
}

}  // namespace
}  // namespace fw::soft
