// The 256-colour palettes of the icon's small images.
#include "formats/image/palette.h"

#include <gtest/gtest.h>

#include <set>

namespace fw::image {
namespace {

long Distance2(const Rgba& a, const Rgba& b) {
  const long dr = a.r - b.r;
  const long dg = a.g - b.g;
  const long db = a.b - b.b;
  return dr * dr + dg * dg + db * db;
}

TEST(IconPalette, FewColoursAreKeptExactlyAndTransparencyUsesBlack) {
  const Image image{3, 1, {{255, 0, 0, 255}, {0, 0, 0, 0}, {0, 255, 0, 200}}};
  const IndexedImage indexed = Quantize(image);
  ASSERT_EQ(indexed.palette.size(), 256u);
  EXPECT_EQ(indexed.palette[0], (Rgba{0, 0, 0, 255}));
  EXPECT_EQ(indexed.transparent, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(indexed.indices[1], 0);
  EXPECT_EQ(indexed.palette[indexed.indices[0]], (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(indexed.palette[indexed.indices[2]], (Rgba{0, 255, 0, 255}));
}

TEST(IconPalette, ManyColoursAreCutToTheirNeighbourhood) {
  // 1024 distinct colours along smooth ramps, as an antialiased 32 x 32 image has.
  Image image{32, 32, {}};
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      image.pixels.push_back({static_cast<std::uint8_t>(x * 8), static_cast<std::uint8_t>(y * 8),
                              static_cast<std::uint8_t>((x + y) * 4), 255});
    }
  }
  const IndexedImage indexed = Quantize(image);
  std::set<int> used(indexed.indices.begin(), indexed.indices.end());
  EXPECT_GT(used.size(), 200u);
  long worst = 0;
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    worst = std::max(worst, Distance2(image.pixels[i], indexed.palette[indexed.indices[i]]));
  }
  EXPECT_LE(worst, 3 * 12 * 12);  // within a dozen levels on each channel
  // The same every time.
  EXPECT_EQ(Quantize(image).indices, indexed.indices);
}

}  // namespace
}  // namespace fw::image
