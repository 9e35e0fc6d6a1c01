#pragma once
// Small images drawn by hand: one character per pixel, each standing for a colour of a key.
// '.' is transparent. Used where a few hand-placed pixels beat any rendering (16 x 16 icons,
// cursors).
#include <cstdint>
#include <span>
#include <string_view>

#include "formats/image/image.h"

namespace fw::assets {

struct PixelKey {
  char key;
  std::uint32_t rgb;  // 0xRRGGBB, opaque
};

// Throws std::invalid_argument for rows of different lengths or a character not in `keys`.
image::Image PixelArt(std::span<const std::string_view> rows, std::span<const PixelKey> keys);

}  // namespace fw::assets
