#pragma once
// An image in memory, the one pixel type of the picture formats: every decoder gives one and
// every encoder takes one. Red, green, blue and alpha, 8 bits each, rows top-down. An icon's or
// cursor's AND mask is alpha 0 where it is set (the pixel shows what is behind it) and 255
// elsewhere; a bitmap's pixels are opaque.
//
// Loaders and encoders report what is wrong and where with an ImageError; writers never leave a
// half-written file.
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace fw::image {

struct Rgba {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 255;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;  // row-major, top-down
  Rgba& At(int x, int y) {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
  const Rgba& At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(x)];
  }
};

// A file or an image the formats cannot read or write. The message names the format, the field
// or byte offset (or the file), and what is wrong there.
class ImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// 32-bit DIB values (0xAARRGGBB, a surface's pixels or a picture's colours) as an opaque image;
// the DIB's alpha byte is GDI's bookkeeping, not transparency.
Image FromDibPixels(int width, int height, const std::vector<std::uint32_t>& dib);

}  // namespace fw::image
