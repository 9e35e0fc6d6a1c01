#pragma once
// Icon (.ico) and cursor (.cur) files: an ICONDIR, its directory entries and DIB-encoded
// images, each a BITMAPINFOHEADER with the doubled height, the colour table, the XOR image and
// the AND mask, rows bottom-up.
//
// Decoding trusts nothing, as the BMP decoder (formats/image/bmp.h): anything it cannot read is
// an ImageError ("ICO: ..." or "CUR: ..."). It reads 1, 4, 8, 24 or 32 bits per pixel;
// PNG-encoded entries are skipped, and a file holding nothing else is refused. Of the
// DIB-encoded entries it takes the one with the largest width x height (as its own
// BITMAPINFOHEADER gives them), then the one with the most bits per pixel, then the first in
// the directory. The alpha byte of a 32-bit image is not kept: the AND mask alone decides
// which pixels are transparent (alpha 0).
//
// How the encoder marks transparency at each depth:
//   32 bits  the alpha byte; the AND mask is set exactly where alpha is 0, and those pixels
//            are stored as 0 so that a mask-and-XOR drawing leaves the background untouched.
//    8 bits  alpha below 128 is transparent: AND mask set, colour index 0 (black).
//    1 bit   the same, with the palette black (0) and white (1); every opaque pixel must be
//            pure black or pure white.
#include <cstdint>
#include <span>
#include <vector>

#include "formats/image/image.h"

namespace fw::image {

enum class IconKind { kIcon, kCursor };

struct DecodedIcon {
  Image image;
  // A cursor's hot spot in the chosen image; 0, 0 for an icon.
  int hot_x = 0;
  int hot_y = 0;
};

// Decodes an icon or a cursor file; a file of the other kind is refused.
DecodedIcon DecodeIcon(std::span<const std::uint8_t> bytes, IconKind kind);

struct IconFileImage {
  Image image;         // 1 to 256 pixels each way
  int bits_per_pixel;  // 32, 8 or 1
};

// An icon file of the images, in the order given. Throws ImageError for an image the file
// cannot hold.
std::vector<std::uint8_t> EncodeIcon(const std::vector<IconFileImage>& images);

// A cursor file of one 1-bit image with its hot spot.
std::vector<std::uint8_t> EncodeMonochromeCursor(const Image& image, int hot_x, int hot_y);

}  // namespace fw::image
