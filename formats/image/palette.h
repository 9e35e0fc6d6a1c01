#pragma once
// 8-bit images for the icon file's 256-colour entries: a palette made for the image (its own
// colours when there are few enough, else a median cut), and one index per pixel.
#include <cstdint>
#include <vector>

#include "formats/image/image.h"

namespace fw::image {

struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<Rgba> palette;          // 256 opaque colours; entry 0 is black
  std::vector<std::uint8_t> indices;  // row-major, top-down
  std::vector<bool> transparent;      // the AND mask: alpha below 128
};

// Transparent pixels get index 0, which is black, so that an AND-mask-and-XOR drawing leaves
// the background as it was. Opaque pixels get their nearest palette colour (the first of equals).
IndexedImage Quantize(const Image& image);

}  // namespace fw::image
