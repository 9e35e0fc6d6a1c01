// Binary PPM files: what is written reads back, and what is not a P6 file of 8-bit channels is
// an error naming the file.
#include "formats/image/ppm.h"

#include <gtest/gtest.h>

#include <sstream>

namespace fw::image {
namespace {

TEST(PpmTest, RoundTrips) {
  Image picture{3, 2, {}};
  for (int i = 0; i < 6; ++i) {
    picture.pixels.push_back({static_cast<std::uint8_t>(i * 40), static_cast<std::uint8_t>(i),
                              static_cast<std::uint8_t>(255 - i), 255});
  }
  std::stringstream ppm;
  WritePpm(picture, ppm);
  const auto back = ReadPpm(ppm, "memory");
  EXPECT_EQ(back.width, 3);
  EXPECT_EQ(back.pixels, picture.pixels);
}

TEST(PpmTest, TruncatedOrForeignFilesAreNamedErrors) {
  std::stringstream truncated("P6\n4 4\n255\nabc");
  EXPECT_THROW(ReadPpm(truncated, "t.ppm"), ImageError);
  std::stringstream foreign("P3\n1 1\n255\n0 0 0\n");
  EXPECT_THROW(ReadPpm(foreign, "f.ppm"), ImageError);
}

}  // namespace
}  // namespace fw::image
