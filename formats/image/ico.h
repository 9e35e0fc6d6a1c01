#pragma once
// Icon (.ico) and cursor (.cur) files, every image DIB-encoded: a BITMAPINFOHEADER with the
// doubled height, the colour table, the XOR image and the AND mask, rows bottom-up.
//
// How each depth marks transparency:
//   32 bits  the alpha byte; the AND mask is set exactly where alpha is 0, and those pixels
//            are stored as 0 so that a mask-and-XOR drawing leaves the background untouched.
//    8 bits  alpha below 128 is transparent: AND mask set, colour index 0 (black).
//    1 bit   the same, with the palette black (0) and white (1); every opaque pixel must be
//            pure black or pure white.
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "formats/image/image.h"

namespace fw::assets {

class EncodeError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct IconFileImage {
  image::Image image;  // 1 to 256 pixels each way
  int bits_per_pixel;  // 32, 8 or 1
};

// An icon file of the images, in the order given.
std::vector<std::uint8_t> EncodeIcon(const std::vector<IconFileImage>& images);

// A cursor file of one 1-bit image with its hot spot.
std::vector<std::uint8_t> EncodeMonochromeCursor(const image::Image& image, int hot_x, int hot_y);

}  // namespace fw::assets
